// What the machine may do to the files: a table or track file that is a folder, a FIFO or cannot
// be read, and a debug log that cannot be written. The module answers as documented, logs at most
// the documented line, and goes on.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "FifoGuard.h"
#include "FilePermissions.h"
#include "ModuleFixture.h"
#include "TableAnswers.h"

namespace fs = std::filesystem;

namespace {

// Every file Create reads, and the files read on demand: the dive and a camera track.
const char* const TABLE_FILES[] = {
    "ini/GameMap.dat",         "ini/region.ini",          "ini/SoundEvent.ini",
    "ini/SoundRes.ini",        "ini/TerrainNpc.dat",      "ini/BattleMap.ini",
    "ini/CaptureCamera.ini",   "ini/FighterPosOffset.ini", "ini/CameraTrack.ini",
    "ini/Npc.ini",             "ini/NpcX.ini",            "ini/RolePartScale.ini",
    "ini/2DRoleLook.ini",      "ini/RolePartHide.ini",    "ini/LookScale.ini",
    "ini/MountScale.ini",      "ini/AppendentWeapon.ini", "ini/WeaponAdjustByLook.ini",
    "ini/RoleWeapon3DEffect.ini", "ini/Action3DEffect.ini", "ini/ActionSound.ini",
    "ini/SimpleObjInfo.ini",   "ini/RoleTrace.ini",       "ini/RolePartReplace.ini",
    "ini/3DBattleDive.ini",    "track/intro.trk"};
// The files whose absence leaves "error on open <path>." in the log; the others leave nothing.
const char* const LOGGED_FILES[] = {"ini/GameMap.dat",       "ini/region.ini",
                                    "ini/TerrainNpc.dat",    "ini/CaptureCamera.ini",
                                    "ini/Npc.ini",           "ini/2DRoleLook.ini",
                                    "ini/ActionSound.ini",   "ini/SimpleObjInfo.ini"};

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class FaultTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    CopyExampleData(m_folder);
  }

  // One client session: query, Create, every table's answers, destroy; what it answered and
  // logged (messages without their time). The log starts afresh after it.
  struct Session {
    int32_t nCreated = -1;
    std::string strAnswers, strLog;
  };
  Session RunSession() {
    Session session;
    I3DRoleBaseData* pData = Load();
    if (pData == nullptr) return session;
    session.nCreated = m_nCreated;
    session.strAnswers = DescribeAnswers(pData);
    RoleBaseDataDestroy();
    std::istringstream lines(LogText());
    for (std::string strLine; std::getline(lines, strLine);) {
      session.strLog += strLine.substr(0, strLine.rfind(" -- ")) + "\n";
    }
    ClearLog();
    return session;
  }
};

// A file that is a folder, a FIFO, or that cannot be read, is a file that cannot be opened: the
// module answers and logs exactly as it does when the file is missing, without waiting.
class TableFileFaultTest : public FaultTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(TableFileFaultTest, AnswersAndLogsAsForAMissingFile) {
  const std::string strFile = GetParam();
  fs::path path = m_folder / strFile;
  Session whole = RunSession();
  fs::remove(path);
  Session missing = RunSession();
  ASSERT_NE(whole.strAnswers, missing.strAnswers) << "no answer depends on this file";
  // The documented line, once, and nothing else new.
  bool bLogged = std::count(std::begin(LOGGED_FILES), std::end(LOGGED_FILES), strFile) != 0;
  std::string strOpen = bLogged ? "error on open " + strFile + ".\n" : "";
  std::string strNew = missing.strLog;
  size_t nAt = strNew.find(strOpen);
  ASSERT_NE(std::string::npos, nAt) << strNew;
  EXPECT_EQ(whole.strLog, strNew.erase(nAt, strOpen.size()));

  enum { FOLDER, FIFO, UNREADABLE };
  for (int nFault : {FOLDER, FIFO, UNREADABLE}) {
    SCOPED_TRACE(nFault == FOLDER ? "a folder" : nFault == FIFO ? "a FIFO" : "unreadable");
    ScopedFilePermissions permissions;
    std::unique_ptr<CFifoGuard> pFifo;
    if (nFault == FOLDER) {
      fs::create_directory(path);
    } else if (nFault == FIFO) {
      pFifo = std::make_unique<CFifoGuard>(path);
      ASSERT_TRUE(pFifo->Made());
    } else {
      fs::copy_file(ExampleDataFolder() / strFile, path);
      fs::permissions(path, fs::perms::none);
      if (std::ifstream(path).is_open()) GTEST_SKIP() << RootCannotBeBound(strFile);
    }
    Session faulty = RunSession();
    if (pFifo != nullptr) {
      EXPECT_FALSE(pFifo->ReaderWaited()) << "the load waited for a writer";
    }
    EXPECT_EQ(missing.nCreated, faulty.nCreated);
    EXPECT_EQ(missing.strAnswers, faulty.strAnswers);
    EXPECT_EQ(missing.strLog, faulty.strLog);
    pFifo.reset();
    fs::remove_all(path);
  }
}

INSTANTIATE_TEST_SUITE_P(TableFiles, TableFileFaultTest, ::testing::ValuesIn(TABLE_FILES),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           std::string strName = fs::path(info.param).filename().string();
                           std::replace(strName.begin(), strName.end(), '.', '_');
                           return strName;
                         });

// The debug log cannot be written, its day's file being a folder or its folder a file: nothing
// reaches the client and the answers stay the same.
TEST_F(FaultTest, UnwritableLogChangesNoAnswer) {
  fs::remove(m_folder / "ini/region.ini");
  Session logged = RunSession();
  ASSERT_NE(std::string::npos, logged.strLog.find("error on open ini/region.ini."));
  fs::remove_all(m_folder / "debug");
  std::time_t now = std::time(nullptr);
  for (std::time_t when : {now, now + 24 * 3600}) {  // a test that runs past midnight
    std::tm local{};
    localtime_r(&when, &local);
    fs::create_directories(m_folder / "debug" /
                           (std::to_string(local.tm_year + 1900) + "_" +
                            std::to_string(local.tm_mon + 1) + "_" +
                            std::to_string(local.tm_mday) + ".log"));
  }
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ(logged.nCreated, m_nCreated);
  EXPECT_EQ(logged.strAnswers, DescribeAnswers(pData));
  for (const auto& entry : fs::directory_iterator(m_folder / "debug")) {
    EXPECT_TRUE(entry.is_directory()) << entry.path();
  }
  RoleBaseDataDestroy();
  fs::remove_all(m_folder / "debug");
  Write("debug", "not a folder\n");
  pData = Load();
  EXPECT_EQ(logged.nCreated, m_nCreated);
  EXPECT_EQ(logged.strAnswers, DescribeAnswers(pData));
  EXPECT_EQ("not a folder\n", ReadBytes(m_folder / "debug"));
}

}  // namespace
