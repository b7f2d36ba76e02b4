// Sound events (ini/SoundEvent.ini) and sound resources (ini/SoundRes.ini).
#include <algorithm>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "3DRoleBaseData.h"
#include "LoadFindings.h"
#include "TextScan.h"
#include "TableText.h"
#include "ZorCommon.h"
#include "ZorIni.h"
#include "ZorRandom.h"

using ZorGameBase::CTextScan;

namespace {

const char SOUND_EVENT_FILE[] = "ini/SoundEvent.ini";
const char SOUND_RES_FILE[] = "ini/SoundRes.ini";
// Both files are read as fgets reads them into a buffer of this size.
const size_t SOUND_LINE_BUFFER = 1024;
// About the least a "Sound=" line takes, to size the file list by.
const size_t FILE_HINT_BYTES = 32;

// Lines "id=name", e.g. 12=snd_hit or -1=snd_none; the id is read signed and kept bit for bit.
bool ParseSoundEventLine(std::string_view line, uint32_t& nId, std::string_view& name) {
  CTextScan scan(line);
  int32_t nSigned;
  if (!(scan.Int32(nSigned) && scan.Literal('=') && scan.Word(name))) return false;
  nId = static_cast<uint32_t>(nSigned);
  return true;
}

// Tells the observer of the event's line (pLine), for its report of repeated events.
ZOR_OBSERVER_PATH void NoteEvent(ZorGameBase::CDuplicateKeys& duplicates, uint32_t nId, const char* pLine) {
  duplicates.Note(nId, pLine, ("event " + std::to_string(static_cast<int32_t>(nId))).c_str());
}

// One line (a piece of at most 1023 characters) of ini/SoundRes.ini.
//   [title]      opens a section; the title is the text up to the first ']', blanks kept
//   Sound=file   adds a file to the open section (blanks before '=' make another key)
// Lines starting with ';' or a line feed, other keys and lines before the first section are
// skipped; a '[' line without ']' leaves the open section open. Comments after a value go.
void ReadSoundResLine(std::string_view line, SoundResTable& table) {
  if (line.empty() || line[0] == '\n' || line[0] == ';') return;
  if (line[0] == '[') {
    const char* pClose = FindCharGbk(line, ']');
    if (pClose != nullptr) table.OpenSection(line.substr(1, static_cast<size_t>(pClose - line.data() - 1)));
    return;
  }
  std::string_view setting = TrimSettingLine(line);
  size_t nEquals = setting.find('=');
  if (nEquals == std::string_view::npos || setting.substr(0, nEquals) != "Sound") return;
  table.AddFile(SkipLeadingSpace(setting.substr(nEquals + 1)));
}

// The end of a plain value at p: its first byte below '!' or above 0x7F. Null when a ';' or
// "//" stands before it, or when a step would come within 9 bytes of pEnd: such a line is
// read the general way. Eight bytes a step (after the steps of sixteen, where the processor
// has them); the marks of ';' and "//" above the lowest may be false, which only sends a line
// the general way.
const char* FindPlainValueEnd(const char* p, const char* pEnd) {
  namespace zb = ZorGameBase;
#if defined(ZOR_SCAN_SSE2)
  // Sixteen bytes a step where the processor can; the marks are exact.
  const __m128i nSpace = _mm_set1_epi8(' ');
  while (pEnd - p >= 17) {
    __m128i nBytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    __m128i nNext = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
    unsigned nStops = static_cast<unsigned>(_mm_movemask_epi8(nBytes) |
                                            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(nBytes, nSpace), nBytes)));
    __m128i nSlash = _mm_set1_epi8('/');
    unsigned nOdd = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_or_si128(_mm_cmpeq_epi8(nBytes, _mm_set1_epi8(';')),
                     _mm_and_si128(_mm_cmpeq_epi8(nBytes, nSlash), _mm_cmpeq_epi8(nNext, nSlash)))));
    if (nStops != 0) return (nOdd & ((nStops & (0 - nStops)) - 1)) != 0 ? nullptr : p + zb::CountTrailingZeros(nStops);
    if (nOdd != 0) return nullptr;
    p += 16;
  }
