// Simple objects of ini/SimpleObjInfo.ini, loaded as the client loads them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ModuleFixture.h"
#include "QuerySweep.h"

namespace {

using SimpleObjTest = ModuleTest;

const char FILE_NAME[] = "ini/SimpleObjInfo.ini";

// Words before a section word "[number]" are skipped one by one; what follows the number is not
// looked at. A read that meets the end of the file counts as matched: the last record keeps what
// it read.
TEST_F(SimpleObjTest, RecordsKeepTheirMotionsInOrder) {
  Write(FILE_NAME,
        "note-before-the-first-record [ 3] [x] [ 3]SimpleObj=1\n"
        "[8]] SimpleObj=2 Scale=1 MotionAmount=0\n"
        "[12]\nSimpleObj=7\nScale=1.5\nMotionAmount=3\n"
        "Motion0=100001\nMotion1=-2\nMotion2=9000000000\n"
        "[13] SimpleObj=8 Scale=2 MotionAmount=0\n"
        "[-1]\n\tSimpleObj=9\n  Scale=0.5\nMotionAmount=1\nMotion0=5\n"
        "[14] SimpleObj=4 Scale=2 MotionAmount=3 Motion0=11 Motion1=");
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ("null / 2 1 motions / 7 1.5 motions 100001 -2 9000000000 / 8 2 motions / "
            "9 0.5 motions 5 / 4 2 motions 11 / null /",
            Each({3u, 8u, 12u, 13u, 4294967295u, 14u, 15u}, [&](uint32_t n) {
              return Describe(pData->GetSimpleObjInfo(n)) + " /";
            }));
  EXPECT_FALSE(LogHas(FILE_NAME));
}

// A bad record is logged with its identifier and ends the reading: the record before it
// stays, the record after it is never read.
TEST_F(SimpleObjTest, BadRecordStopsTheReading) {
  const struct {
    const char* pszName;
    const char* pszBody;  // what follows the section word of the bad record
  } cases[] = {
      {"motions out of order", "SimpleObj=1 Scale=1 MotionAmount=2 Motion1=4 Motion0=3"},
      {"motion line missing", "SimpleObj=1 Scale=1 MotionAmount=2 Motion0=3 [6]"},
      {"comment after the section word", ";note SimpleObj=1 Scale=1 MotionAmount=0"},
      {"lines out of order", "Scale=1 SimpleObj=1 MotionAmount=0"},
      {"misspelt key", "SimpleObj=1 scale=1 MotionAmount=0"},
      {"blank inside a key", "SimpleObj =1 Scale=1 MotionAmount=0"},
      {"value not a number", "SimpleObj=x Scale=1 MotionAmount=0"},
      {"amount not a number", "SimpleObj=1 Scale=1 MotionAmount=many"},
      {"motion number padded", "SimpleObj=1 Scale=1 MotionAmount=1 Motion00=3"},
  };
  uint32_t nId = 500;  // one identifier per case: the log drops a message it just wrote
  for (const auto& c : cases) {
    ++nId;
    I3DRoleBaseData* pData =
        LoadWith(FILE_NAME, "[4] SimpleObj=1 Scale=1 MotionAmount=0\n[" + std::to_string(nId) +
                                "] " + c.pszBody + "\n[7] SimpleObj=1 Scale=1 MotionAmount=0\n");
    std::string strMessage = "error data: " + std::to_string(nId) + " of ini/SimpleObjInfo.ini";
    EXPECT_EQ(1, LogCount(strMessage)) << c.pszName;
    EXPECT_NE(nullptr, pData->GetSimpleObjInfo(4)) << c.pszName;
    EXPECT_EQ(nullptr, pData->GetSimpleObjInfo(nId)) << c.pszName;
    EXPECT_EQ(nullptr, pData->GetSimpleObjInfo(7)) << c.pszName;
  }
}

}  // namespace
