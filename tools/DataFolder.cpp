#include "DataFolder.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const char LOG_FOLDER[] = "debug";
const char STAMP_SEPARATOR[] = " -- ";
const size_t STAMP_LENGTH = 24;  // "Thu Dec 03 22:10:01 2026"

bool EnterDataFolder(const std::string& strDataDir, const char* pszCommand) {
  std::error_code ec;
  if (!fs::is_directory(strDataDir, ec)) {
    std::cerr << "kestrin " << pszCommand << ": " << strDataDir
              << (fs::exists(strDataDir, ec) ? " is not a folder\n" : " does not exist\n");
    return false;
  }
  fs::current_path(strDataDir, ec);
  if (ec) {
    std::cerr << "kestrin " << pszCommand << ": cannot enter " << strDataDir << ": " << ec.message()
              << "\n";
    return false;
  }
  return true;
}

}  // namespace

I3DRoleBaseData* LoadDataFolder(const std::string& strDataDir, const char* pszCommand,
                                int& nExitCode, const std::function<void()>& fnEntered) {
  nExitCode = 2;
  if (!EnterDataFolder(strDataDir, pszCommand)) return nullptr;
  if (fnEntered) fnEntered();
  nExitCode = 1;
  I3DRoleBaseData* pData = RoleBaseDataQuery();
  if (pData == nullptr) {
    std::cerr << "kestrin " << pszCommand << ": the module could not create its service\n";
    return nullptr;
  }
  pData->Create();
  nExitCode = 0;
  return pData;
}

void CDebugLogTail::Mark() {
  m_sizes.clear();
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(LOG_FOLDER, ec)) {
    if (entry.is_regular_file(ec)) m_sizes[entry.path()] = entry.file_size(ec);
  }
}

std::vector<std::string> CDebugLogTail::NewMessages() const {
  std::vector<std::string> messages;
  std::error_code ec;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(LOG_FOLDER, ec)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());  // a load across midnight writes two days' files
  for (const fs::path& path : files) {
    std::ifstream in(path, std::ios::binary);
    auto it = m_sizes.find(path);
    if (it != m_sizes.end()) in.seekg(static_cast<std::streamoff>(it->second));
    std::string strRecord;
    for (std::string strLine; std::getline(in, strLine);) {
      if (!strLine.empty() && strLine.back() == '\r') strLine.pop_back();
      // A record ends with " -- " and the time stamp; a line without one continues the record.
      size_t nStamp = strLine.rfind(STAMP_SEPARATOR);
      bool bEnd = nStamp != std::string::npos &&
                  strLine.size() - nStamp == sizeof(STAMP_SEPARATOR) - 1 + STAMP_LENGTH;
      if (bEnd) {
        messages.push_back(strRecord + strLine.substr(0, nStamp));
        strRecord.clear();
      } else {
        strRecord += strLine + "\n";
      }
    }
    if (!strRecord.empty()) messages.push_back(strRecord);
  }
  return messages;
}
