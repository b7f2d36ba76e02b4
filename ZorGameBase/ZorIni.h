#pragma once
// CZorIni: reads one table file (".ini"/".ani" plain, ".dat" enciphered) whole into memory and
// hands it to a loader section by section, key by key or line by line, walking forward once.
//
//   [Title]            a section header (title at most 31 characters, blanks kept)
//   Key=Value          a key line: no blank before "=", value up to the line's end
//   ; note  // note    comment lines; empty lines and comments never reach a loader
//
// Lines end at LF, CRLF, CR or a zero byte; the last line needs no line break. A line has at
// most 2047 characters. Section lines are pointers into the one file image. Problems are
// written to the debug log through CZorIni::LogError; every operation returns false on failure
// and nothing throws.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "TableBlock.h"
#include "WordBytes.h"
#include "ZorEncryptFile.h"
#include "ZorString.h"

namespace ZorGameBase {

// What a field reader does with one text field.
enum IniFieldType {
  INI_END = 0,         // ends the list of pairs
  INI_INT = 1,         // ParseIniInteger -> int32_t
  INI_INT64 = 2,       // decimal -> int64_t
  INI_LONG = 3,        // ParseIniInteger -> int32_t
  INI_SHORT = 4,       // ParseIniInteger -> low 16 bits (int16_t)
  INI_WORD = 5,        // ParseIniUnsigned -> low 16 bits (uint16_t)
  INI_INT32 = 6,       // ParseIniInteger -> int32_t
  INI_DWORD = 7,       // ParseIniUnsigned -> uint32_t
  INI_FLOAT = 8,       // decimal floating point -> float
  INI_DOUBLE = 9,      // decimal floating point -> double
  INI_CHARS = 10,      // the characters, zero-terminated, into a char array large enough
  INI_STRING = 11,     // std::string
  INI_ZORSTRING = 12,  // ZorString::CZorString
  INI_BYTE = 13,       // ParseIniInteger -> low 8 bits (uint8_t)
  INI_BOOL = 14,       // ParseIniInteger, not zero -> bool
};

// One (type, destination) pair of ReadFieldSet; a default pair ends the list.
struct IniField {
  int32_t nType = INI_END;
  void* pData = nullptr;
};

// A content line as the field readers convert it: pszLine in the image, or the line's copy cut
// to 2047 characters, ending at pLineEnd (a carriage return, line feed or zero byte); pStart is
// where the line stands in the image.
struct IniFieldLine {
  const char* pStart = nullptr;
  const char* pszLine = nullptr;
  const char* pLineEnd = nullptr;
};

// Text to a signed 32-bit number: null or empty is 0; leading white space skipped; "0..."
// (without x) is decimal, so "010" is 10; otherwise an optional sign, "0x" hexadecimal, a "0"
// after a sign octal, else decimal. Stops at the first character that does not fit;
// out-of-range values saturate.
int32_t ParseIniInteger(const char* pszText);
// The same rule, unsigned 32-bit (a minus sign negates modulo 2^32).
uint32_t ParseIniUnsigned(const char* pszText);

// One line of a memory image from position onwards into out: a LF ends the line and becomes the
// zero (a CR before it is dropped too); the end of the data ends the last line. False when
// data or out is null, position >= size or outSize is 0, and when outSize bytes were copied
// without reaching a line end (position has then moved past them).
bool ReadBufferLine(const char* pData, unsigned nSize, unsigned& nPosition, char* pOut,
                    unsigned nOutSize);
// Cuts a line that starts (after white space) with ";" or "//" to its leading white space;
// otherwise removes the leading white space. False only for null.
bool TrimLineHead(char* pszText);
// Cuts the text at its first ";" or "//" and removes the white space before the cut (or at the
// end). False only for null.
bool TrimLineTail(char* pszText);
// Replaces values with the numbers of a list such as "3,,5" (3, 0, 5): decimal, negative
// numbers left out, an empty field gives 0. The separator is the first character of
// pszSeparator ("," when null or empty). nLength is the scratch size (texts are shorter); 0
// does nothing at all.
void SplitNumberList(const char* pszText, std::vector<unsigned>& values, const char* pszSeparator,
                     unsigned nLength);

// The keys a loader reads from every section of a document, in its reading order, with their
// lengths counted once (CIniSectionKeys). Keys are plain texts without "=" or line breaks.
class CIniKeySet {
 public:
  static const size_t NOT_A_KEY = ~size_t{0};
  CIniKeySet(std::initializer_list<const char*> keys);
  size_t Count() const { return m_vecKeys.size(); }
  const char* Key(size_t i) const { return m_vecKeys[i]; }
  size_t KeyLength(size_t i) const { return m_vecLength[i]; }
  // The position of the key that is exactly these nKey characters; NOT_A_KEY for none (also for
  // an empty text: an empty key is never found). The text is read in whole words: at least 16
  // bytes from pKey must be readable, as in a reader's image, which is padded so.
  size_t Find(const char* pKey, size_t nKey) const;
  // Find, with a first look at position nGuess only (any value): the same answer, without the
  // index when the text is the key listed first at that position.
  size_t FindGuessed(size_t nGuess, const char* pKey, size_t nKey) const {
    return nGuess < m_vecShort.size() && IsFirstListing(nGuess, pKey, nKey) ? nGuess : Find(pKey, nKey);
  }
  // Whether the line starts with key i directly followed by "=", i being the key's first
  // listing (Find answers i for the line's key), of at most 15 characters, and no comment or
  // title starting so. False for any other key and for i == Count(). The line is read in two
  // words, as Find reads it.
  bool StartsLine(size_t i, const char* pLine) const {
    const LineStart& start = m_vecLineStarts[i];
    return (((LoadWord(pLine) ^ start.anText[0]) & start.anMask[0]) |
            ((LoadWord(pLine + 8) ^ start.anText[1]) & start.anMask[1])) == 0;
  }
  // (position, position of its first listing) of each key listed more than once.
  const std::vector<std::pair<size_t, size_t>>& Repeats() const { return m_vecRepeats; }

