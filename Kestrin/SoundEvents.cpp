// Sound events (ini/SoundEvent.ini) and sound resources (ini/SoundRes.ini).
#include "3DRoleBaseData.h"

int32_t C3DRoleBaseData::CreateSoundEventInfo() { return 0; }

int32_t C3DRoleBaseData::CreateSoundResInfo() { return 0; }

const char* C3DRoleBaseData::GetSoundEventName(uint32_t) { return nullptr; }

const char* C3DRoleBaseData::GetSoundFile(const char* pszName) {
  if (pszName == nullptr || pszName[0] == '\0') return nullptr;
  return pszName;
}

void C3DRoleBaseData::ReleaseSoundEventInfo() { m_mapSoundEvent.clear(); }

void C3DRoleBaseData::ReleaseSoundResInfo() { m_mapSoundRes.clear(); }
