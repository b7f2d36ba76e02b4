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

// Lines "id=name", e.g. 12=snd_hit or -1=snd_none; the id is read signed and kept bit for bit.
bool ParseSoundEventLine(std::string_view line, uint32_t& nId, std::string_view& name) {
  CTextScan scan(line);
  int32_t nSigned;
  if (!(scan.Int32(nSigned) && scan.Literal('=') && scan.Word(name))) return false;
  nId = static_cast<uint32_t>(nSigned);
  return true;
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

}  // namespace

// A later line of an id replaces its name. Malformed lines are skipped silently.
int32_t C3DRoleBaseData::CreateSoundEventInfo() {
  ZorGameBase::CFileImage image;
  if (!image.Read(SOUND_EVENT_FILE, true)) return 0;
  m_mapSoundEvent.Reserve(RecordsHint(image.Size(), LINE_HINT_BYTES), image.Size());
  m_mapSoundEvent.BeginLoad();
  CLinePieces pieces(image.View(), SOUND_LINE_BUFFER);
  std::unique_ptr<ZorGameBase::CDuplicateKeys> pDuplicates;  // with an observer only
  if (ZorGameBase::LoadObserver() != nullptr) {
    pDuplicates.reset(new ZorGameBase::CDuplicateKeys(SOUND_EVENT_FILE, ZorGameBase::RULE_DUPLICATE_KEY, true));
  }
  std::string_view line;
  while (pieces.Next(line)) {
    if (!line.empty() && (line[0] == '\n' || line[0] == ';')) continue;
    uint32_t nId;
    std::string_view name;
    if (ParseSoundEventLine(line, nId, name)) {
      m_mapSoundEvent.Append(nId, name);
      if (pDuplicates) pDuplicates->Note(nId, line.data(), ("event " + std::to_string(static_cast<int32_t>(nId))).c_str());
    } else if (pDuplicates) {
      ObserveLine(ZorGameBase::RULE_LINE_IGNORED, SOUND_EVENT_FILE, line,
                  "the line does not read as \"id=name\"; the client skips it");
    }
  }
  m_mapSoundEvent.EndLoad();
  return 1;
}

// Sections already in the table keep their files; only new titles are added.
int32_t C3DRoleBaseData::CreateSoundResInfo() {
  ZorGameBase::CFileImage image;
  if (!image.Read(SOUND_RES_FILE, true)) return 0;
  m_mapSoundRes.Reserve(RecordsHint(image.Size(), SECTION_HINT_BYTES), image.Size());
  m_mapSoundRes.BeginLoad();
  CLinePieces pieces(image.View(), SOUND_LINE_BUFFER);
  std::string_view piece;
  while (pieces.Next(piece)) ReadSoundResLine(piece, m_mapSoundRes);
  m_mapSoundRes.EndLoad();
  return 1;
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