 private:
  std::vector<const char*> m_vecKeys;
  std::vector<size_t> m_vecLength;
  static constexpr size_t SHORT_KEY = 16;  // keys up to this length compare as two words
  struct ShortKey {
    uint64_t anText[2];
    uint64_t anMask[2];
    size_t nFirstLength;  // the key's length; ~0 for an empty key and a repeat (never found)
  };
  // Whether the text is key i and i its first listing (what Find answers for the text).
  bool IsFirstListing(size_t i, const char* pKey, size_t nKey) const {
    const ShortKey& key = m_vecShort[i];
    if (key.nFirstLength != nKey) return false;
    if (nKey > SHORT_KEY) return memcmp(m_vecKeys[i], pKey, nKey) == 0;
    return ((LoadWord(pKey) ^ key.anText[0]) & key.anMask[0]) == 0 &&
           ((LoadWord(pKey + 8) ^ key.anText[1]) & key.anMask[1]) == 0;
  }
  std::vector<ShortKey> m_vecShort;
  // Per key and one more (never found), the line start StartsLine looks for: the key and "=",
  // or a blank first, which no line starts with.
  struct LineStart {
    uint64_t anText[2];
    uint64_t anMask[2];
  };
  std::vector<LineStart> m_vecLineStarts;
  std::vector<uint32_t> m_vecSlots;  // open addressing over the keys: position + 1, 0 free
  std::vector<std::pair<size_t, size_t>> m_vecRepeats;
};

// What ReadSectionKeys found of a set of N keys in one section: each key's line, the plain
// numbers it read and the ends of the values it saw whole (the bits tell which).
template <size_t N>
struct IniKeyLines {
  const char* apLines[N];
  int32_t anNumbers[N];
  const char* apValueEnds[N];
  uint64_t nPlain;
  uint64_t nEnded;
};

class CZorIni {
 public:
  static const int LINE_BUFFER = 2048;  // a line has at most 2047 characters
  static const int TITLE_BUFFER = 32;   // a title has at most 31 characters
  static const int NAME_BUFFER = 260;

  CZorIni();
  virtual ~CZorIni();
  CZorIni(const CZorIni&) = delete;
  CZorIni& operator=(const CZorIni&) = delete;

  // Reads the whole file: ".ini"/".ani" (any case) plain, ".dat" enciphered; any other name,
  // a null or empty one, a missing file or a short read gives false. An empty plain file opens
  // and has nothing in it; an empty ".dat" fails. bSearchAlternatives is unused (always false).
  bool Open(const char* pszFileName, bool bSearchAlternatives = false);
  // Frees the image; the reader is empty again.
  bool Close();

