// The load observer: what the loaders tell it, at which line and column, and that attaching it
// leaves the debug log as it is.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "LoadObserver.h"
#include "ModuleFixture.h"

namespace {

using ZorGameBase::LoadFinding;

class CRecordingObserver : public ZorGameBase::ILoadObserver {
 public:
  void Finding(const LoadFinding& finding) override { findings.push_back(finding); }
  void LogRecord(const std::string& strRecord) override { records.push_back(strRecord); }
  std::vector<LoadFinding> findings;
  std::vector<std::string> records;
};

class LoadObserverTest : public ModuleTest {
 protected:
  void TearDown() override {
    ZorGameBase::SetLoadObserver(nullptr);
    ModuleTest::TearDown();
  }
  // The log without its time stamps.
  std::string LogMessages() const {
    return std::regex_replace(LogText(), std::regex(" -- [^\n]*\n"), "\n");
  }
};

TEST_F(LoadObserverTest, FindingsNameLineColumnRuleAndLogRecordAndTheLogStaysTheSame) {
  Write("ini/region.ini", "1 2 3 4 5 6 7 North x 10 11 12 13 14 15 16 17 t\n\n  5 6 7\n");
  Write("ini/LookScale.ini", "; scales\n1201=0.8\n1203 0.8\n1204=O.8\n");
  Write("ini/BattleMap.ini", "[0]\nMaxScale=300\nCameraTime=15OO\n[1001\nViewPos=1 2\n");
  Write("ini/SoundEvent.ini", "1=a\n2=b\n1=c\n");
  RoleBaseDataDestroy();
  Load();
  std::string strPlainLog = LogMessages();
  ClearLog();
  RoleBaseDataDestroy();

  CRecordingObserver observer;
  ZorGameBase::SetLoadObserver(&observer);
  I3DRoleBaseData* pData = Load();
  EXPECT_FLOAT_EQ(0.8f, pData->GetLookScale(1201));
  EXPECT_EQ(strPlainLog, LogMessages());

  struct Expected {
    const char* pszFile;
    int nLine;
    int nColumn;
    const char* pszRule;
    const char* pszLog;
  };
  const Expected expected[] = {
      {"ini/region.ini", 3, 3, "line-rejected", "invalid line found in ini/region.ini, line 1, data 3."},
      {"ini/SoundEvent.ini", 3, 1, "duplicate-key", ""},
      {"ini/BattleMap.ini", 3, 14, "number-cut", ""},
      {"ini/BattleMap.ini", 4, 1, "section-unclosed", ""},
      {"ini/BattleMap.ini", 5, 9, "fields-missing", ""},
      {"ini/LookScale.ini", 3, 1, "line-ignored", ""},
      {"ini/LookScale.ini", 4, 1, "number-missing", ""},
  };
  for (const Expected& e : expected) {
    bool bFound = false;
    for (const LoadFinding& f : observer.findings) {
      if (f.strFile == e.pszFile && f.nLine == e.nLine && ZorGameBase::LoadRuleId(f.rule) == std::string(e.pszRule)) {
        bFound = true;
        EXPECT_EQ(e.nColumn, f.nColumn) << e.pszFile << ":" << e.nLine;
        EXPECT_EQ(e.pszLog, f.strLogRecord) << e.pszFile << ":" << e.nLine;
        EXPECT_FALSE(f.strHint.empty());
      }
    }
    EXPECT_TRUE(bFound) << e.pszFile << ":" << e.nLine << " " << e.pszRule;
  }
  // Every record of the log reached the observer too.
  for (const std::string& strRecord : observer.records) {
    EXPECT_NE(std::string::npos, strPlainLog.find(strRecord)) << strRecord;
  }
  EXPECT_FALSE(observer.records.empty());
}

}  // namespace
