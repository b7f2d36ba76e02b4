// The role appearance tables from arbitrary bytes: the input, cut at each 0x01 byte, gives the
// files below in this order (a file without its piece is absent) and then the query arguments.
// Each run writes them into the work folder, loads them with Create, asks every query of
// these tables, loads again over the loaded tables, asks again and ends the service.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "I3DRoleBaseData.h"

namespace {

const char* const TABLE_FILES[] = {
    "ini/Npc.ini",
    "ini/NpcX.ini",
    "ini/RolePartScale.ini",
    "ini/2DRoleLook.ini",
    "ini/RolePartHide.ini",
    "ini/LookScale.ini",
    "ini/MountScale.ini",
    "ini/AppendentWeapon.ini",
    "ini/WeaponAdjustByLook.ini",
    "ini/SimpleObjInfo.ini",
    "ini/RolePartReplace.ini",
};
const size_t TABLE_COUNT = sizeof(TABLE_FILES) / sizeof(TABLE_FILES[0]);
const char SEPARATOR = '\x01';

// Numbers worth asking about: the defaults' edges, the 999 wildcard, wrapping keys.
const uint32_t FIXED_ARGUMENTS[] = {0,    1,       2,           3,           5,    7,   12,     999,
                                    1000, 1000000, 4294967295u, 2147483648u, 4295, 430, 4294968};

using FuzzSupport::Check;
using FuzzSupport::CheckText;

volatile uint64_t g_nSink;  // keeps the reads of the answers

void AskEverything(I3DRoleBaseData* pData, const std::vector<uint32_t>& args,
                   const std::vector<std::string>& parts) {
  uint64_t nSum = 0;
  for (uint32_t a : args) {
    if (const NpcInfo* pNpc = pData->GetNpcInfo(static_cast<int32_t>(a))) {
      CheckText(pNpc->Name);
      CheckText(pNpc->Effect);
      nSum += strlen(pNpc->Name) + strlen(pNpc->Effect) + static_cast<uint64_t>(pNpc->RestMotion);
    }
    if (const NpcStarLookInfo* pLook = pData->GetNpcStarLookInfo(static_cast<int32_t>(a))) {
      CheckText(pLook->Name);
      CheckText(pLook->Effect);
      CheckText(pLook->Note);
      CheckText(pLook->EffAdd);
      CheckText(pLook->EffDel);
      nSum += strlen(pLook->Note) + static_cast<uint32_t>(pLook->Mount);
    }
    if (const SimpleObjInfo* pObj = pData->GetSimpleObjInfo(a)) {
      for (int64_t nMotion : pObj->Motions) nSum += static_cast<uint64_t>(nMotion);
    }
    if (const RolePartReplaceInfo* pReplace =
            pData->GetRolePartReplaceInfo(static_cast<int32_t>(a))) {
      nSum += pReplace->Field7;
    }
    nSum += pData->Is2DRoleLook(a) ? 1 : 0;
    nSum += static_cast<uint64_t>(pData->GetLookScale(a) != 0.0f);
    nSum += pData->GetAppendentWeapon(a);
    for (uint32_t b : {args.front(), a, args.back()}) {
      nSum += static_cast<uint64_t>(pData->GetRolePartScale(a, b) != 0.0f);
      nSum += static_cast<uint64_t>(pData->GetMountScale(a, b) != 0.0f);
      nSum += pData->GetWeaponAdjustByLook(a, b);
      for (const std::string& strPart : parts) {
        int32_t nHidden = pData->IsRolePartHidden(a, b, a, b, a, strPart.c_str());
        Check(nHidden == 0 || nHidden == 1);
        nSum += static_cast<uint64_t>(pData->IsRolePartHidden(999, a, b, a, b, strPart.c_str()));
      }
    }
  }
  Check(pData->IsRolePartHidden(1, 2, 3, 4, 5, nullptr) == 0);
  g_nSink = nSum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  FuzzSupport::EnterIniFolder();
  std::string_view input(reinterpret_cast<const char*>(pData), nSize);
  std::vector<std::string_view> pieces;
  for (size_t nStart = 0;;) {
    size_t nCut = input.find(SEPARATOR, nStart);
    pieces.push_back(input.substr(nStart, nCut == std::string_view::npos ? nCut : nCut - nStart));
    if (nCut == std::string_view::npos) break;
    nStart = nCut + 1;
  }
  for (size_t i = 0; i < TABLE_COUNT; ++i) {
    std::string strPiece(i < pieces.size() ? pieces[i] : std::string_view());
    FuzzSupport::PlaceFile(TABLE_FILES[i], i < pieces.size() ? &strPiece : nullptr);
  }

  // Arguments: the fixed ones, then four bytes at a time from the piece after the files; part
  // names: a few fixed ones and that piece's first word.
  std::vector<uint32_t> args(std::begin(FIXED_ARGUMENTS), std::end(FIXED_ARGUMENTS));
  std::vector<std::string> parts = {"Head", "Hair", ""};
  if (pieces.size() > TABLE_COUNT) {
    std::string_view extra = pieces[TABLE_COUNT];
    for (size_t i = 0; i + 4 <= extra.size() && args.size() < 64; i += 4) {
      uint32_t nValue;
      memcpy(&nValue, extra.data() + i, 4);
      args.push_back(nValue);
    }
    parts.emplace_back(extra.substr(0, extra.find(' ')));
  }

  I3DRoleBaseData* pService = RoleBaseDataQuery();
  Check(pService != nullptr);
  int32_t nCreated = pService->Create();
  Check(nCreated == (pieces.size() > TABLE_COUNT - 1 ? 1 : 0));
  AskEverything(pService, args, parts);
  pService->Create();
  AskEverything(pService, args, parts);
  RoleBaseDataDestroy();
  return 0;
}