#endif
  while (pEnd - p >= 9) {
    uint64_t nWord = zb::LoadWord(p);
    uint64_t nStops = ((nWord - zb::WORD_ONES * 0x21) | nWord) & zb::WORD_HIGHS;
    uint64_t nOdd = zb::BytesEqual(nWord, ';') | (zb::BytesEqual(nWord, '/') & zb::BytesEqual(zb::LoadWord(p + 1), '/'));
    if (nStops != 0) {
      if ((nOdd & ((nStops & (0 - nStops)) - 1)) != 0 || !zb::MoveToLowestMark(p, nStops)) return nullptr;
      return p;
    }
    if (nOdd != 0) return nullptr;
    p += 8;
  }
  return nullptr;
}

// The first ']', line feed or byte above 0x7F (which may lead a GBK character) from p on, or
// pEnd. Sixteen bytes a step where the processor can, else eight.
const char* FindTitleEnd(const char* p, const char* pEnd) {
  namespace zb = ZorGameBase;
#if defined(ZOR_SCAN_SSE2)
  p = zb::SkipUnmarkedBlocks(p, pEnd, [](__m128i nBytes) {
    __m128i nStops = _mm_or_si128(_mm_cmpeq_epi8(nBytes, _mm_set1_epi8(']')), _mm_cmpeq_epi8(nBytes, _mm_set1_epi8('\n')));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(nStops, nBytes)));
  });
  if (pEnd - p >= 16) return p;
#endif
  return zb::FindByte(
      p, pEnd,
      [](uint64_t nWord) { return zb::BytesEqual(nWord, ']') | zb::BytesEqual(nWord, '\n') | (nWord & zb::WORD_HIGHS); },
      [](char ch) { return ch == ']' || ch == '\n' || static_cast<unsigned char>(ch) >= 0x80; });
}

// The common lines of ini/SoundRes.ini read where they stand (see ForEachLineRecord), as
// ReadSoundResLine reads them: blank and ';' lines, "[title]" without double-byte characters
// before the ']', and "Sound=file" whose file holds no white space, comment or double-byte
// character, perhaps followed by blanks and a comment. Take then does what the line asks.
class CSoundResLineReader {
 public:
  explicit CSoundResLineReader(SoundResTable& table) : m_table(table) {}

  const char* Read(const char* p, const char* pEnd) {
    m_eAction = NOTHING;
    if (*p == '\n' || *p == ';') return p;
    if (*p == '[') {
      const char* pStop = FindTitleEnd(p + 1, pEnd);
      if (pStop == pEnd || *pStop != ']') return pStop < pEnd && *pStop == '\n' ? pStop : nullptr;
      m_eAction = OPEN;
      m_text = std::string_view(p + 1, static_cast<size_t>(pStop - p - 1));
      return pStop + 1;
    }
    static const char KEY[] = "Sound=";
    const size_t KEY_LENGTH = sizeof(KEY) - 1;
    if (static_cast<size_t>(pEnd - p) <= KEY_LENGTH || memcmp(p, KEY, KEY_LENGTH) != 0) return nullptr;
    const char* pValue = p + KEY_LENGTH;
    const char* pStop = FindPlainValueEnd(pValue, pEnd);
    if (pStop == nullptr || (*pStop != ' ' && *pStop != '\t' && *pStop != '\n')) return nullptr;
    if (pStop == pValue && *pStop != '\n') return nullptr;  // blanks before the file
    const char* pAfter = SkipBlanks(pStop);
    if (!(pAfter < pEnd && (*pAfter == '\n' || *pAfter == ';' ||
                            (*pAfter == '/' && pAfter + 1 < pEnd && pAfter[1] == '/')))) {
      return nullptr;  // more text after the blanks
    }
    m_eAction = ADD_FILE;
    m_text = std::string_view(pValue, static_cast<size_t>(pStop - pValue));
    return pAfter;
  }
  void Take() {
    if (m_eAction == OPEN) {
      m_table.OpenSection(m_text);
    } else if (m_eAction == ADD_FILE) {
      m_table.AddFile(m_text);
    }
  }

 private:
  enum Action { NOTHING, OPEN, ADD_FILE };
  SoundResTable& m_table;
  Action m_eAction = NOTHING;
  std::string_view m_text;
};

}  // namespace

