// The camera files and the fighter position offsets from arbitrary bytes: ini/CaptureCamera.ini,
// ini/3DBattleDive.ini, ini/CameraTrack.ini and ini/FighterPosOffset.ini, loaded as the client
// loads them (twice: a second load keeps or replaces what its table says) and asked about every
// key and name their texts hold. The dive file is read on every call and may vanish between calls.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "I3DRoleBaseData.h"

namespace {

const char* const FILES[] = {"ini/CaptureCamera.ini", "ini/3DBattleDive.ini",
                             "ini/CameraTrack.ini", "ini/FighterPosOffset.ini"};

volatile float g_fSink;

void Ask(I3DRoleBaseData* pData, const std::vector<std::string>& words) {
  for (const BattleCamera* pCamera : {pData->GetCaptureCamera1(), pData->GetCaptureCamera2()}) {
    if (pCamera != nullptr) g_fSink = pCamera->fTarget[0] + pCamera->fRotation[2];
  }
  if (const BattleDiveInfo* pDive = pData->GetBattleDiveInfo()) {
    g_fSink = pDive->fBlock2[8] + static_cast<float>(pDive->nValue[2]);
  }
  for (const std::string& strWord : words) {
    if (const CameraTrackInfo* pInfo = pData->GetCameraTrackInfo(strWord.c_str())) {
      g_fSink = static_cast<float>(strlen(pInfo->strPath));
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
  std::vector<std::string> vecWords;
  for (const char* pszPath : FILES) {
    std::string strText;
    bool bThere = input.ConsumeBool();
    if (bThere) strText = input.ConsumeRandomLengthString(4096);
    FuzzSupport::PlaceFile(pszPath, bThere ? &strText : nullptr);
    std::istringstream words(strText);  // the names and numbers worth asking about
    for (std::string strWord; words >> strWord && vecWords.size() < 512;)
      vecWords.push_back(strWord);
  }
  I3DRoleBaseData* pService = RoleBaseDataQuery();
  if (pService == nullptr) return 0;
  pService->Create();
  Ask(pService, vecWords);
  if (input.ConsumeBool()) std::remove(FILES[1]);
  pService->Create();
  Ask(pService, vecWords);
  RoleBaseDataDestroy();
  return 0;
}
