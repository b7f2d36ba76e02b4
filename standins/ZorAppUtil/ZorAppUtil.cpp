#include "ZorAppUtil.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

class HeapMemory final : public IZorMemory {
 public:
  void* Alloc(uint32_t nSize, const char*, int32_t) override { return malloc(nSize); }
  int32_t Free(void* pMemory) override {
    free(pMemory);
    return pMemory != nullptr ? 1 : 0;
  }
};

class AppUtil final : public IZorAppUtil {
 public:
  const char* GetName() override { return "ZorAppUtil"; }
  uint32_t GetVersion() override { return 1; }
  IZorMemory* GetMemory() override { return &m_memory; }

 private:
  HeapMemory m_memory;
};

class Tracer final : public IZorTracer {
 public:
  uint32_t OpenChannel(const char* pszName) override {
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_nChannels;
    strncpy(m_szLast, pszName != nullptr ? pszName : "", sizeof(m_szLast) - 1);
    return 0;
  }
  int32_t Count() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nChannels;
  }
  const char* Last() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_szLast;
  }

 private:
  std::mutex m_mutex;
  int32_t m_nChannels = 0;
  char m_szLast[64] = {};
};

AppUtil g_appUtil;
Tracer g_tracer;
std::atomic<IZorAppUtil*> g_pAppUtil{nullptr};
std::atomic<IZorTracer*> g_pTracer{nullptr};

}  // namespace

IZorAppUtil& IZorAppUtil::GetInstance() {
  IZorAppUtil* pAppUtil = g_pAppUtil.load();
  return pAppUtil != nullptr ? *pAppUtil : g_appUtil;
}

void IZorAppUtil::SetInstance(IZorAppUtil* pAppUtil) { g_pAppUtil.store(pAppUtil); }

IZorTracer& QueryZorTracer() {
  IZorTracer* pTracer = g_pTracer.load();
  return pTracer != nullptr ? *pTracer : g_tracer;
}

void SetZorTracer(IZorTracer* pTracer) { g_pTracer.store(pTracer); }

int32_t ZorTracerChannelCount() { return g_tracer.Count(); }
const char* ZorTracerLastChannel() { return g_tracer.Last(); }
