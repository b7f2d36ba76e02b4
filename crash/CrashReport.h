#pragma once
// Crash records: the text written when the module meets a state it treats as a crash (a bad
// index into a CSafeVector). One record is
//
//   ReleaseVer:<version.dat> MsgVer:999 , FileVer:, FileTime:20261203-2210==<trace><message>\n
//
// with a trace of up to seven frames, "(Kestrin.so 0001A2B0:0) (0001A310:1) (unknown 0000F00D:2) ".
// It goes to the debug log and to the crash-report upload; then the caller carries on.

#include <cstdarg>
#include <cstddef>
#include <cstdint>

#if defined(__GNUC__) || defined(__clang__)
#define ZOR_NOINLINE __attribute__((noinline))
#define ZOR_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#elif defined(_MSC_VER)
#define ZOR_NOINLINE __declspec(noinline)
#define ZOR_PRINTF(fmt, args)
#else
#define ZOR_NOINLINE
#define ZOR_PRINTF(fmt, args)
#endif

namespace ZorGameBase {

// A record is built in this many bytes: at most one less of text.
const size_t CRASH_RECORD_SIZE = 4096;
// The trace of WalkCallStack(6, ...) always fits in this many bytes.
const size_t CRASH_TRACE_SIZE = 2048;
// The frames a record's trace shows: indexes 0 to 6.
const int CRASH_TRACE_MAX_INDEX = 6;

// Builds a record (frame 0 of its trace is the return into this function), writes it to the
// debug log as finished text and hands it to StartCrashUpload. Every caller passes a null
// exception context: the trace starts at the caller.
ZOR_NOINLINE void CrashRecord(const void* pExceptionContext, const char* pszFormat, ...)
    ZOR_PRINTF(2, 3);

// Writes the trace tokens of frames 0 to nMaxIndex into pszOut (nOutSize bytes), frame 0 being
// the return into the caller of this function. Returns pszOut, or null (pszOut empty) when
// nMaxIndex is negative or not a single frame could be walked. Tokens that do not fit whole
// are left out. The exception context is not used: the walk always starts here.
ZOR_NOINLINE char* WalkCallStack(int nMaxIndex, char* pszOut, size_t nOutSize,
                                 const void* pExceptionContext);

// The image of the process that holds the address: its file name (at most 259 characters) in
// pszName (260 bytes) and its load address in nBase. False, with an empty name, when none does.
bool FindModuleOfAddress(const void* pAddress, char* pszName, uintptr_t* pBase);

// The last-write time of the host executable as "%04d%02d%02d-%02d%02d" in local time, into
// pszOut (at least 32 bytes). The executable is looked up by its bare file name in the current
// folder; false, with pszOut empty, when no such file is there.
bool GetExeFileTime(char* pszOut);

// The version stamp "ReleaseVer:%s MsgVer:%d , FileVer:%s, FileTime:%s==": the first 63 bytes
// of ./version.dat as they stand (empty without the file), 999, nothing, GetExeFileTime.
void FormatVersionStamp(char* pszOut, size_t nOutSize);

// Puts the record together in pszRecord (CRASH_RECORD_SIZE bytes): the stamp, the trace, then
// the formatted message with a line feed, cut where the record would pass 4095 characters.
void ComposeCrashRecord(char* pszRecord, const char* pszTrace, const char* pszFormat, va_list args);

}  // namespace ZorGameBase
