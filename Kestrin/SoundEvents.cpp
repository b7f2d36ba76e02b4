// Sound events (ini/SoundEvent.ini) and sound resources (ini/SoundRes.ini).
#include <algorithm>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>
#include <utility>

#include "3DRoleBaseData.h"
#include "TextScan.h"
#include "WordStream.h"
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

// One section of ini/SoundRes.ini while it is read.
struct OpenSoundRes {
  bool bOpen = false;
  std::string strTitle;
  SoundResInfo info;
};

// Enters the open section under its title unless that title is already there: of two
// sections with one title, the first is kept.
void EnterSoundRes(SoundResTable& table, OpenSoundRes& section) {
  if (!section.bOpen) return;
  bool bInserted = false;
  SoundResInfo& entry = table.FindOrAdd(std::move(section.strTitle), &bInserted);
  if (bInserted) entry = std::move(section.info);
  section.info = SoundResInfo();
  section.bOpen = false;
}

// One line (at most 1023 characters, zero-terminated) of ini/SoundRes.ini.
//   [title]      opens a section; the title is the text up to the first ']', blanks kept
//   Sound=file   adds a file to the open section (blanks before '=' make another key)
// Lines starting with ';' or a line feed, other keys and lines before the first section are
// skipped; a '[' line without ']' leaves the open section open.
void ReadSoundResLine(char* pszLine, SoundResTable& table, OpenSoundRes& section) {
  if (pszLine[0] == '\n' || pszLine[0] == ';') return;
  if (pszLine[0] == '[') {
    const char* pszClose = ZorGameBase::ZorStrChr(pszLine, ']');
    if (pszClose == nullptr) return;
    EnterSoundRes(table, section);
    section.bOpen = true;
    section.strTitle.assign(pszLine + 1, static_cast<size_t>(pszClose - (pszLine + 1)));
    return;
  }
  ZorGameBase::TrimLineHead(pszLine);
  ZorGameBase::TrimLineTail(pszLine);
  char* pszEquals = strchr(pszLine, '=');
  if (pszEquals == nullptr) return;
  *pszEquals = '\0';
  char* pszValue = pszEquals + 1;
  ZorGameBase::TrimLineHead(pszValue);
  if (section.bOpen && strcmp(pszLine, "Sound") == 0) section.info.vecFiles.emplace_back(pszValue);
}

}  // namespace

// A later line of an id replaces its name. Malformed lines are skipped silently.
int32_t C3DRoleBaseData::CreateSoundEventInfo() {
  std::string image;
  if (!ZorGameBase::ReadFileImage(SOUND_EVENT_FILE, image, true)) return 0;
  m_mapSoundEvent.Reserve(m_mapSoundEvent.Size() + CountLines(image));
  CTextScan scan(image);
  std::string_view line;
  while (scan.LinePiece(line, SOUND_LINE_BUFFER)) {
    if (!line.empty() && (line[0] == '\n' || line[0] == ';')) continue;
    uint32_t nId;
    std::string_view name;
    if (ParseSoundEventLine(line, nId, name)) m_mapSoundEvent.FindOrAdd(nId).assign(name);
  }
  return 1;
}

// Sections already in the table keep their files; only new titles are added.
int32_t C3DRoleBaseData::CreateSoundResInfo() {
  std::string image;
  if (!ZorGameBase::ReadFileImage(SOUND_RES_FILE, image, true)) return 0;
  m_mapSoundRes.Reserve(m_mapSoundRes.Size() +
                        static_cast<size_t>(std::count(image.begin(), image.end(), '[')));
  CTextScan scan(image);
  std::string_view piece;
  char szLine[SOUND_LINE_BUFFER];
  OpenSoundRes section;
  while (scan.LinePiece(piece, SOUND_LINE_BUFFER)) {
    memcpy(szLine, piece.data(), piece.size());
    szLine[piece.size()] = '\0';
    ReadSoundResLine(szLine, m_mapSoundRes, section);
  }
  EnterSoundRes(m_mapSoundRes, section);
  return 1;
}

// The event's sound name, or null.
const char* C3DRoleBaseData::GetSoundEventName(uint32_t nEventId) {
  const std::string* pName = m_mapSoundEvent.Find(nEventId);
  return pName != nullptr ? pName->c_str() : nullptr;
}

// Null for a null or empty name; the name itself when no section has it as title; null for a
// section without files; its file when it has one. Of several files one is drawn with the
// runtime generator freshly seeded from the clock's seconds, so calls within one second pick
// the same file.
const char* C3DRoleBaseData::GetSoundFile(const char* pszName) {
  if (pszName == nullptr || pszName[0] == '\0') return nullptr;
  const SoundResInfo* pInfo = m_mapSoundRes.Find(std::string_view(pszName));
  if (pInfo == nullptr) return pszName;
  const std::vector<std::string>& files = pInfo->vecFiles;
  if (files.empty()) return nullptr;
  if (files.size() == 1) return files[0].c_str();
  ZorGameBase::ZorSrand(static_cast<unsigned>(time(nullptr)));
  unsigned nDraw = static_cast<unsigned>(ZorGameBase::ZorRand());
  return files[nDraw % files.size()].c_str();
}

void C3DRoleBaseData::ReleaseSoundEventInfo() { m_mapSoundEvent.Clear(); }

void C3DRoleBaseData::ReleaseSoundResInfo() { m_mapSoundRes.Clear(); }
