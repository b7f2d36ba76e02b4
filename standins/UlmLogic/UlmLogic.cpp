#include "UlmLogic.h"

#include <atomic>
#include <mutex>
#include <set>
#include <string>

namespace {

class ResourceDemandMgr final : public IResourceDemandMgr {
 public:
  bool CheckDemand(const char* pszFile) override {
    if (pszFile == nullptr) return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_files.find(pszFile) != m_files.end();
  }

  std::mutex m_mutex;
  std::set<std::string, std::less<>> m_files;
};

ResourceDemandMgr g_mgr;
std::atomic<IResourceDemandMgr*> g_pMgr{nullptr};

}  // namespace

IResourceDemandMgr& QueryResourceDemandMgr() {
  IResourceDemandMgr* pMgr = g_pMgr.load();
  return pMgr != nullptr ? *pMgr : g_mgr;
}

void SetResourceDemandMgr(IResourceDemandMgr* pMgr) { g_pMgr.store(pMgr); }

void AddResourceDemand(const char* pszFile) {
  if (pszFile == nullptr) return;
  std::lock_guard<std::mutex> lock(g_mgr.m_mutex);
  g_mgr.m_files.insert(pszFile);
}

void ClearResourceDemands() {
  std::lock_guard<std::mutex> lock(g_mgr.m_mutex);
  g_mgr.m_files.clear();
}
