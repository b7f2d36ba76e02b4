#pragma once
// What the module needs from the operating system (the crash record's own needs are the crash
// library's CrashPlatform.h). Any thread; nothing throws.
// One implementation file per operating system; no other file of the foundation includes an OS
// header.

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

// A regular file opened to be read whole with the system's plain calls, without a stream:
// OpenFileToRead, ReadFileBytes until the size is read, CloseFile. NO_FILE when there is no
// regular file at the path: missing, unreadable, a folder, or a pipe, socket or device, which
// could block the reader or never end; nSize is then left alone. Never waits for a writer.
using FileHandle = std::intptr_t;
constexpr FileHandle NO_FILE = -1;
FileHandle OpenFileToRead(const char* pszPath, std::uint64_t& nSize);
// Reads up to nBytes from where the last read ended: the count read, fewer only at the end of
// the file; -1 on an error.
std::int64_t ReadFileBytes(FileHandle hFile, void* pBuffer, size_t nBytes);
void CloseFile(FileHandle hFile);

// True when the pointer is not null and every byte up to and including the string's
// terminating zero can be read: a probe, for checks that log a bad pointer.
bool IsReadableString(const char* psz);

// Zero-filled memory of whole pages for large blocks of table storage, committed as it is
// first touched; where the system has large pages that need no privilege, a block of 2 MB or
// more is aligned to them and advised to use them. Null when there is none. FreePages takes
// the pointer and the size given to AllocatePages.
void* AllocatePages(size_t nBytes);
void FreePages(void* pBlock, size_t nBytes);
// Advises the system to back the whole large pages within the range (memory not yet written,
// such as the unused capacity of a large vector) with large pages; nothing where it has none.
void AdviseLargePages(void* pBegin, size_t nBytes);
// Gives the whole pages within the range back to the system where that is cheap: memory the
// caller owns and holds nothing in, such as a table's storage past its last record once the
// load is over, which a large page made resident whole, or a reused file image's block past
// what the next image reads. The range stays usable: each page reads as zero or as it was.
void ReleasePages(void* pBegin, size_t nBytes);

}  // namespace ZorPlatform
