// The three sibling libraries as the Microsoft compiler builds them, from the stand-ins'
// headers, with no C runtime: compiled once per library with ZORAPPUTIL_BUILD, ZORSOUND_BUILD
// or ULMLOGIC_BUILD, each exporting what the module imports from it under the Microsoft names.
// They behave as the stand-ins do for what the client's calls reach: heap memory, a tracer that
// answers 0, a sound manager that plays every named file, no resource wanted.
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
// The client's calls never play a file twice nor stop one played: none is found playing.
class SoundManager final : public IZorSoundManager {
 public:
  int32_t Play(const char* pszFile, uint32_t, uint32_t, double, double) override {
    return pszFile == nullptr || pszFile[0] == '\0' ? -1 : 0;
  }
  IZorSound* FindSound(const char*) override { return nullptr; }
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
