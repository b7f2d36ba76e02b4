#pragma once
// What a few tests need from the operating system to set up or check a case, asked of the
// system directly rather than through the module's own seam, on POSIX systems and on Windows.

#include <cstddef>
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

// A page of address space that is reserved but can never be read, with its size; freed at
// the end of the program. Null when the system gives none.
char* UnreadablePage(size_t* pnSize);
// A readable page directly followed by an unreadable one (the address of the readable one),
// each of the given size. Null when the system gives none.
char* PageBeforeUnreadablePage(size_t* pnSize);

// Sets a variable of the process's environment; false on failure.
bool SetEnvironmentValue(const char* pszName, const char* pszValue);

}  // namespace TestPlatform