  // Moves to the next section. False at the end, with nothing loaded, and for a title of 32
  // characters or more (logged; the previous title stays, with no lines).
  bool ReadSection();
  // ReadSection and FindKeyLines in one walk over the section, for a loader that reads the keys
  // of one set from every section: the same answer and messages, and the same key lines in
  // apLines (a place per key). The section's lines are not listed (GetSectionLines is empty and
  // the getters by key name find nothing) unless an observer watches the load.
  bool ReadSectionKeys(const CIniKeySet& keys, const char** apLines);
  // ReadSectionKeys, reading in the same pass the key lines whose value is plain: 1 to 9
  // decimal digits right behind "=", then the line break. Bit i of nPlain is set when the line
  // of key i (apLines[i]) is so, its number in anNumbers[i] (what atoi reads of it). Bit i of
  // nEnded is set when the line of key i is no last line, its value is not empty and it ends at
  // apValueEnds[i] (what ValueAt answers then runs from the "=", spaces passed, to there). Keys
  // past the 64th, and every key while an observer watches the load, are left to the caller.
  // (anNumbers and apValueEnds are given both or neither.)
  bool ReadSectionKeys(const CIniKeySet& keys, const char** apLines, int32_t* anNumbers, uint64_t& nPlain,
                       const char** apValueEnds, uint64_t& nEnded);
  template <size_t N>
  bool ReadSectionKeys(const CIniKeySet& keys, IniKeyLines<N>& lines) {
    return ReadSectionKeys(keys, lines.apLines, lines.anNumbers, lines.nPlain, lines.apValueEnds, lines.nEnded);
  }
  // True when the walk has reached the end of the image (or there is none).
  bool AtEnd() const;
  // The current section's title; false (title untouched) while it is empty.
  bool GetSectionTitle(std::string& strTitle) const;
  // The current section's title as GetSectionTitle gives it; "" while it is empty.
  const char* SectionTitle() const { return m_szSectionTitle; }

  // The value of the first line "Key=..." of the current section: spaces after "=" skipped,
  // the rest kept up to the line's end, at most nBufferSize - 1 characters (1..2048). Fails
  // silently for a missing key; fails for "Key=" with nothing after it (logged when
  // bReportEmpty).
  bool ReadValue(const char* pszKey, char* pszBuffer, int nBufferSize, bool bReportEmpty = false);
  // ReadValue, then the text; a null or empty key is logged. On failure the value is untouched.
  bool ReadString(const char* pszKey, std::string& strValue, bool bReportEmpty = false);
  bool ReadZorString(const char* pszKey, ZorString::CZorString& strValue,
                     bool bReportEmpty = false);
  // Decimal only, as atoi: "0x10" gives 0, text gives 0.
  bool ReadInt(const char* pszKey, int& nValue, bool bReportEmpty = false);
  bool ReadFloat(const char* pszKey, float& fValue, bool bReportEmpty = false);

  // The next content line, leading blanks removed, trailing blanks kept; headers included.
  // False at the end.
  bool ReadLine(std::string& strLine);

  // Converts the blank-separated fields of the next content line into the (type, destination)
  // pairs that follow, up to a type of 0. Fails without a message at the end of the file; logs
  // "<file> file format wrong!" and fails when a pair finds the line already ended (blanks after
  // the last field). A line that ends after fewer fields than pairs succeeds. A field has at
  // most 2047 characters.
  bool ReadFields(int nType1, void* pDest1, ...);
  // The same with ten pairs; fails (logged) unless every pair with a non-zero type got a field.
  // A field has at most 255 characters.
  bool ReadFieldSet(IniField f1, IniField f2 = {}, IniField f3 = {}, IniField f4 = {},
                    IniField f5 = {}, IniField f6 = {}, IniField f7 = {}, IniField f8 = {},
                    IniField f9 = {}, IniField f10 = {});
  // The two steps of both, for a reader that converts the common fields itself: the next
  // content line (false at the end), then the conversion of its fields into the nFields pairs,
  // a malformed line logged. The rule of ReadFieldSet: nExpected pairs must get a field; of
  // ReadFields (nExpected FIELDS_AS_FOUND): no pair may find the line ended by blanks.
  static const int FIELDS_AS_FOUND = -1;
  bool ReadFieldLine(IniFieldLine& line);
  bool ConvertFieldLine(const IniFieldLine& line, const IniField* pFields, int nFields, int nExpected);
  // For a reader that converts a common line where it stands in the image: the walk's position
  // (null when nothing is left), and the move past a line so read, pNext right behind its line
  // break.
  const char* WalkPosition() const {
    return m_pBuffer != nullptr && m_pCursor < m_pBuffer.get() + m_nSize ? m_pCursor : nullptr;
  }
  void PassReadLine(const char* pNext) { m_pCursor = pNext; }

