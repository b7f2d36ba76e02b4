#include "ZorSound.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace {

class SoundManager;

// A sound object lives as long as its manager, so a pointer a caller still holds after Stop
// never dangles; a later Play of the same file takes it up again.
class Sound final : public IZorSound {
 public:
  explicit Sound(SoundManager* pManager) : m_pManager(pManager) {}
  void Replay(const char* pszFile, uint32_t nPlayArg, uint32_t nVolume, double dFadeIn,
              double dFadeOut) override;
  void Stop() override;
  int32_t GetState() override;
  void SetVolume(uint32_t nVolume) override;

  // Guarded by the manager's lock.
  bool m_bKept = false;
  uint32_t m_nVolume = 0;
  int32_t m_nState = ZORSOUND_STATE_STOPPED;
  uint32_t m_nPlayArg = 0;

 private:
  SoundManager* m_pManager;
};

class SoundManager final : public IZorSoundManager {
 public:
  int32_t Play(const char* pszFile, uint32_t nPlayArg, uint32_t nVolume, double,
               double) override {
    if (pszFile == nullptr || pszFile[0] == '\0') return -1;
    std::lock_guard<std::mutex> lock(m_mutex);
    std::unique_ptr<Sound>& pSound = m_sounds[pszFile];
    if (pSound == nullptr) pSound = std::make_unique<Sound>(this);
    Start(*pSound, nPlayArg, nVolume);
    return 0;
  }

  IZorSound* FindSound(const char* pszFile) override {
    std::lock_guard<std::mutex> lock(m_mutex);
    return Kept(pszFile);
  }

  void Start(Sound& sound, uint32_t nPlayArg, uint32_t nVolume) {
    sound.m_bKept = true;
    sound.m_nState = ZORSOUND_STATE_PLAYING;
    sound.m_nVolume = nVolume;
    sound.m_nPlayArg = nPlayArg;
  }

  Sound* Kept(const char* pszFile) {
    if (pszFile == nullptr) return nullptr;
    auto it = m_sounds.find(pszFile);
    return it != m_sounds.end() && it->second->m_bKept ? it->second.get() : nullptr;
  }

  std::mutex m_mutex;
  std::map<std::string, std::unique_ptr<Sound>, std::less<>> m_sounds;
};

void Sound::Replay(const char*, uint32_t nPlayArg, uint32_t nVolume, double, double) {
  std::lock_guard<std::mutex> lock(m_pManager->m_mutex);
  m_pManager->Start(*this, nPlayArg, nVolume);
}

void Sound::Stop() {
  std::lock_guard<std::mutex> lock(m_pManager->m_mutex);
  m_bKept = false;
  m_nState = ZORSOUND_STATE_STOPPED;
}

int32_t Sound::GetState() {
  std::lock_guard<std::mutex> lock(m_pManager->m_mutex);
  return m_nState;
}

void Sound::SetVolume(uint32_t nVolume) {
  std::lock_guard<std::mutex> lock(m_pManager->m_mutex);
  m_nVolume = nVolume;
}

SoundManager g_manager;
std::atomic<IZorSoundManager*> g_pManager{&g_manager};

}  // namespace

IZorSoundManager* QuerySoundManagerInstance() { return g_pManager.load(); }

void SetSoundManagerInstance(IZorSoundManager* pManager) { g_pManager.store(pManager); }

IZorSoundManager* ZorSoundOwnManager() { return &g_manager; }

bool ZorSoundQuery(const char* pszFile, uint32_t* pVolume, int32_t* pState, uint32_t* pPlayArg) {
  std::lock_guard<std::mutex> lock(g_manager.m_mutex);
  Sound* pSound = g_manager.Kept(pszFile);
  if (pSound == nullptr) return false;
  if (pVolume != nullptr) *pVolume = pSound->m_nVolume;
  if (pState != nullptr) *pState = pSound->m_nState;
  if (pPlayArg != nullptr) *pPlayArg = pSound->m_nPlayArg;
  return true;
}

int32_t ZorSoundPlayingCount() {
  std::lock_guard<std::mutex> lock(g_manager.m_mutex);
  int32_t nCount = 0;
  for (const auto& entry : g_manager.m_sounds) {
    if (entry.second->m_bKept && entry.second->m_nState == ZORSOUND_STATE_PLAYING) ++nCount;
  }
  return nCount;
}

void ZorSoundFinish(const char* pszFile) {
  std::lock_guard<std::mutex> lock(g_manager.m_mutex);
  Sound* pSound = g_manager.Kept(pszFile);
  if (pSound != nullptr) pSound->m_nState = ZORSOUND_STATE_STOPPED;
}

void ZorSoundReset() {
  std::lock_guard<std::mutex> lock(g_manager.m_mutex);
  g_manager.m_sounds.clear();
}
