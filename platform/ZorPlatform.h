#pragma once
// What the module needs from the operating system (the crash record's own needs are the crash
// library's CrashPlatform.h). Any thread; nothing throws.
// One implementation file per operating system; no other file of the foundation includes an OS
// header.

#include <cstddef>
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

// Opens a file to read its bytes (binary). Null, with errno as the system left it, when there is
// no regular file at the path: missing, unreadable, a folder, or a pipe, socket or device, which
// could block the reader or never end. Never waits for a writer.
std::FILE* OpenRegularFile(const char* pszPath);

// True when the pointer is not null and every byte up to and including the string's
// terminating zero can be read: a probe, for checks that log a bad pointer.
bool IsReadableString(const char* psz);

}  // namespace ZorPlatform