  // For every key of the set, the first line of the current section that starts with the key
  // directly followed by "=" (the line ReadValue takes), or null. apLines has a place per key.
  void FindKeyLines(const CIniKeySet& keys, const char** apLines);
  // The value of a line so found for the key: what ReadValue gives for it.
  bool ReadValueAt(const char* pLine, const char* pszKey, size_t nKey, char* pszBuffer,
                   int nBufferSize, bool bReportEmpty);
  // The value of such a line in the image, uncut (what ReadValueAt copies, as far as it fits;
  // it ends before a zero byte, which only the last line can hold).
  bool ValueAt(const char* pLine, const char* pszKey, size_t nKey, bool bReportEmpty,
               const char*& pValue, size_t& nValue);
  // What ValueAt answers for a key line whose value's end ReadSectionKeys marked.
  static std::string_view ValueBefore(const char* pLine, size_t nKey, const char* pValueEnd) {
    const char* p = pLine + nKey + 1;
    while (*p == ' ') ++p;
    return std::string_view(p, static_cast<size_t>(pValueEnd - p));
  }
  // The start of the value of such a line, for a conversion that stops at the line's end by
  // itself (as atoi does): what ReadValue would copy begins there, blanks aside. Null, as
  // ReadValueAt fails, when nothing at all follows the "=".
  const char* ValueStartAt(const char* pLine, const char* pszKey, size_t nKey, bool bReportEmpty);

  // The current section's content lines, in file order, each at its first non-blank character
  // inside the file image (each runs to CR, LF or the zero byte).
  const std::vector<const char*>& GetSectionLines() const { return m_vecSectionLines; }
  const char* GetFileName() const { return m_szFileName; }
  // The bytes of the open document's image (0 when none is open), for sizing what it fills.
  size_t GetImageSize() const { return m_pBuffer != nullptr ? m_nSize : 0; }
  // The current section's title line inside the file image; null before the first section.
  const char* GetSectionHeader() const { return m_pSectionHeader; }

