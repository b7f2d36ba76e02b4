// Sound playback on the client's sound manager, with the four sound settings: the sound switch,
// the volume, distance fading and the listener's position. Each operation first turns its
// sound name into a file through GetSoundFile; which sounds are playing is the manager's state.
#include "3DRoleBaseData.h"
#include "UlmLogic.h"
#include "ZorSound.h"

namespace {

// The two last arguments of the manager's play operations: its defaults.
const double SOUND_DEFAULT_FADE = -1.0;

bool IsEmptyFile(const char* pszFile) { return pszFile == nullptr || pszFile[0] == '\0'; }

enum class PlayStep { Play, AnswerTrue, AnswerFalse };

// What the play operations do before they play: the file of the sound name and the manager,
// then a sound of that file already sounding is left alone (nothing to play: answer true) or,
// for a restart, stopped.
PlayStep PreparePlay(I3DRoleBaseData& service, const char* pszName, bool bRestart,
                     const char*& pszFile, IZorSoundManager*& pManager) {
  pszFile = service.GetSoundFile(pszName);
  if (IsEmptyFile(pszFile)) return PlayStep::AnswerFalse;
  pManager = QuerySoundManagerInstance();
  if (pManager == nullptr) return PlayStep::AnswerFalse;
  if (IZorSound* pSound = pManager->FindSound(pszFile)) {
    if (!bRestart) return PlayStep::AnswerTrue;
    pSound->Stop();
  }
  return PlayStep::Play;
}

}  // namespace

// Sounds are off: 0. Fading on: the volume falls off with the square of the distance from the
// listener, full at the listener and 0 at the radius and beyond, in 32-bit arithmetic. Fading
// off: the volume, or 0 when nSilentWithoutFading is set.
uint32_t C3DRoleBaseData::GetSoundVolume(int32_t x, int32_t y, int32_t nRadius,
                                         int32_t nSilentWithoutFading) {
  if (m_nSoundSwitch == 0) return 0;
  if (m_nDistanceFading == 0) {
    return nSilentWithoutFading != 0 ? 0 : static_cast<uint32_t>(m_nSoundVolume);
  }
  // Unsigned arithmetic wraps as the 32-bit products and sums always have; the comparison is
  // signed.
  uint32_t dx = static_cast<uint32_t>(x) - static_cast<uint32_t>(m_listenerPos.x);
  uint32_t dy = static_cast<uint32_t>(y) - static_cast<uint32_t>(m_listenerPos.y);
  uint32_t d2 = dx * dx + dy * dy;
  uint32_t r2 = static_cast<uint32_t>(nRadius) * static_cast<uint32_t>(nRadius);
  if (static_cast<int32_t>(d2) >= static_cast<int32_t>(r2)) return 0;
  // r2 is not 0 here for coordinates whose squares fit in 32 bits; beyond that the result has
  // no meaning, and a zero r2 answers 0 rather than divide by it.
  if (r2 == 0) return 0;
  return (r2 - d2) * static_cast<uint32_t>(m_nSoundVolume) / r2;
}

// True when played, or when nothing was to be played (sounds off, the sound already playing
// and bRestart false); false for a name without file, without manager or a failed play.
bool C3DRoleBaseData::PlaySound(const char* pszName, uint32_t nPlayArg, uint32_t,
                                bool bRestart) {
  if (m_nSoundSwitch == 0) return true;
  I3DRoleBaseData& service = *this;
  const char* pszFile = nullptr;
  IZorSoundManager* pManager = nullptr;
  PlayStep step = PreparePlay(service, pszName, bRestart, pszFile, pManager);
  if (step != PlayStep::Play) return step == PlayStep::AnswerTrue;
  return pManager->Play(pszFile, nPlayArg, static_cast<uint32_t>(m_nSoundVolume),
                        SOUND_DEFAULT_FADE, SOUND_DEFAULT_FADE) == 0;
}

