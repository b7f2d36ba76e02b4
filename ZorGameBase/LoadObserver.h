#pragma once
// What a load does with the lines it does not take whole, told to an observer that the
// module's own tools attach (the client attaches none, and the module does not export this).
// Each finding names the file as the client names it, the 1-based line as an editor counts it
// (for a .dat file, the line of the deciphered text) and the column where known, a rule and a
// severity, the debug-log record written for it and a one-line hint.
//
// With no observer attached a loader tests one pointer per line it drops or cuts, and does
// nothing else: the debug log is the same byte for byte either way.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

// Marks what a loader calls only with an observer attached, to keep it out of the fast path.
#if defined(__GNUC__) || defined(__clang__)
#define ZOR_OBSERVER_PATH __attribute__((noinline, cold))
#else
#define ZOR_OBSERVER_PATH __declspec(noinline)
#endif

namespace ZorGameBase {

enum FindingSeverity { FINDING_WARNING = 1, FINDING_ERROR = 2 };

// The kinds of finding; LoadRuleId gives each its name ("number-cut").
enum LoadRule {
  RULE_LINE_REJECTED,     // the loader logged the line and dropped it
  RULE_LINE_IGNORED,      // the line does not fit the format and is dropped without a record
  RULE_FIELDS_MISSING,    // a record with fewer fields than the format has
  RULE_SECTION_UNCLOSED,  // "[1001" without ']'
  RULE_KEY_OUTSIDE_SECTION,
  RULE_WORD_CUT,          // a word longer than the reader's buffer
  RULE_NAME_TOO_LONG,     // a name kept whole but longer than the table allows
  RULE_NUMBER_CUT,        // "15OO" read as 15, "25b" as 25
  RULE_NUMBER_MISSING,    // "O.8" where a number belongs: read as 0 or not at all
  RULE_NUMBER_RANGE,      // a number outside its field's range
  RULE_DUPLICATE_KEY,
  RULE_DUPLICATE_SECTION,
  RULE_TEXT_BOM,
  RULE_TEXT_UTF8,
  RULE_TEXT_NOT_GBK,
  RULE_TEXT_NUL,
  RULE_DAT_PLAIN,         // a .dat file that is not enciphered
  RULE_TABLE_MISSING,
  RULE_TABLE_UNREADABLE,
  RULE_TRACK_SHORT,       // a track file with fewer frames than it announces
  RULE_TRACK_MISSING,     // a track file that a table names and that is absent
  RULE_LOG_UNWRITABLE,    // the module cannot write its debug log
  RULE_UNKNOWN_REFERENCE, // a key of another table that no record of it defines
  RULE_CELL_SHARED,       // two fighters on one battle cell
  RULE_LOG_RECORD,        // a debug-log record no other finding explains
  RULE_COUNT
};

const char* LoadRuleId(LoadRule rule);
FindingSeverity LoadRuleSeverity(LoadRule rule);
const char* LoadRuleHint(LoadRule rule);

struct LoadFinding {
  std::string strFile;  // "ini/Npc.ini"; "debug" for the log folder
  int nLine = 0;        // 0: the file as a whole
  int nColumn = 0;      // 0: not known
  LoadRule rule = RULE_LINE_REJECTED;
  FindingSeverity severity = FINDING_ERROR;
  std::string strMessage;
  std::string strLogRecord;  // empty when the load wrote none for it
  std::string strHint;
};

// Told about every line a loader does not take whole; the load goes on either way. Called on
// the loading thread; an observer must not write to the debug log itself.
class ILoadObserver {
 public:
  virtual ~ILoadObserver() = default;
  virtual void Finding(const LoadFinding& finding) = 0;
  // Every record handed to the debug log file while attached, in order, before the finding
  // that quotes it (if any).
  virtual void LogRecord(const std::string& strRecord) = 0;
};

namespace detail {
extern ILoadObserver* g_pLoadObserver;
}
// The attached observer, or null (the client's case).
inline ILoadObserver* LoadObserver() { return detail::g_pLoadObserver; }
// Attaches (or, with null, detaches) the observer of the loads that follow.
void SetLoadObserver(ILoadObserver* pObserver);

// Called by the readers with an observer attached: the file whose image the loader walks now.
// Findings at a position inside [pBegin, pBegin + nSize) get its line and column. Reports a
// byte-order mark, UTF-8 text, bytes that are not GBK and zero bytes in it unless bCheckText
// is false (a .dat file that did not decipher to text).
void ObserveFile(const char* pszFile, const char* pBegin, size_t nSize, bool bCheckText = true);
// ObserveFile for a .dat file, given the first bytes as read (pRaw, before deciphering) and the
// deciphered image: a file that was plain text to begin with is reported instead of its text.
void ObserveEnciphered(const char* pszFile, const unsigned char* pRaw, size_t nRaw,
                       const char* pBegin, size_t nSize);
// A file that could not be opened or read: missing (RULE_TABLE_MISSING) or there but unreadable.
void ObserveOpenFailure(const char* pszFile);

// Reports a finding; pAt inside the observed image gives the line and column, else the whole
// file is meant. With bQuoteLog the record the debug log took last is quoted. Only call with
// an observer attached.
void ReportFinding(LoadRule rule, const char* pszFile, const char* pAt, const std::string& strMessage,
                   bool bQuoteLog = false);
// The same at a line known by number (0: the whole file).
void ReportFindingAtLine(LoadRule rule, const char* pszFile, int nLine, int nColumn,
                         const std::string& strMessage, bool bQuoteLog = false);
// ReportFinding in the file observed now.
void ReportObserved(LoadRule rule, const char* pAt, const std::string& strMessage);
// A word longer than the word reader's nMax characters, at its place in the observed file.
void ObserveWordCut(const char* pWord, size_t nLength, size_t nMax);
// The first whole-number word of [pText, pEnd) outside the signed 32-bit range, or null.
const char* FindOutOfRange(const char* pText, const char* pEnd);
// The 1-based line of a position inside the observed image, 0 outside it.
int ObservedLine(const char* pAt);

// Called by the debug log for each record it appends while an observer is attached; bWritten
// false when the log file could not be opened.
void NoteLogRecord(const char* pszRecord, bool bWritten);

// Reports keys that a load reads more than once, naming the line of each; used by loaders
// only while an observer is attached.
class CDuplicateKeys {
 public:
  CDuplicateKeys(const char* pszFile, LoadRule rule, bool bLastStands)
      : m_pszFile(pszFile), m_rule(rule), m_bLastStands(bLastStands) {}
  // pAt: the key's place in the observed image.
  void Note(int64_t nKey, const char* pAt, const char* pszWhat);

 private:
  const char* m_pszFile;
  LoadRule m_rule;
  bool m_bLastStands;
  std::unordered_map<int64_t, int> m_lines;
};

// Whether a number text is whole: after optional blanks and a sign, digits (or, for a decimal
// text, a decimal number) up to the end or to blanks alone. Used to report "15OO" and "25b".
bool IsWholeNumber(const char* pText, const char* pEnd, bool bDecimal);

}  // namespace ZorGameBase
