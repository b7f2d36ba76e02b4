#pragma once
// The data folder the tool loads: the module opens ini/... relative to the current folder and
// writes its debug log to ./debug/, so the commands run inside the folder.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

// Makes the folder the current one. False, with the reason on stderr ("kestrin <command>: ..."),
// when it is not a folder or cannot be entered.
bool EnterDataFolder(const std::string& strDataDir, const char* pszCommand);

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
