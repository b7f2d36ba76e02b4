// Sound playback on the client's sound manager, with the four sound settings.
#include "3DRoleBaseData.h"

bool C3DRoleBaseData::PlaySound(const char*, uint32_t, uint32_t, bool) { return false; }

bool C3DRoleBaseData::UpdateSoundAt(const char*, int32_t, int32_t, int32_t, uint32_t, bool) {
  return false;
}

bool C3DRoleBaseData::StopSound(const char*) { return false; }

uint32_t C3DRoleBaseData::GetSoundVolume(int32_t, int32_t, int32_t, int32_t) { return 0; }

ListenerPos C3DRoleBaseData::GetListenerPos() { return m_listenerPos; }

bool C3DRoleBaseData::PlaySoundEvent(uint32_t, uint32_t, uint32_t) { return false; }

void C3DRoleBaseData::SetSoundSwitch(int32_t nOn) { m_nSoundSwitch = nOn; }

void C3DRoleBaseData::SetSoundVolume(int32_t nVolume) { m_nSoundVolume = nVolume; }

void C3DRoleBaseData::SetListenerPos(int32_t x, int32_t y) { m_listenerPos = ListenerPos{x, y}; }

void C3DRoleBaseData::SetListenerPos(const ListenerPos& pos) { m_listenerPos = pos; }

bool C3DRoleBaseData::PlaySoundAt(const char*, int32_t, int32_t, int32_t, uint32_t, bool) {
  return false;
}

void C3DRoleBaseData::SetDistanceFading(int32_t nOn) { m_nDistanceFading = nOn; }
