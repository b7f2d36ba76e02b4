#pragma once
// The crash-report upload: each crash record is posted to the installation's collecting server,
// on a thread of its own, when ini/GameSetup.ini enables it:
//
//   [DumpError]
//   Enable=1
//   Server=reports.example.net
//   Action=/dump/report.php
//
// At most four uploads start per process. Nothing is logged; the setup lookup reports a missing
// key on the debugger output.

namespace ZorGameBase {

// Starts one upload of a copy of the text (at most 4095 characters are kept) and returns at
// once. Does nothing for a null text or when four uploads have already started in this process.
void StartCrashUpload(const char* pszText);

// How many uploads this process has started, and how many of those have ended (for hosts and
// tests that want to wait for them).
int CrashUploadsStarted();
int CrashUploadsFinished();

}  // namespace ZorGameBase
