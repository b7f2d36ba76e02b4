#pragma once
// What the crash record and its upload need from the operating system, beside the core seam
// (ZorPlatform.h): the stack, the loaded images, the executable's file and an HTTP client.
// Any thread; nothing throws. One implementation per operating system (posix/, win32/); no
// other file of the crash library includes an OS header.

#include <cstddef>
#include <cstdint>
#include <ctime>

namespace CrashPlatform {

// Return addresses of the calling thread's stack, innermost first: the first is the return into
// the caller of the function that called this one. Stores at most nMax and returns the count
// stored (0 when no frame could be read).
int CaptureStackFrames(void** apFrames, int nMax);

// The loaded image (the executable or a shared library) that holds the address: its file name
// without folders, cut to nNameSize - 1 characters, and its load address, the value that turns
// an address into the image's own offset. False, with an empty name, when no image holds it.
bool FindModuleOfAddress(const void* pAddress, char* pszName, size_t nNameSize, uintptr_t* pBase);

// The full path of the running executable; false when it cannot be told.
bool GetExecutablePath(char* pszPath, size_t nSize);

// The last-write time of a file or folder in local time; false when there is none at the path.
bool GetFileWriteTime(const char* pszPath, std::tm* pLocal);

// One HTTP POST, sent through the proxy the system is configured with (none when none is).
// Each header is one complete line without its line break ("Accept: */*"); it takes the place
// of the client library's own header of that name. The answer is waited for up to the total
// time and then thrown away. True when the request went out and some answer came back.
struct HttpPostRequest {
  const char* pszUserAgent;
  const char* pszServer;  // host name or address
  unsigned short nPort;
  const char* pszObject;  // request path; "/" is put in front when it does not start so
  const char* const* ppszHeaders;  // null-terminated list, or null
  const char* pchBody;
  size_t nBodyLength;
  long nConnectTimeoutSeconds;  // bound on reaching the server
  long nTotalTimeoutSeconds;    // bound on the whole exchange
};
bool HttpPost(const HttpPostRequest& request);
// The HTTP client's one-time setup for the process, done at the first call and never undone:
// called before the first thread that posts starts, so that no such thread sets the client up
// while the process exits. False when the client cannot work.
bool HttpSetup();

}  // namespace CrashPlatform
