// What the machine may do to the files: a table file that is a folder, a FIFO or cannot be read,
// files read on demand that vanish or change after Create, enciphered tables cut short, and a debug
// log that cannot be written. The module answers as documented, logs at most the documented line,
// and goes on.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

#include "DebugLog.h"
#include "FifoGuard.h"
#include "FilePermissions.h"
#include "ModuleFixture.h"
#include "QuerySweep.h"

namespace fs = std::filesystem;

namespace {

// Every file Create reads, and the dive file the sweep reads on demand; true where a file that
// cannot be opened leaves the line "error on open <path>." in the log, false where nothing.
struct TableFile {
  const char* pszPath;
  bool bLogged;
  std::string OpenMessage() const {
    return bLogged ? "error on open " + std::string(pszPath) + "." : "";
  }
};

const TableFile TABLE_FILES[] = {
    {"ini/GameMap.dat", true},          {"ini/region.ini", true},
    {"ini/SoundEvent.ini", false},      {"ini/SoundRes.ini", false},
    {"ini/TerrainNpc.dat", true},       {"ini/BattleMap.ini", false},
    {"ini/CaptureCamera.ini", true},    {"ini/FighterPosOffset.ini", false},
    {"ini/CameraTrack.ini", false},     {"ini/Npc.ini", true},
    {"ini/NpcX.ini", false},            {"ini/RolePartScale.ini", false},
    {"ini/2DRoleLook.ini", true},       {"ini/RolePartHide.ini", false},
    {"ini/LookScale.ini", false},       {"ini/MountScale.ini", false},
    {"ini/AppendentWeapon.ini", false}, {"ini/WeaponAdjustByLook.ini", false},
    {"ini/RoleWeapon3DEffect.ini", false}, {"ini/Action3DEffect.ini", false},
    {"ini/ActionSound.ini", true},      {"ini/SimpleObjInfo.ini", true},
    {"ini/RoleTrace.ini", false},       {"ini/RolePartReplace.ini", false},
    {"ini/3DBattleDive.ini", false},
};

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const std::string& strBytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << strBytes;
}

bool CanOpen(const fs::path& path, const char* pszMode) {
  FILE* pFile = fopen(path.string().c_str(), pszMode);
  if (pFile != nullptr) fclose(pFile);
  return pFile != nullptr;
}

// The name of the log file of a day, as the log names it.
std::string LogFileName(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  return std::to_string(local.tm_year + 1900) + "_" + std::to_string(local.tm_mon + 1) + "_" +
         std::to_string(local.tm_mday) + ".log";
}

class FaultTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    CopyExampleData(m_folder);
  }

  // One client session: query, Create, the sweep of every reading operation, destroy. What it
  // answered and logged (messages without their time); the log starts afresh after it.
  struct Session {
    int32_t nCreated;
    std::string strAnswers;
    std::string strLog;
  };
  Session RunSession() {
    Session session{};
    I3DRoleBaseData* pData = Load();
    if (pData == nullptr) return session;
    session.nCreated = m_nCreated;
    session.strAnswers = DescribeAnswers(pData);
    RoleBaseDataDestroy();
    std::istringstream lines(LogText());
    for (std::string strLine; std::getline(lines, strLine);) {
      session.strLog += strLine.substr(0, strLine.rfind(" -- ")) + "\n";
    }
    ForgetLog();
    return session;
  }

  // Empties the log folder and lets every earlier message through the repeat filter again.
  void ForgetLog() {
    static int s_nBoundary = 0;
    std::error_code ec;
    fs::remove_all(m_folder / "debug", ec);
    for (int i = 0; i < 8; ++i)
      ZorGameBase::DebugLog("-- test boundary fault %d --", ++s_nBoundary);
    fs::remove_all(m_folder / "debug", ec);
  }
};

// A table file that is a folder, a FIFO, or that cannot be read, is a file that cannot be opened:
// the module answers and logs exactly as it does when the file is missing, without waiting.
enum class Fault { Folder, Fifo, Unreadable };

struct FaultCase {
  TableFile file;
  Fault fault;
};

