// The role appearance tables from arbitrary bytes: the input, cut at each 0x01 byte, gives the
// files below in this order (a file without its piece is absent) and then the query arguments.
// Each run writes them into the work folder, loads them with Create, asks every query of
// these tables, loads again over the loaded tables, asks again and ends the service.
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "I3DRoleBaseData.h"

namespace {

const char* const TABLE_FILES[] = {
    "ini/Npc.ini",          "ini/NpcX.ini",           "ini/RolePartScale.ini",
    "ini/2DRoleLook.ini",   "ini/RolePartHide.ini",   "ini/LookScale.ini",
    "ini/MountScale.ini",   "ini/AppendentWeapon.ini", "ini/WeaponAdjustByLook.ini",
    "ini/SimpleObjInfo.ini", "ini/RolePartReplace.ini",
};
const size_t TABLE_COUNT = std::size(TABLE_FILES);

// Numbers worth asking about: the defaults' edges, the 999 wildcard, wrapping keys.
const uint32_t FIXED_ARGUMENTS[] = {0,    1,       2,           3,           5,    7,   12,     999,
                                    1000, 1000000, 4294967295u, 2147483648u, 4295, 430, 4294968};

volatile uint64_t g_nSink;  // keeps the reads of the answers

void AskEverything(I3DRoleBaseData* pData, const std::vector<uint32_t>& args,
                   const std::vector<std::string>& parts) {
  uint64_t nSum = 0;
  for (uint32_t a : args) {
    if (const NpcInfo* pNpc = pData->GetNpcInfo(static_cast<int32_t>(a))) {
      FuzzSupport::CheckTexts(pNpc->Name, pNpc->Effect);
    }
    if (const NpcStarLookInfo* pLook = pData->GetNpcStarLookInfo(static_cast<int32_t>(a))) {
      FuzzSupport::CheckTexts(pLook->Name, pLook->Effect, pLook->Note, pLook->EffAdd,
                              pLook->EffDel);
    }
    if (const SimpleObjInfo* pObj = pData->GetSimpleObjInfo(a)) {
      for (int64_t nMotion : pObj->Motions) nSum += static_cast<uint64_t>(nMotion);
    }
    if (const RolePartReplaceInfo* pInfo = pData->GetRolePartReplaceInfo(static_cast<int32_t>(a))) {
      nSum += pInfo->Field7;
    }
    nSum += pData->Is2DRoleLook(a) + static_cast<uint64_t>(pData->GetLookScale(a) != 0.0f) +
            pData->GetAppendentWeapon(a);
    for (uint32_t b : {args.front(), a, args.back()}) {
      nSum += static_cast<uint64_t>(pData->GetRolePartScale(a, b) != pData->GetMountScale(a, b)) +
              pData->GetWeaponAdjustByLook(a, b);
      for (const std::string& strPart : parts) {
        nSum += static_cast<uint64_t>(pData->IsRolePartHidden(a, b, a, b, a, strPart.c_str()) +
                                      pData->IsRolePartHidden(999, a, b, a, b, strPart.c_str()));
      }
    }
  }
  g_nSink = nSum + static_cast<uint64_t>(pData->IsRolePartHidden(1, 2, 3, 4, 5, nullptr));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  FuzzSupport::EnterIniFolder();
  std::vector<std::string> pieces = FuzzSupport::Pieces(pData, nSize);
  for (size_t i = 0; i < TABLE_COUNT; ++i) {
    FuzzSupport::PlaceFile(TABLE_FILES[i], i < pieces.size() ? &pieces[i] : nullptr);
  }
  // Arguments: the fixed ones, then four bytes at a time from the piece after the files; part
  // names: a few fixed ones and that piece's first word.
  std::vector<uint32_t> args(std::begin(FIXED_ARGUMENTS), std::end(FIXED_ARGUMENTS));
  std::vector<std::string> parts = {"Head", "Hair", ""};
  if (pieces.size() > TABLE_COUNT) {
    const std::string& strExtra = pieces[TABLE_COUNT];
    for (size_t i = 0; i + 4 <= strExtra.size() && args.size() < 64; i += 4) {
      args.push_back(0);
      memcpy(&args.back(), strExtra.data() + i, 4);
    }
    parts.push_back(strExtra.substr(0, strExtra.find(' ')));
  }
  I3DRoleBaseData* pService = RoleBaseDataQuery();
  if (pService == nullptr) return 0;
  for (int nLoad = 0; nLoad < 2; ++nLoad) {
    pService->Create();
    AskEverything(pService, args, parts);
  }
  RoleBaseDataDestroy();
  return 0;
}
