#include "WatchCommand.h"

#include <cstdio>
#include <filesystem>

#include "CheckCommand.h"
#include "FolderWatch.h"
#include "Terminal.h"
#include "ToolPlatform.h"

int RunWatch(const std::string& strDataDir, const std::string& strFormat, bool bStrict) {
  std::error_code ec;
  std::filesystem::path folder = std::filesystem::absolute(strDataDir, ec);
  CFolderWatch watch(folder);
  bool bClear = StdoutIsTerminal() && ToolPlatform::EnableColourSequences(stdout);
  bool bColour = strFormat == "text" && ColourWanted(stdout);
  int nStatus = 2;
  do {
    CheckSummary summary;
    int nResult = CheckDataFolder(folder.string(), "check", bStrict, summary, {});
    if (nResult != 0) return nResult;
    summary.strDataDir = strDataDir;
    if (bClear) fputs("\033[2J\033[H", stdout);
    PrintCheckReport(summary, strFormat, bColour, stdout);
    if (fflush(stdout) != 0) return 1;
    nStatus = summary.nStatus;
  } while (watch.Wait() == CFolderWatch::CHANGED);
  return nStatus;
}
