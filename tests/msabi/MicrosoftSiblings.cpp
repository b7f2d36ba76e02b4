// The three sibling libraries as the Microsoft compiler builds them, from the stand-ins'
// headers, with no C runtime: compiled once per library with ZORAPPUTIL_BUILD, ZORSOUND_BUILD
// or ULMLOGIC_BUILD, each exporting what the module imports from it under the Microsoft names.
// They behave as the stand-ins do for what the client's calls reach: heap memory, a tracer that
// answers 0, a sound manager that plays every named file and keeps it, no resource wanted.
#include <cstdint>

extern "C" {
__declspec(dllimport) void* __stdcall GetProcessHeap();
__declspec(dllimport) void* __stdcall HeapAlloc(void* hHeap, unsigned long nFlags, size_t nBytes);
__declspec(dllimport) int __stdcall HeapFree(void* hHeap, unsigned long nFlags, void* pMemory);
int _fltused = 0;
int __stdcall _DllMainCRTStartup(void*, unsigned long, void*) { return 1; }
}

#if defined(ZORAPPUTIL_BUILD)
#include "ZorAppUtil.h"

namespace {
class HeapMemory final : public IZorMemory {
 public:
  void* Alloc(uint32_t nSize, const char*, int32_t) override {
    return HeapAlloc(GetProcessHeap(), 0, nSize);
  }
  int32_t Free(void* pMemory) override {
    if (pMemory == nullptr) return 0;
    HeapFree(GetProcessHeap(), 0, pMemory);
    return 1;
  }
};
class AppUtil final : public IZorAppUtil {
 public:
  const char* GetName() override { return "ZorAppUtil"; }
  uint32_t GetVersion() override { return 1; }
  IZorMemory* GetMemory() override { return &m_memory; }
  HeapMemory m_memory;
};
class Tracer final : public IZorTracer {
 public:
  uint32_t OpenChannel(const char*) override { return 0; }
};
AppUtil g_appUtil;
Tracer g_tracer;
}  // namespace

IZorAppUtil& IZorAppUtil::GetInstance() { return g_appUtil; }
IZorTracer& QueryZorTracer() { return g_tracer; }

#elif defined(ZORSOUND_BUILD)
#include "ZorSound.h"

namespace {
bool SameText(const char* a, const char* b) {
  while (*a != '\0' && *a == *b) ++a, ++b;
  return *a == *b;
}
class Sound final : public IZorSound {
 public:
  void Replay(const char*, uint32_t, uint32_t nVolume, double, double) override {
    m_nState = ZORSOUND_STATE_PLAYING;
    m_nVolume = nVolume;
  }
  void Stop() override { m_nState = ZORSOUND_STATE_STOPPED; }
  int32_t GetState() override { return m_nState; }
  void SetVolume(uint32_t nVolume) override { m_nVolume = nVolume; }
  const char* m_pszFile = nullptr;  // the module's own text, which outlives the sound
  int32_t m_nState = ZORSOUND_STATE_STOPPED;
  uint32_t m_nVolume = 0;
};
class SoundManager final : public IZorSoundManager {
 public:
  int32_t Play(const char* pszFile, uint32_t, uint32_t nVolume, double, double) override {
    if (pszFile == nullptr || pszFile[0] == '\0') return -1;
    Sound* pSound = Find(pszFile);
    if (pSound == nullptr && m_nSounds < MAX_SOUNDS) pSound = &m_sounds[m_nSounds++];
    if (pSound == nullptr) return -1;
    pSound->m_pszFile = pszFile;
    pSound->Replay(pszFile, 0, nVolume, -1.0, -1.0);
    return 0;
  }
  IZorSound* FindSound(const char* pszFile) override {
    Sound* pSound = pszFile != nullptr ? Find(pszFile) : nullptr;
    return pSound != nullptr && pSound->m_nState == ZORSOUND_STATE_PLAYING ? pSound : nullptr;
  }
  Sound* Find(const char* pszFile) {
    for (int i = 0; i < m_nSounds; ++i) {
      if (SameText(m_sounds[i].m_pszFile, pszFile)) return &m_sounds[i];
    }
    return nullptr;
  }
  static const int MAX_SOUNDS = 64;
  Sound m_sounds[MAX_SOUNDS];
  int m_nSounds = 0;
};
SoundManager g_manager;
}  // namespace

IZorSoundManager* QuerySoundManagerInstance() { return &g_manager; }

#elif defined(ULMLOGIC_BUILD)
#include "UlmLogic.h"

namespace {
class ResourceDemandMgr final : public IResourceDemandMgr {
 public:
  bool CheckDemand(const char*) override { return false; }
};
ResourceDemandMgr g_mgr;
}  // namespace

IResourceDemandMgr& QueryResourceDemandMgr() { return g_mgr; }
#endif
