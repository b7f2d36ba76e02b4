#pragma once
// What a few tests need from the operating system to set up or check a case, asked of the
// system directly rather than through the module's own seam, on POSIX systems and on Windows.

#include <ctime>
#include <string>

namespace TestPlatform {

// The file name, without folders, of the running test program.
std::string ExecutableFileName();

// Sets a file's last-write time to the given local calendar time; false on failure.
bool SetFileWriteTime(const std::string& strPath, const std::tm& tmLocal);

// A function that lives in a shared library of the system (the C library on POSIX, the kernel
// library on Windows), and the file name ending of such libraries (".so", ".dll").
const void* SystemLibraryFunction();
const char* SharedLibrarySuffix();

// Sets a variable of the process's environment; false on failure.
bool SetEnvironmentValue(const char* pszName, const char* pszValue);

}  // namespace TestPlatform