// As PlaySound, at the volume of the position; a position out of hearing plays nothing and
// answers true.
bool C3DRoleBaseData::PlaySoundAt(const char* pszName, int32_t x, int32_t y, int32_t nRadius,
                                  uint32_t nPlayArg, bool bRestart) {
  if (m_nSoundSwitch == 0) return true;
  I3DRoleBaseData& service = *this;
  const char* pszFile = nullptr;
  IZorSoundManager* pManager = nullptr;
  PlayStep step = PreparePlay(service, pszName, bRestart, pszFile, pManager);
  if (step != PlayStep::Play) return step == PlayStep::AnswerTrue;
  uint32_t nVolume = service.GetSoundVolume(x, y, nRadius, 0);
  if (nVolume == 0) return true;
  return pManager->Play(pszFile, nPlayArg, nVolume, SOUND_DEFAULT_FADE, SOUND_DEFAULT_FADE) == 0;
}

// Keeps a positional sound at the volume of the listener's position: a sound already there is
// stopped when out of hearing, else set to the volume and, when it is not playing and the game
// still wants the file, replayed; bRestart starts it afresh. The sound switch acts through the
// volume only.
bool C3DRoleBaseData::UpdateSoundAt(const char* pszName, int32_t x, int32_t y, int32_t nRadius,
                                    uint32_t nPlayArg, bool bRestart) {
  I3DRoleBaseData& service = *this;
  const char* pszFile = service.GetSoundFile(pszName);
  if (IsEmptyFile(pszFile)) return false;
  IZorSoundManager* pManager = QuerySoundManagerInstance();
  if (pManager == nullptr) return false;
  uint32_t nVolume = service.GetSoundVolume(x, y, nRadius, 0);
  if (IZorSound* pSound = pManager->FindSound(pszFile)) {
    if (bRestart) {
      pSound->Stop();
    } else {
      if (nVolume == 0) {
        pSound->Stop();
        return true;
      }
      pSound->SetVolume(nVolume);
      if (pSound->GetState() == ZORSOUND_STATE_PLAYING) return true;
      if (!QueryResourceDemandMgr().CheckDemand(pszFile)) return true;
      pSound->Replay(pszFile, nPlayArg, nVolume, SOUND_DEFAULT_FADE, SOUND_DEFAULT_FADE);
      return true;
    }
  }
  if (nVolume == 0) return true;
  return pManager->Play(pszFile, nPlayArg, nVolume, SOUND_DEFAULT_FADE, SOUND_DEFAULT_FADE) == 0;
}

// True when the manager had a sound for the name's file and stopped it; the switch is not
// consulted.
bool C3DRoleBaseData::StopSound(const char* pszName) {
  I3DRoleBaseData& service = *this;
  const char* pszFile = service.GetSoundFile(pszName);
  if (IsEmptyFile(pszFile)) return false;
  IZorSoundManager* pManager = QuerySoundManagerInstance();
  if (pManager == nullptr) return false;
  IZorSound* pSound = pManager->FindSound(pszFile);
  if (pSound == nullptr) return false;
  pSound->Stop();
  return true;
}

// False for an event ini/SoundEvent.ini does not list; else PlaySound's answer for its sound,
// always restarted.
bool C3DRoleBaseData::PlaySoundEvent(uint32_t nEventId, uint32_t nPlayArg, uint32_t nReserved) {
  const char* pszName = m_mapSoundEvent.Find(nEventId);
  if (pszName == nullptr) return false;
  return PlaySound(pszName, nPlayArg, nReserved, true);
}

#if KESTRIN_RECORD_RESULT_BY_POINTER
ListenerPos* C3DRoleBaseData::GetListenerPos(ListenerPos* pResult) {
  *pResult = m_listenerPos;
  return pResult;
}
#else
ListenerPos C3DRoleBaseData::GetListenerPos() { return m_listenerPos; }
#endif

void C3DRoleBaseData::SetSoundSwitch(int32_t nOn) { m_nSoundSwitch = nOn; }

void C3DRoleBaseData::SetSoundVolume(int32_t nVolume) { m_nSoundVolume = nVolume; }

void C3DRoleBaseData::SetListenerPos(int32_t x, int32_t y) { m_listenerPos = ListenerPos{x, y}; }

void C3DRoleBaseData::SetListenerPos(const ListenerPos& pos) { m_listenerPos = pos; }

void C3DRoleBaseData::SetDistanceFading(int32_t nOn) { m_nDistanceFading = nOn; }