std::string CaseName(const FaultCase& c) {
  std::string strName = fs::path(c.file.pszPath).filename().string();
  for (char& ch : strName) {
    if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  const char* pszFault = c.fault == Fault::Folder ? "_IsAFolder"
                         : c.fault == Fault::Fifo ? "_IsAFifo"
                                                  : "_IsUnreadable";
  return strName + pszFault;
}

void PrintTo(const FaultCase& c, std::ostream* pOut) { *pOut << CaseName(c); }

std::vector<FaultCase> AllFaultCases() {
  std::vector<FaultCase> vecCases;
  for (Fault fault : {Fault::Folder, Fault::Fifo, Fault::Unreadable}) {
    for (const TableFile& file : TABLE_FILES) vecCases.push_back({file, fault});
  }
  return vecCases;
}

class TableFileFaultTest : public FaultTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(TableFileFaultTest, AnswersAndLogsAsForAMissingFile) {
  const FaultCase& c = GetParam();
  fs::path path = m_folder / c.file.pszPath;
  Session whole = RunSession();
  fs::remove(path);
  Session missing = RunSession();
  ASSERT_NE(whole.strAnswers, missing.strAnswers) << "the sweep does not see this file";
  // The documented line, once, and nothing else new.
  std::string strNew = missing.strLog;
  if (c.file.bLogged) {
    size_t nAt = strNew.find(c.file.OpenMessage() + "\n");
    ASSERT_NE(std::string::npos, nAt) << missing.strLog;
    strNew.erase(nAt, c.file.OpenMessage().size() + 1);
  }
  EXPECT_EQ(whole.strLog, strNew);

  ScopedFilePermissions permissions;
  std::unique_ptr<CFifoGuard> pFifo;
  if (c.fault == Fault::Folder) {
    fs::create_directory(path);
  } else if (c.fault == Fault::Fifo) {
    pFifo = std::make_unique<CFifoGuard>(path);
    ASSERT_TRUE(pFifo->Made());
  } else {
    WriteBytes(path, ReadBytes(ExampleDataFolder() / c.file.pszPath));
    fs::permissions(path, fs::perms::none);
    if (CanOpen(path, "rb")) GTEST_SKIP() << RootCannotBeBound(c.file.pszPath);
  }
  Session faulty = RunSession();
  if (pFifo != nullptr) {
    EXPECT_FALSE(pFifo->ReaderWaited()) << "the load waited for a writer";
  }
  EXPECT_EQ(missing.nCreated, faulty.nCreated);
  EXPECT_EQ(missing.strAnswers, faulty.strAnswers);
  EXPECT_EQ(missing.strLog, faulty.strLog);
}

INSTANTIATE_TEST_SUITE_P(TableFiles, TableFileFaultTest, ::testing::ValuesIn(AllFaultCases()),
                         [](const ::testing::TestParamInfo<FaultCase>& info) {
                           return CaseName(info.param);
                         });

// Files read on demand may go, change or turn into folders between Create and the query.

TEST_F(FaultTest, DiveFileGoneOrAFolderAnswersNull) {
  I3DRoleBaseData* pData = Load();
  const BattleDiveInfo* pDive = pData->GetBattleDiveInfo();
  ASSERT_NE(nullptr, pDive);
  EXPECT_FLOAT_EQ(-600.0f, pDive->fBlock1[1]);
  std::string strLog = LogText();
  fs::remove(m_folder / "ini/3DBattleDive.ini");
  EXPECT_EQ(nullptr, pData->GetBattleDiveInfo());
  fs::create_directory(m_folder / "ini/3DBattleDive.ini");
  EXPECT_EQ(nullptr, pData->GetBattleDiveInfo());
  EXPECT_FLOAT_EQ(-600.0f, pDive->fBlock1[1]);  // the pointer handed out still reads
  EXPECT_EQ(2, pDive->nValue[2]);
  EXPECT_EQ(strLog, LogText());
}

TEST_F(FaultTest, TrackFileGoneBeforeItsFirstQueryIsReadOnceItIsBack) {
  I3DRoleBaseData* pData = Load();
  std::string strTrack = ReadBytes(m_folder / "track/intro.trk");
  fs::remove(m_folder / "track/intro.trk");
  EXPECT_EQ(nullptr, pData->GetCameraTrackFrames("intro"));
  fs::create_directory(m_folder / "track/intro.trk");
  EXPECT_EQ(nullptr, pData->GetCameraTrackFrames("intro"));
  fs::remove(m_folder / "track/intro.trk");
  {
    CFifoGuard fifo(m_folder / "track/intro.trk");
    ASSERT_TRUE(fifo.Made());
    EXPECT_EQ(nullptr, pData->GetCameraTrackFrames("intro"));
    EXPECT_FALSE(fifo.ReaderWaited()) << "the query waited for a writer";
  }
  EXPECT_EQ("", LogText());
  fs::remove(m_folder / "track/intro.trk");
  Write("track/intro.trk", strTrack);
  const CameraTrackFrameList* pFrames = pData->GetCameraTrackFrames("intro");
  ASSERT_NE(nullptr, pFrames);
  EXPECT_EQ((strTrack.size() - 4) / 32, pFrames->size());
}

// Enciphered tables cut in the middle: what lies before the cut loads, the record the cut
// falls into is reported as its table reports a record that lacks a line, and the load goes on.

TEST_F(FaultTest, GameMapDatCutInASectionKeepsTheMapsBeforeIt) {
  std::string strPlain = ReadBytes(ExampleDataFolder() / "src/GameMap.ini");
  size_t nSection = strPlain.find("[1002]");
  size_t nCut = strPlain.find("Diffuse=", nSection);
  ASSERT_NE(std::string::npos, nCut);
  std::string strDat = ReadBytes(m_folder / "ini/GameMap.dat");
  ASSERT_EQ(strPlain.size(), strDat.size());
  WriteBytes(m_folder / "ini/GameMap.dat", strDat.substr(0, nCut + 4));  // "Diff"
  I3DRoleBaseData* pData = Load();
  EXPECT_NE(nullptr, pData->GetGameMapInfo(1000));
  EXPECT_NE(nullptr, pData->GetGameMapInfo(1001));
  EXPECT_EQ(nullptr, pData->GetGameMapInfo(1002));
  EXPECT_EQ(1, m_nCreated);
  EXPECT_EQ(1, LogCount("error on read [ini/GameMap.dat]. title=[1002], key=[Diffuse] -- "));
  EXPECT_EQ(1, LogCount(""));
}

TEST_F(FaultTest, TerrainNpcDatCutInARecordKeepsTheRecordsBeforeIt) {
  std::string strPlain = ReadBytes(ExampleDataFolder() / "src/TerrainNpc.txt");
  size_t nRecord = strPlain.find("[TerrNpc1002]");
  size_t nCut = strPlain.find("Dir3=", nRecord);
  ASSERT_NE(std::string::npos, nCut);
  std::string strDat = ReadBytes(m_folder / "ini/TerrainNpc.dat");
  WriteBytes(m_folder / "ini/TerrainNpc.dat", strDat.substr(0, nCut + 2));
  I3DRoleBaseData* pData = Load();
  const TerrainNpcInfo* pFirst = pData->GetTerrainNpcInfo(1001);
  ASSERT_NE(nullptr, pFirst);
  EXPECT_EQ(1001, pFirst->Id);
  EXPECT_EQ(8u, pFirst->Dirs.size());
  EXPECT_EQ(pFirst, pData->GetTerrainNpcInfo(1002));  // the cut record is not there
  EXPECT_EQ(1, LogCount("error data: TerrNpc1002 of ini/TerrainNpc.dat"));
  EXPECT_EQ(1, LogCount(""));
}

// The debug log cannot be written, its day's file being a folder or its folder a file: nothing
// reaches the client and the answers stay the same.
TEST_F(FaultTest, UnwritableLogChangesNoAnswer) {
  fs::remove(m_folder / "ini/region.ini");
  Session logged = RunSession();
  ASSERT_NE(std::string::npos, logged.strLog.find("error on open ini/region.ini."));
  std::time_t now = std::time(nullptr);
  for (std::time_t when : {now, now + 24 * 3600}) {  // a test that runs past midnight
    fs::create_directories(m_folder / "debug" / LogFileName(when));
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
