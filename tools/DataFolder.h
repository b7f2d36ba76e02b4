#pragma once
// The data folder the tool loads: the module opens ini/... relative to the current folder and
// writes its debug log to ./debug/, so the commands run inside the folder.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "I3DRoleBaseData.h"

// Makes the folder the current one and loads it into the module's service (Create). fnEntered,
// when given, runs once the folder is current, before the service exists. Returns the loaded
// service, which the caller ends with RoleBaseDataDestroy(); null on failure, with one line
// "kestrin <command>: ..." on stderr and the command's exit code in nExitCode: 2 when the folder
// cannot be used, 1 when the module creates no service.
I3DRoleBaseData* LoadDataFolder(const std::string& strDataDir, const char* pszCommand,
                                int& nExitCode, const std::function<void()>& fnEntered = {});

// The records the debug log gains after Mark(), as messages without their time stamps.
class CDebugLogTail {
 public:
  // Notes how long each log file of ./debug is now.
  void Mark();
  // Every record appended since Mark(), in file order; a message may span lines (a crash record).
  std::vector<std::string> NewMessages() const;

 private:
  std::map<std::filesystem::path, uintmax_t> m_sizes;
};
