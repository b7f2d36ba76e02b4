// The camera files and the fighter position offsets from arbitrary bytes: ini/CaptureCamera.ini,
// ini/3DBattleDive.ini, ini/CameraTrack.ini and ini/FighterPosOffset.ini, loaded as the client
// loads them (twice: a second load keeps or replaces what its table says) and asked about every
// key and name their texts hold. The dive file is read on every call and may vanish between calls.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "I3DRoleBaseData.h"

namespace fs = std::filesystem;

namespace {

const char CAPTURE_FILE[] = "ini/CaptureCamera.ini";
const char DIVE_FILE[] = "ini/3DBattleDive.ini";
const char TRACK_LIST_FILE[] = "ini/CameraTrack.ini";
const char OFFSET_FILE[] = "ini/FighterPosOffset.ini";

volatile float g_fSink;

using FuzzSupport::Check;

// Writes the file, or removes it when the input says so; true when it is there.
bool PlaceFile(FuzzedDataProvider& input, const char* pszPath) {
  std::string strText;
  bool bThere = input.ConsumeBool();
  if (bThere) strText = input.ConsumeRandomLengthString(4096);
  return FuzzSupport::PlaceFile(pszPath, bThere ? &strText : nullptr);
}

// The words of a text: the names and numbers worth asking about.
std::vector<std::string> Words(const std::string& strText) {
  std::vector<std::string> vecWords;
  std::string strWord;
  for (char ch : strText + " ") {
    if (ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r') {
      if (!strWord.empty() && vecWords.size() < 256) vecWords.push_back(strWord);
      strWord.clear();
    } else {
      strWord += ch;
    }
  }
  return vecWords;
}

std::string ReadText(const char* pszPath) {
  std::ifstream in(pszPath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Ask(I3DRoleBaseData* pData, bool bCapture, bool bDive, const std::vector<std::string>& words) {
  const BattleCamera* pOne = pData->GetCaptureCamera1();
  const BattleCamera* pTwo = pData->GetCaptureCamera2();
  Check((pOne != nullptr) == bCapture && (pTwo != nullptr) == bCapture);
  if (pOne != nullptr) g_fSink = pOne->fTarget[0] + pTwo->fRotation[2];
  const BattleDiveInfo* pDive = pData->GetBattleDiveInfo();
  Check((pDive != nullptr) == bDive);
  if (pDive != nullptr) g_fSink = pDive->fBlock2[8] + static_cast<float>(pDive->nValue[2]);
  for (const std::string& strWord : words) {
    if (const CameraTrackInfo* pInfo = pData->GetCameraTrackInfo(strWord.c_str())) {
      Check(pInfo->strPath[0] != '\0');
    }
    uint32_t nKey = static_cast<uint32_t>(strtoul(strWord.c_str(), nullptr, 10));
    if (const FighterPosOffset* pOffset = pData->GetFighterPosOffset(nKey)) {
      // As floats: the sum of two offsets may overflow an int.
      g_fSink = static_cast<float>(pOffset->x) + static_cast<float>(pOffset->y);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  FuzzSupport::EnterIniFolder();
  FuzzedDataProvider input(pData, nSize);
  bool bCapture = PlaceFile(input, CAPTURE_FILE);
  bool bDive = PlaceFile(input, DIVE_FILE);
  PlaceFile(input, TRACK_LIST_FILE);
  PlaceFile(input, OFFSET_FILE);
  std::vector<std::string> vecWords = Words(ReadText(TRACK_LIST_FILE));
  for (const std::string& strWord : Words(ReadText(OFFSET_FILE))) vecWords.push_back(strWord);

  I3DRoleBaseData* pService = RoleBaseDataQuery();
  if (pService == nullptr) return 0;
  pService->Create();
  Ask(pService, bCapture, bDive, vecWords);
  if (input.ConsumeBool()) {
    std::error_code ec;
    fs::remove(DIVE_FILE, ec);
    bDive = false;
  }
  pService->Create();
  Ask(pService, bCapture, bDive, vecWords);
  RoleBaseDataDestroy();
  return 0;
}
