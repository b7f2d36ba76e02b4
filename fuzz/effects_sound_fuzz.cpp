// Writes the effect, action sound, sound event and sound resource files from the input, loads
// them as the client does and runs their queries and the playback operations on the sound
// library's own manager.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "I3DRoleBaseData.h"
#include "UlmLogic.h"
#include "ZorSound.h"

namespace {

const char* const FILES[] = {"ini/RoleWeapon3DEffect.ini", "ini/Action3DEffect.ini",
                             "ini/ActionSound.ini", "ini/SoundEvent.ini", "ini/SoundRes.ini"};

// Numbers near the wildcards and field widths, or anything.
uint32_t Number(FuzzedDataProvider& input) {
  static const uint32_t aNear[] = {0, 1, 2, 3, 4, 7, 999, 1000, 9999, 10000, 429497, 0xFFFFFFFFu};
  return input.ConsumeBool() ? aNear[input.ConsumeIntegralInRange<size_t>(0, 11)]
                             : input.ConsumeIntegral<uint32_t>();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  FuzzSupport::EnterIniFolder();
  FuzzedDataProvider input(pData, nSize);
  for (const char* pszPath : FILES) {
    std::string strText = input.ConsumeRandomLengthString(4096);
    FuzzSupport::PlaceFile(pszPath, input.ConsumeBool() ? &strText : nullptr);
  }

  I3DRoleBaseData* pService = RoleBaseDataQuery();
  if (pService == nullptr) return 0;
  pService->Create();
  if (input.ConsumeBool()) pService->Create();  // a second load adds to the tables

  if (input.ConsumeBool()) AddResourceDemand("a.wav");
  pService->SetSoundSwitch(input.ConsumeIntegralInRange<int32_t>(-1, 1));
  pService->SetDistanceFading(input.ConsumeIntegralInRange<int32_t>(0, 1));
  pService->SetSoundVolume(input.ConsumeIntegral<int32_t>());
  pService->SetListenerPos(input.ConsumeIntegral<int32_t>(), input.ConsumeIntegral<int32_t>());

  while (input.remaining_bytes() > 0) {
    uint32_t a = Number(input), b = Number(input), c = Number(input), d = Number(input);
    std::string strName = input.ConsumeRandomLengthString(300);
    const char* pszName = input.ConsumeBool() ? strName.c_str() : nullptr;
    int32_t x = input.ConsumeIntegral<int32_t>(), y = input.ConsumeIntegral<int32_t>();
    int32_t nRadius = input.ConsumeIntegral<int32_t>();
    bool bRestart = input.ConsumeBool();
    switch (input.ConsumeIntegralInRange<int>(0, 11)) {
      case 0: pService->GetRoleWeapon3DEffect(a, b, c, d); break;
      case 1: pService->GetAction3DEffect(a, b, c, d); break;
      case 2: pService->GetActionSound(a, b, c); break;
      case 3: pService->GetSoundEventName(a); break;
      case 4: pService->GetSoundFile(pszName); break;
      case 5: pService->PlaySound(pszName, a, b, bRestart); break;
      case 6: pService->PlaySoundAt(pszName, x, y, nRadius, a, bRestart); break;
      case 7: pService->UpdateSoundAt(pszName, x, y, nRadius, a, bRestart); break;
      case 8: pService->StopSound(pszName); break;
      case 9: pService->PlaySoundEvent(a, b, c); break;
      case 10: pService->GetSoundVolume(x, y, nRadius, static_cast<int32_t>(d)); break;
      default: ZorSoundFinish(pszName); break;
    }
  }
  RoleBaseDataDestroy();
  ZorSoundReset();
  ClearResourceDemands();
  return 0;
}
