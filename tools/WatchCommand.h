#pragma once
#include <string>

// kestrin check --watch: checks the folder as RunCheck does, then again each time one of its
// tables changes, clearing a terminal's screen before each report, until Ctrl-C. The status is
// that of the last check (2 when the folder cannot be used).
int RunWatch(const std::string& strDataDir, const std::string& strFormat, bool bStrict);
