// Role traces: loading ini/RoleTrace.ini and the exact-then-999 lookup.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ModuleFixture.h"
#include "QuerySweep.h"

namespace {

class RoleTraceTest : public ModuleTest {
 protected:
  // The Field2 of the answer to the key, or -1 for null.
  int32_t TraceOf(I3DRoleBaseData* pData, int64_t nKey) {
    const RoleTraceInfo* pInfo = pData->GetRoleTraceInfo(nKey);
    return pInfo == nullptr ? -1 : pInfo->Field2;
  }
};

TEST_F(RoleTraceTest, RecordKeepsEveryColumn) {
  Write("ini/RoleTrace.ini", "; key and five values\n\n  10020003 -7 4294967295 0x10 010 2.5e-1\n");
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ("10020003 -7 4294967295 16 10 0.25", Describe(pData->GetRoleTraceInfo(10020003)));
  EXPECT_FALSE(LogHas("RoleTrace.ini")) << LogText();
}

TEST_F(RoleTraceTest, ExactKeyThenKeyWith999InMiddleField) {
  Write("ini/RoleTrace.ini",
        "10020003 1 0 0 0 0\n"
        "19990003 2 0 0 0 0\n"
        "10050004 3 0 0 0 0\n"  // exact for itself only
        "10020003 4 0 0 0 0\n"  // same key again: the later one answers
        "29990005 5 0 0 0 0\n"  // fallback listed before its exact record
        "20070005 6 0 0 0 0\n"
        "-10003 7 0 0 0 0\n"       // fallback of -10050003
        "-1784977293 8 0 0 0 0\n"  // fallback of 2500020003, formed in 32 bits
        "2509990003 9 0 0 0 0\n");
  I3DRoleBaseData* pData = Load();
  const struct {
    int64_t nKey;
    int32_t nExpected;
  } cases[] = {
      {10020003, 4},    // last of two exact records
      {10050003, 2},    // 999 fallback
      {19990003, 2},    // middle field already 999: its exact record
      {10050004, 3},    // exact
      {10060004, -1},   // neither: 19990004 is not listed
      {20070005, 6},    // exact wins over a fallback listed earlier
      {20080005, 5},    // fallback
      {-10050003, 7},   // negative key: quotient and rest keep their sign
      {2500020003, 8},  // past 2^31: the 32-bit sum wraps
      {2509990003, 9},  // exact, past 32 bits
      {0, -1},
  };
  for (const auto& c : cases) EXPECT_EQ(c.nExpected, TraceOf(pData, c.nKey)) << c.nKey;
}

TEST_F(RoleTraceTest, ShortLineEndsTheTableThereAndIsLogged) {
  Write("ini/RoleTrace.ini",
        "10020003 1 2 3 4 0.5\n"
        "10030003 1 2 3 4\n"
        "10040003 1 2 3 4 0.5\n");
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ(1, TraceOf(pData, 10020003));
  EXPECT_EQ(-1, TraceOf(pData, 10030003));
  EXPECT_EQ(-1, TraceOf(pData, 10040003));
  EXPECT_EQ(1, LogCount("ini/RoleTrace.ini file format wrong!")) << LogText();
}

}  // namespace