// A later line of an id replaces its name. Malformed lines are skipped silently.
int32_t C3DRoleBaseData::CreateSoundEventInfo() {
  m_mapSoundEvent.BeginLoad();
  std::unique_ptr<ZorGameBase::CDuplicateKeys> pDuplicates;  // with an observer only
  if (ZorGameBase::LoadObserver() != nullptr) {
    pDuplicates.reset(new ZorGameBase::CDuplicateKeys(SOUND_EVENT_FILE, ZorGameBase::RULE_DUPLICATE_KEY, true));
  }
  uint32_t nId = 0;
  std::string_view name;
  const char* pLine = nullptr;
  auto fnTake = [&] {
    m_mapSoundEvent.Append(nId, name);
    if (pDuplicates) NoteEvent(*pDuplicates, nId, pLine);
  };
  bool bOpened = ForEachLineRecord(
      SOUND_EVENT_FILE, SOUND_LINE_BUFFER,
      [&](const char* p, const char* pEnd) -> const char* {
        if (pLine == nullptr) {  // the first line starts the image: its size sizes the table
          m_mapSoundEvent.Reserve(RecordsHint(static_cast<size_t>(pEnd - p), LINE_HINT_BYTES),
                                  static_cast<size_t>(pEnd - p));
        }
        // "id=name" with no white space before the name: the name ends at the first white space.
        pLine = p;
        uint64_t nNumber;
        if (!ZorGameBase::DecimalHere(p, ZorGameBase::IMAGE_END, nNumber) || *p != '=' ||
            ZorGameBase::IsScanSpace(*++p)) {
          return nullptr;
        }
        nId = static_cast<uint32_t>(nNumber);
        const char* pNameEnd = CTextScan::FindSpace(p, pEnd);
        name = std::string_view(p, static_cast<size_t>(pNameEnd - p));
        return pNameEnd;
      },
      fnTake,
      [&](std::string_view line) {
        if (!line.empty() && (line[0] == '\n' || line[0] == ';')) return true;
        pLine = line.data();
        if (ParseSoundEventLine(line, nId, name)) {
          fnTake();
        } else if (pDuplicates) {
          ObserveLine(ZorGameBase::RULE_LINE_IGNORED, SOUND_EVENT_FILE, line,
                      "the line does not read as \"id=name\"; the client skips it");
        }
        return true;
      });
  m_mapSoundEvent.EndLoad();
  return bOpened ? 1 : 0;
}

// Sections already in the table keep their files; only new titles are added.
int32_t C3DRoleBaseData::CreateSoundResInfo() {
  m_mapSoundRes.BeginLoad();
  CSoundResLineReader reader(m_mapSoundRes);
  const char* pImage = nullptr;
  bool bOpened = ForEachLineRecord(
      SOUND_RES_FILE, SOUND_LINE_BUFFER,
      [&](const char* p, const char* pEnd) {
        if (pImage == nullptr) {  // the first line starts the image: its size sizes the table
          pImage = p;
          size_t nBytes = static_cast<size_t>(pEnd - p);
          m_mapSoundRes.Reserve(RecordsHint(nBytes, SECTION_HINT_BYTES), RecordsHint(nBytes, FILE_HINT_BYTES), nBytes);
        }
        return reader.Read(p, pEnd);
      },
      [&] { reader.Take(); },
      [&](std::string_view piece) {
        ReadSoundResLine(piece, m_mapSoundRes);
        return true;
      });
  m_mapSoundRes.EndLoad();
  return bOpened ? 1 : 0;
}

// The event's sound name, or null.
const char* C3DRoleBaseData::GetSoundEventName(uint32_t nEventId) {
  return m_mapSoundEvent.Find(nEventId);
}

// Null for a null or empty name; the name itself when no section has it as title; null for a
// section without files; its file when it has one. Of several files one is drawn with the
// runtime generator freshly seeded from the clock's seconds, so calls within one second pick
// the same file.
const char* C3DRoleBaseData::GetSoundFile(const char* pszName) {
  if (pszName == nullptr || pszName[0] == '\0') return nullptr;
  size_t nFiles = 0;
  const char* const* ppszFiles = nullptr;
  if (!m_mapSoundRes.Find(std::string_view(pszName), ppszFiles, nFiles)) return pszName;
  if (nFiles == 0) return nullptr;
  if (nFiles == 1) return ppszFiles[0];
  ZorGameBase::ZorSrand(static_cast<unsigned>(time(nullptr)));
  unsigned nDraw = static_cast<unsigned>(ZorGameBase::ZorRand());
  return ppszFiles[nDraw % nFiles];
}

void C3DRoleBaseData::ReleaseSoundEventInfo() { m_mapSoundEvent.Clear(); }

void C3DRoleBaseData::ReleaseSoundResInfo() { m_mapSoundRes.Clear(); }
