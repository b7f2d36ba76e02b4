// Sound events, sound resources, 3D effects and action sounds. A key counts as answered when
// the module answers the name the file gives it (the last line or word of a key wins).
#include <algorithm>
#include <cstring>

#include "TableViews.h"
#include "ZorCommon.h"
#include "ZorIni.h"

namespace {

using ZorGameBase::CTextScan;

const char NAME_AS_WRITTEN[] =
    "keys the file lists / keys the module answers with the name written";

bool SameText(const char* pszAnswer, const std::string& strWritten) {
  return pszAnswer != nullptr && strWritten == pszAnswer;
}

// "%d=%s" on lines that do not begin with a line break or ';': SoundEvent.ini.
bool ScanSoundEvent(std::string_view line, std::array<int64_t, 1>& key, std::string& strName) {
  if (line.empty() || line[0] == '\n' || line[0] == ';') return false;
  CTextScan scan(line);
  int32_t nEvent = 0;
  std::string_view name;
  if (!scan.Int32(nEvent) || !scan.Literal('=') || !scan.Word(name)) return false;
  key = {nEvent};
  strName = name;
  return true;
}

Json AskSoundEvent(I3DRoleBaseData& data, const std::array<int64_t, 1>& key,
                   const std::string& strName, bool& bAnswered) {
  const char* pszAnswer = data.GetSoundEventName(static_cast<uint32_t>(key[0]));
  bAnswered = SameText(pszAnswer, strName);
  return Json{{"event", key[0]}, {"name", JsonText(pszAnswer)}};
}

// "%u.%u.%u.%u=%s" on words that do not begin with '/' or ';': the 3D effect tables.
bool ScanEffect(std::string_view word, std::array<int64_t, 4>& key, std::string& strName) {
  if (word.empty() || word[0] == '/' || word[0] == ';') return false;
  CTextScan scan(word);
  uint32_t an[4] = {};
  std::string_view name;
  if (!scan.UInt32(an[0]) || !scan.Literal('.') || !scan.UInt32(an[1]) || !scan.Literal('.') ||
      !scan.UInt32(an[2]) || !scan.Literal('.') || !scan.UInt32(an[3]) || !scan.Literal('=') ||
      !scan.Word(name)) {
    return false;
  }
  key = {an[0], an[1], an[2], an[3]};
  strName = name;
  return true;
}

template <const char* (I3DRoleBaseData::*Query)(uint32_t, uint32_t, uint32_t, uint32_t)>
Json AskEffect(I3DRoleBaseData& data, const std::array<int64_t, 4>& key, const std::string& strName,
               bool& bAnswered) {
  const char* pszAnswer =
      (data.*Query)(static_cast<uint32_t>(key[0]), static_cast<uint32_t>(key[1]),
                    static_cast<uint32_t>(key[2]), static_cast<uint32_t>(key[3]));
  bAnswered = SameText(pszAnswer, strName);
  return Json{
      {"a", key[0]}, {"b", key[1]}, {"c", key[2]}, {"d", key[3]}, {"effect", JsonText(pszAnswer)}};
}

// "%u.%u.%u=%s" on every word: ActionSound.ini.
bool ScanActionSound(std::string_view word, std::array<int64_t, 3>& key, std::string& strName) {
  CTextScan scan(word);
  uint32_t an[3] = {};
  std::string_view name;
  if (!scan.UInt32(an[0]) || !scan.Literal('.') || !scan.UInt32(an[1]) || !scan.Literal('.') ||
      !scan.UInt32(an[2]) || !scan.Literal('=') || !scan.Word(name)) {
    return false;
  }
  key = {an[0], an[1], an[2]};
  strName = name;
  return true;
}

Json AskActionSound(I3DRoleBaseData& data, const std::array<int64_t, 3>& key,
                    const std::string& strName, bool& bAnswered) {
  const char* pszAnswer = data.GetActionSound(
      static_cast<uint32_t>(key[0]), static_cast<uint32_t>(key[1]), static_cast<uint32_t>(key[2]));
  bAnswered = SameText(pszAnswer, strName);
  return Json{{"a", key[0]}, {"b", key[1]}, {"c", key[2]}, {"sound", JsonText(pszAnswer)}};
}

// ini/SoundRes.ini: sections "[title]" with lines "Sound=file". The module hands out one file
// of a resource at random, so the files come from the file: a title counts as answered when
// the module's pick is one of the files of its first section (or null when it has none).
class CSoundResView : public CTableView {
 public:
  CSoundResView()
      : CTableView("SoundRes", "ini/SoundRes.ini",
                   "titles the file lists / titles the module answers with one of their files") {}

