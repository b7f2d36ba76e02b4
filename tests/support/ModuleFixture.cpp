#include "ModuleFixture.h"

#include <stdlib.h>

#include <fstream>
#include <sstream>

#include "DebugLog.h"

namespace fs = std::filesystem;

namespace {
// The log drops a message equal to one of the last eight it accepted, across tests too:
// eight messages no test repeats make every test start with a clean memory.
void FlushRecentMessages() {
  static int s_nFlush = 0;
  for (int i = 0; i < 8; ++i) ZorGameBase::DebugLog("-- test boundary %d --", ++s_nFlush);
}
}  // namespace

void TempFolderTest::SetUp() {
  m_previous = fs::current_path();
  std::string strTemplate = (fs::temp_directory_path() / "kestrin-test-XXXXXX").string();
  ASSERT_NE(mkdtemp(strTemplate.data()), nullptr);
  m_folder = strTemplate;
  fs::current_path(m_folder);
  FlushRecentMessages();
}

void TempFolderTest::TearDown() {
  fs::current_path(m_previous);
  std::error_code ec;
  fs::permissions(m_folder, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(m_folder, ec);
}

void TempFolderTest::Write(const std::string& strPath, const std::string& strContent) {
  fs::path path = m_folder / strPath;
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(strContent.data(), static_cast<std::streamsize>(strContent.size()));
}

std::string TempFolderTest::LogText() const {
  std::string strAll;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(m_folder / "debug", ec)) {
    std::ifstream in(entry.path(), std::ios::binary);
    for (std::string strLine; std::getline(in, strLine);) {
      if (strLine.rfind("-- test boundary ", 0) != 0) strAll += strLine + "\n";
    }
  }
  return strAll;
}

int TempFolderTest::LogCount(const std::string& strText) const {
  std::istringstream lines(LogText());
  int nCount = 0;
  for (std::string strLine; std::getline(lines, strLine);) {
    if (strLine.find(strText) != std::string::npos) ++nCount;
  }
  return nCount;
}

void TempFolderTest::ClearLog() {
  std::error_code ec;
  fs::remove_all(m_folder / "debug", ec);
  FlushRecentMessages();
}

void ModuleTest::TearDown() {
  RoleBaseDataDestroy();
  TempFolderTest::TearDown();
}

I3DRoleBaseData* ModuleTest::Load() {
  I3DRoleBaseData* pData = RoleBaseDataQuery();
  if (pData != nullptr) m_nCreated = pData->Create();
  return pData;
}

I3DRoleBaseData* ModuleTest::LoadWith(const std::string& strPath, const std::string& strText) {
  RoleBaseDataDestroy();
  Write(strPath, strText);
  return Load();
}
