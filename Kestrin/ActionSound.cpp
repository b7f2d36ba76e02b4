// Action sounds of ini/ActionSound.ini.
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "3DRoleBaseData.h"
#include "DebugLog.h"
#include "LoadFindings.h"
#include "TextScan.h"
#include "TableText.h"

using ZorGameBase::CTextScan;

namespace {

const char ACTION_SOUND_FILE[] = "ini/ActionSound.ini";
// The line the long-name assertion has always named in the log, which its readers know.
const int ACTION_SOUND_ASSERT_LINE = 2896;

// a * 10^7 + b * 10^4 + c: a's part in 64 bits, b's in 32 bits (wrapping from b = 429497 on).
uint64_t PackActionSoundKey(uint32_t a, uint32_t b, uint32_t c) {
  return uint64_t{a} * 10000000 + uint32_t(b * 10000u) + c;
}

// Words "a.b.c=name", e.g. 1201.999.3=snd_swing; the name is the rest of the word. There is no
// comment syntax: the first word that does not parse is logged and ends the load.
class CActionSoundReader {
 public:
  explicit CActionSoundReader(ActionSoundTable& table) : m_table(table) {}

  bool Stopped() const { return m_bStopped; }
  // The word at p read where it stands (see CWordStream::ReadNext): the end of the word, or
  // null when it is not a record.
  const char* operator()(const char* p, const char* pLimit) const {
    uint32_t anKey[3];
    std::string_view name;
    const char* pEnd = CWordStream::NumbersAndName(p, pLimit, anKey, name);
    if (pEnd == nullptr) return nullptr;
    CheckName(name);
    m_table.Append(PackActionSoundKey(anKey[0], anKey[1], anKey[2]), name);
    return pEnd;
  }
  // Any word as CWordStream::Next gives it.
  void operator()(std::string_view word) {
    uint32_t a, b, c;
    std::string_view name;
    CTextScan scan(word);
    if (!(scan.UInt32(a) && scan.Literal('.') && scan.UInt32(b) && scan.Literal('.') && scan.UInt32(c) &&
          scan.Literal('=') && RestOfWord(scan, name))) {
      ZorGameBase::DebugLog("error line:[%s] in %s!", std::string(word).c_str(), ACTION_SOUND_FILE);
      if (ZorGameBase::LoadObserver() != nullptr) {
        ObserveLine(ZorGameBase::RULE_LINE_REJECTED, ACTION_SOUND_FILE, word,
                    "the word does not read as \"a.b.c=sound\"; the client stops reading the file here", true);
      }
      m_bStopped = true;
      return;
    }
    CheckName(name);
    m_table.Append(PackActionSoundKey(a, b, c), name);
  }

 private:
  // Names are meant to stay below 128 characters; a longer one is reported (and kept). A word
  // holds no zero byte, so only a long name needs its C string for the check.
  static void CheckName(std::string_view name) {
    if (name.size() >= 128) ReportLongName(name);
  }
  static void ReportLongName(std::string_view name) {
    char szSound[1024];  // a word has at most 1023 characters
    memcpy(szSound, name.data(), name.size());
    szSound[name.size()] = '\0';
    ASSERT_AS(strlen(szSound) < 128, ACTION_SOUND_ASSERT_LINE, SERVICE_SOURCE, "C3DRoleBaseData::CreateSoundInfo");
    if (ZorGameBase::LoadObserver() != nullptr) {
      ZorGameBase::ReportFinding(ZorGameBase::RULE_NAME_TOO_LONG, ACTION_SOUND_FILE, name.data(),
                                 "the sound name has " + std::to_string(name.size()) +
                                     " characters; sound names stay below 128",
                                 true);
    }
  }

 private:
  ActionSoundTable& m_table;
  bool m_bStopped = false;
};

}  // namespace

// Every word is a record. The first word that does not parse ends the load, keeping what was
// read before it (the answer is still 1).
int32_t C3DRoleBaseData::CreateSoundInfo() {
  ZorGameBase::CFileImage image;
  if (!image.Read(ACTION_SOUND_FILE, true)) {
    ZorGameBase::DebugLog("error on open %s.", ACTION_SOUND_FILE);
    return 0;
  }
  m_mapActionSound.Reserve(RecordsHint(image.Size(), LINE_HINT_BYTES), image.Size());
  m_mapActionSound.BeginLoad();
  CWordStream words(image);
  CActionSoundReader reader(m_mapActionSound);
  while (!reader.Stopped() && words.ReadNext(reader, reader)) {
  }
  m_mapActionSound.EndLoad();
  return 1;
}

// The name under (a, b, c), else under (a, 999, c), else null.
const char* C3DRoleBaseData::GetActionSound(uint32_t a, uint32_t b, uint32_t c) {
  const char* pszName = m_mapActionSound.Find(PackActionSoundKey(a, b, c));
  return pszName != nullptr ? pszName : m_mapActionSound.Find(PackActionSoundKey(a, 999, c));
}