  // Writes one record to the debug log when the reader reports errors (always): no repeat
  // filter, at most 2047 characters.
  static void LogError(const CZorIni* pIni, const char* pszFormat, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;

 private:
  struct LineSpan;
  bool LoadPlain(const char* pszPath);
  bool LoadEnciphered(const char* pszPath);
  bool LoadImage(const char* pszPath, bool bEnciphered);
  bool AllocateImage(uint32_t nSize);
  void StartWalk();
  template <bool FIND_KEY>
  static bool NextContentLine(const char*& p, const char* pDataEnd, const char*& pLastLine, LineSpan& span);
  bool ReadContentLine(LineSpan& span);
  const char* CopyToLineBuffer(const LineSpan& span);
  const char* FieldLine(const LineSpan& span, const char*& pLineEnd);
  static bool IsHeader(const LineSpan& span);
  bool ReadSectionTitle();
  bool ReadKeyText(const char* pszKey, char* pszBuffer, bool bReportEmpty);
  const char* FindKeyLine(const char* pszKey, size_t nKey);
  // Logs an empty value and tells an observer of it.
  void ReportEmptyValue(const char* pLine, const char* pszKey);
  // Tells an observer of a number value of the current section that does not read whole.
  void ObserveValue(const char* pszKey, bool bDecimal);
  void ObserveFormatWrong(const char* pLine);
  void IndexSectionKeys();
  size_t SlotOfKey(const char* pKey, size_t nKey) const;

  std::unique_ptr<char[], CImageRelease> m_pBuffer;  // the file image, zero padding after it
  const char* m_pCursor;              // first byte not yet read
  const char* m_pLastLine;  // start of a last line without line break once reached, else end
  std::unique_ptr<char[]> m_pLineBuffer;  // a long line cut to fit: taken when first needed
  uint32_t m_nSize;
  char m_szFileName[NAME_BUFFER];
  char m_szSectionTitle[TITLE_BUFFER];
  std::vector<const char*> m_vecSectionLines;
  // The keys of the current section, indexed on its first key lookup: each line's key is its
  // text before the first "=" (length in m_vecKeyLength, NO_KEY without "="), found through
  // open-addressing slots of (line position + 1).
  std::vector<uint32_t> m_vecKeySlots;
  std::vector<uint32_t> m_vecKeyLength;
  // Per line position, the key FindKeyLines found there last: sections written alike hold
  // their keys in the same order, so the guess mostly spares the key set's index.
  std::vector<size_t> m_vecKeyGuess;
  // Per key of the set ReadSectionKeys reads, the key found on the line after it last (the last
  // place: after the title): sections written alike list their keys in the same order.
  std::vector<uint32_t> m_vecKeyNext;
  bool m_bKeysIndexed;
  bool m_bReportErrors;
  const char* m_pSectionHeader = nullptr;
  // The header ReadSectionKeys stopped at (null for none): where it starts, its length without
  // the blanks after it, and where the line after it starts.
  const char* m_pHeaderAhead = nullptr;
  size_t m_nHeaderAheadLength = 0;
  const char* m_pAfterHeaderAhead = nullptr;
};

// The keys of a set in the current section of a reader, found once through the section's key
// index; each Read... gives what the CZorIni getter of that name gives for the key, messages
// included.
class CIniSectionKeys {
 public:
  static const size_t MAX_KEYS = 32;
  CIniSectionKeys(CZorIni& ini, const CIniKeySet& keys) : m_ini(ini), m_keys(keys) {
    ini.FindKeyLines(keys, m_apLines);
  }
  // The key lines ReadSectionKeys found for the set in the current section, the plain numbers
  // it read of them (ReadInt answers those without reading them again) and the ends of the
  // values it saw whole (which the texts are taken up to).
  template <size_t N>
  CIniSectionKeys(CZorIni& ini, const CIniKeySet& keys, const IniKeyLines<N>& lines)
      : m_ini(ini), m_keys(keys), m_anNumbers(lines.anNumbers), m_nPlain(lines.nPlain),
        m_apValueEnds(lines.apValueEnds), m_nEnded(lines.nEnded) {
    std::copy(lines.apLines, lines.apLines + keys.Count(), m_apLines);
  }
  bool ReadValue(size_t nKey, char* pszBuffer, int nBufferSize, bool bReportEmpty) {
    return m_apLines[nKey] != nullptr &&
           m_ini.ReadValueAt(m_apLines[nKey], m_keys.Key(nKey), m_keys.KeyLength(nKey), pszBuffer,
                             nBufferSize, bReportEmpty);
  }
  bool ReadInt(size_t nKey, int& nValue, bool bReportEmpty);
  bool ReadFloat(size_t nKey, float& fValue, bool bReportEmpty);
  bool ReadZorString(size_t nKey, ZorString::CZorString& strValue, bool bReportEmpty);
  // The text ReadValue would copy, where it stands in the reader's image (valid while it is).
  bool ReadText(size_t nKey, std::string_view& text, bool bReportEmpty);
  // Where the value of the key's line begins (CZorIni::ValueStartAt); null for a missing key.
  const char* ValueStart(size_t nKey, bool bReportEmpty) {
    if (nKey < 64 && (m_nEnded >> nKey & 1) != 0) return m_apLines[nKey] + m_keys.KeyLength(nKey) + 1;
    return m_apLines[nKey] != nullptr
               ? m_ini.ValueStartAt(m_apLines[nKey], m_keys.Key(nKey), m_keys.KeyLength(nKey), bReportEmpty)
               : nullptr;
  }

 private:
  CZorIni& m_ini;
  const CIniKeySet& m_keys;
  const int32_t* m_anNumbers = nullptr;
  uint64_t m_nPlain = 0;
  const char* const* m_apValueEnds = nullptr;
  uint64_t m_nEnded = 0;
  const char* m_apLines[MAX_KEYS];
};

}  // namespace ZorGameBase