  void ReadKeys() override {
    m_resources.clear();
    std::string strImage;
    if (!ReadTextImage(File().c_str(), strImage)) return;
    std::vector<std::string>* pFiles = nullptr;  // the open section's files; null before one
    ForEachLinePiece(strImage, 1024, [&](std::string_view piece) {
      std::string strLine(piece);
      if (strLine.empty() || strLine[0] == '\n' || strLine[0] == ';') return;
      if (strLine[0] == '[') {
        const char* pszEnd = ZorGameBase::ZorStrChr(strLine.c_str(), ']');
        if (pszEnd == nullptr) return;
        std::string strTitle(strLine.c_str() + 1, pszEnd);
        bool bFirst = m_resources.count(strTitle) == 0;
        pFiles = &m_resources[strTitle];
        if (!bFirst) pFiles = &m_ignored;  // of two sections with one title the first counts
        pFiles->clear();
        return;
      }
      ZorGameBase::TrimLineHead(strLine.data());
      ZorGameBase::TrimLineTail(strLine.data());
      const char* pszEquals = ZorGameBase::ZorStrChr(strLine.c_str(), '=');
      if (pszEquals == nullptr || pFiles == nullptr) return;
      if (std::string(strLine.c_str(), pszEquals) != "Sound") return;
      std::string strValue(pszEquals + 1);
      ZorGameBase::TrimLineHead(strValue.data());
      pFiles->push_back(strValue.c_str());
    });
  }

  void Answer(I3DRoleBaseData& data, TableAnswer& answer) override {
    for (const auto& [strTitle, files] : m_resources) {
      const char* pszAnswer = data.GetSoundFile(strTitle.c_str());
      bool bAnswered = pszAnswer == nullptr
                           ? files.empty() && !strTitle.empty()
                           : pszAnswer != strTitle.c_str() &&
                                 std::find(files.begin(), files.end(), pszAnswer) != files.end();
      Json list = Json::array();
      for (const std::string& strFile : files) list.push_back(JsonText(strFile));
      answer.dump.Element(
          Json{{"title", JsonText(strTitle)}, {"resource", bAnswered}, {"files", list}});
      ++answer.nListed;
      answer.nAnswered += bAnswered ? 1 : 0;
    }
  }

 private:
  std::map<std::string, std::vector<std::string>> m_resources;  // byte order, as the module's
  std::vector<std::string> m_ignored;
};

}  // namespace

std::unique_ptr<CTableView> MakeSoundEventView() {
  return std::make_unique<CKeyedView<1, std::string>>(
      "SoundEvent", "ini/SoundEvent.ini", NAME_AS_WRITTEN, 1024, ScanSoundEvent, AskSoundEvent);
}

std::unique_ptr<CTableView> MakeSoundResView() { return std::make_unique<CSoundResView>(); }

std::unique_ptr<CTableView> MakeRoleWeapon3DEffectView() {
  return std::make_unique<CKeyedView<4, std::string>>(
      "RoleWeapon3DEffect", "ini/RoleWeapon3DEffect.ini", NAME_AS_WRITTEN, 0, ScanEffect,
      AskEffect<&I3DRoleBaseData::GetRoleWeapon3DEffect>);
}

std::unique_ptr<CTableView> MakeAction3DEffectView() {
  return std::make_unique<CKeyedView<4, std::string>>(
      "Action3DEffect", "ini/Action3DEffect.ini", NAME_AS_WRITTEN, 0, ScanEffect,
      AskEffect<&I3DRoleBaseData::GetAction3DEffect>);
}

std::unique_ptr<CTableView> MakeActionSoundView() {
  auto pView = std::make_unique<CKeyedView<3, std::string>>(
      "ActionSound", "ini/ActionSound.ini", NAME_AS_WRITTEN, 0, ScanActionSound, AskActionSound);
  pView->SetLoader("CreateSoundInfo");
  return pView;
}
