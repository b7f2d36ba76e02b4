#pragma once
// A shared module loaded the way a client loads it: by the platform's loader, names looked up
// in its export table.

#include <string>

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <dlfcn.h>
#endif

// The calling convention of the operations of an interface: on 32-bit Windows the object
// travels in a register (thiscall), elsewhere it is the first argument.
#if defined(_WIN32) && defined(__i386__)
#define KESTRIN_METHOD_CALL __attribute__((thiscall))
#else
#define KESTRIN_METHOD_CALL
#endif

class CModuleLibrary {
 public:
  CModuleLibrary() = default;
  CModuleLibrary(const CModuleLibrary&) = delete;
  CModuleLibrary& operator=(const CModuleLibrary&) = delete;
  ~CModuleLibrary() { Close(); }

  // False when the loader refuses the file; Error() then says why.
  bool Open(const char* pszPath) {
    Close();
#if defined(_WIN32)
    m_hModule = LoadLibraryA(pszPath);
    if (m_hModule == nullptr) m_strError = "LoadLibraryA error " + std::to_string(GetLastError());
#else
    m_hModule = dlopen(pszPath, RTLD_NOW | RTLD_LOCAL);
    if (m_hModule == nullptr) m_strError = dlerror();
#endif
    return m_hModule != nullptr;
  }

  // The address the export table gives for the name, or null.
  void* Symbol(const char* pszName) const {
    if (m_hModule == nullptr) return nullptr;
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(m_hModule, pszName));
#else
    return dlsym(m_hModule, pszName);
#endif
  }

  void Close() {
    if (m_hModule == nullptr) return;
#if defined(_WIN32)
    FreeLibrary(m_hModule);
#else
    dlclose(m_hModule);
#endif
    m_hModule = nullptr;
  }

  const std::string& Error() const { return m_strError; }

 private:
#if defined(_WIN32)
  HMODULE m_hModule = nullptr;
#else
  void* m_hModule = nullptr;
#endif
  std::string m_strError;
};
