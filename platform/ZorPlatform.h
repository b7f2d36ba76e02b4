#pragma once
// What the module needs from the operating system. Any thread; nothing throws.
// One implementation file per operating system; no other file includes an OS header.

#include <cstdint>
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

}  // namespace ZorPlatform
