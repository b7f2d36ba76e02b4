#include "ModuleFixture.h"

#include <chrono>
#include <fstream>
#include <random>
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

// A new, empty folder of our own under the system's temporary folder; empty path on failure.
// Names are random, and creation fails for a name that exists, so parallel runs never share.
fs::path MakeTempFolder() {
  static std::mt19937_64 s_random(
      std::random_device{}() ^
      static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  std::error_code ec;
  fs::path base = fs::temp_directory_path(ec);
  if (ec) return {};
  for (int nTry = 0; nTry < 100; ++nTry) {
    fs::path folder = base / ("kestrin-test-" + std::to_string(s_random() % 1000000000000ULL));
    if (fs::create_directory(folder, ec)) return folder;
  }
  return {};
}
}  // namespace

void TempFolderTest::SetUp() {
  m_previous = fs::current_path();
  m_folder = MakeTempFolder();
  ASSERT_FALSE(m_folder.empty());
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
      // Records end with the platform's text line end: CR LF on Windows.
      if (!strLine.empty() && strLine.back() == '\r') strLine.pop_back();
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

fs::path ExampleDataFolder() { return fs::path(KESTRIN_EXAMPLE_DATA); }

void CopyExampleData(const fs::path& folder) {
  for (const char* pszPart : {"ini", "track"}) {
    fs::copy(ExampleDataFolder() / pszPart, folder / pszPart,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  }
}
