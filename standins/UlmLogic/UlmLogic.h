#pragma once
// The game logic library beside the module, of which the module uses the resource demand
// manager alone: it tells whether the game still wants a resource, such as a sound file, to
// be loaded. This is our own small implementation: it answers from a set of files it has been
// told about. A host or a test may install its own manager through SetResourceDemandMgr.

#if defined(_WIN32)
#if defined(ULMLOGIC_BUILD)
#define ULMLOGIC_API __declspec(dllexport)
#else
#define ULMLOGIC_API __declspec(dllimport)
#endif
#else
#define ULMLOGIC_API __attribute__((visibility("default")))
#endif

class IResourceDemandMgr {
 public:
  // True when the resource is wanted.
  virtual bool CheckDemand(const char* pszFile) = 0;

 protected:
  ~IResourceDemandMgr() = default;
};

// The resource demand manager; there always is one.
ULMLOGIC_API IResourceDemandMgr& QueryResourceDemandMgr();
// Makes QueryResourceDemandMgr answer pMgr from now on; null restores the library's own.
ULMLOGIC_API void SetResourceDemandMgr(IResourceDemandMgr* pMgr);

// The library's own manager wants exactly the files it has been told about, by exact name.
ULMLOGIC_API void AddResourceDemand(const char* pszFile);
ULMLOGIC_API void ClearResourceDemands();
