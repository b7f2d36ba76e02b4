#pragma once
// What the module needs from the operating system. Any thread; nothing throws.
// One implementation file per operating system; no other file includes an OS header.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <ctime>

namespace ZorPlatform {

// The local calendar time of this moment.
std::tm LocalTimeNow();

// Creates one directory; true if it exists afterwards.
bool MakeDirectory(const char* pszPath);

// One text to an attached debugger; dropped when none is attached.
void DebuggerOutput(const char* pszText);

// Receives every text given to DebuggerOutput, in place of the debugger (null restores it).
// For hosts and tests that want to see the channel.
using DebuggerSink = void (*)(const char* pszText);
void SetDebuggerSink(DebuggerSink pfnSink);

// Return addresses of the calling thread's stack, innermost first: the first is the return into
// the caller of the function that called this one when nSkip is 0; nSkip leaves out that many
// more. Stores at most nMax and returns the count stored (0 when no frame could be read).
int CaptureStackFrames(void** apFrames, int nMax, int nSkip);

// The loaded image (the executable or a shared library) that holds the address: its file name
// without folders, cut to nNameSize - 1 characters, and its load address, the value that turns
// an address into the image's own offset. False, with an empty name, when no image holds it.
bool FindModuleOfAddress(const void* pAddress, char* pszName, size_t nNameSize, uintptr_t* pBase);

// The full path of the running executable; false when it cannot be told.
bool GetExecutablePath(char* pszPath, size_t nSize);

// The last-write time of a file or folder in local time; false when there is none at the path.
bool GetFileWriteTime(const char* pszPath, std::tm* pLocal);

// Opens a file to read its bytes (binary). Null, with errno as the system left it, when there is
// no regular file at the path: missing, unreadable, a folder, or a pipe, socket or device, which
// could block the reader or never end. Never waits for a writer.
std::FILE* OpenRegularFile(const char* pszPath);

// True when the pointer is not null and every byte up to and including the string's
// terminating zero can be read: a probe, for checks that log a bad pointer.
bool IsReadableString(const char* psz);

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

// Zero-filled memory of whole pages for large blocks of table storage, committed as it is
// first touched; where the system has large pages that need no privilege, a block of 2 MB or
// more is aligned to them and advised to use them. Null when there is none. FreePages takes
// the pointer and the size given to AllocatePages.
void* AllocatePages(size_t nBytes);
void FreePages(void* pBlock, size_t nBytes);
// Advises the system to back the whole large pages within the range (memory not yet written,
// such as the unused capacity of a large vector) with large pages; nothing where it has none.
void AdviseLargePages(void* pBegin, size_t nBytes);

}  // namespace ZorPlatform
