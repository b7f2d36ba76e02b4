#pragma once
#include <string>

// kestrin report: checks the folder as RunCheck does and writes one self-contained HTML page
// (ReportPage.h) to strOutFile. The check's status (0 or 1); 1 too when the page cannot be
// written, 2 when the folder cannot be used.
int RunReport(const std::string& strDataDir, const std::string& strOutFile);
