// A client as the Microsoft compiler builds it, from the project's include/ headers alone:
// compiled by clang for the Microsoft ABI with no C runtime, linked against Kestrin.lib, run in
// a folder holding ini/, Kestrin.dll and the three sibling libraries. Writes ClientCalls' lines
// to its standard output; exit code 1 when there is no service.
#include "ClientCalls.h"

extern "C" {
__declspec(dllimport) void* __stdcall GetStdHandle(unsigned long nStdHandle);
__declspec(dllimport) int __stdcall WriteFile(void* hFile, const void* pBuffer,
                                              unsigned long nBytes, unsigned long* pWritten,
                                              void* pOverlapped);
__declspec(dllimport) void __stdcall ExitProcess(unsigned int nExitCode);
int _fltused = 0;  // the Microsoft linker's mark of a program with floating point

// What the compiler may call for block copies and fills.
void* memcpy(void* pTarget, const void* pSource, size_t nSize) {
  for (size_t i = 0; i < nSize; ++i)
    static_cast<char*>(pTarget)[i] = static_cast<const char*>(pSource)[i];
  return pTarget;
}
void* memset(void* pTarget, int nValue, size_t nSize) {
  for (size_t i = 0; i < nSize; ++i) static_cast<char*>(pTarget)[i] = static_cast<char>(nValue);
  return pTarget;
}
}

namespace {

const unsigned long STD_OUTPUT_HANDLE = static_cast<unsigned long>(-11);

class ConsoleOut final : public CClientOut {
 public:
  void Write(const char* pText, unsigned nLength) override {
    unsigned long nWritten = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), pText, nLength, &nWritten, nullptr);
  }
};

}  // namespace

extern "C" void mainCRTStartup() {
  I3DRoleBaseData* pData = RoleBaseDataQuery();
  if (pData == nullptr) ExitProcess(1);
  ConsoleOut out;
  ClientCalls(pData, out);
  RoleBaseDataDestroy();
  ExitProcess(0);
}
