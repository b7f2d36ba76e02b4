// The region list of ini/region.ini through the service: records, first-match queries, short and
// shifted records, text in numeric columns.
#include <gtest/gtest.h>

#include <string>

#include "ModuleFixture.h"

namespace {

// A record whose numeric columns hold base + column and whose texts name their column.
std::string Record(int nBase, const char* pszName = "Name") {
  std::string str;
  for (int nColumn = 1; nColumn <= 18; ++nColumn) {
    if (nColumn == 8) {
      str += pszName;
    } else if (nColumn == 9 || nColumn == 18) {
      str += "T" + std::to_string(nColumn);
    } else {
      str += std::to_string(nBase + nColumn);
    }
    str += nColumn == 18 ? "\n" : " ";
  }
  return str;
}

class RegionTest : public ModuleTest {};

TEST_F(RegionTest, ColumnsLandInTheirFields) {
  Write("ini/region.ini",
        Record(100, "North") + "1 2 3 4 5 6 7 a b 10 11 12 13 -14 -15 -16 -17 c\n");
  I3DRoleBaseData* pData = Load();
  const RegionList* pList = pData->GetRegionList();
  ASSERT_EQ(2u, pList->size());
  const RegionInfo& info = (*pList)[0];
  EXPECT_EQ(101u, info.Id);
  EXPECT_EQ(102u, info.SecondId);
  EXPECT_EQ(103u, info.Value3);
  EXPECT_EQ(104u, info.Value4);
  EXPECT_EQ(105u, info.Value5);
  EXPECT_EQ(106u, info.Value6);
  EXPECT_EQ(107u, info.Value7);
  EXPECT_STREQ("North", info.Name);
  EXPECT_STREQ("T9", info.Text9);
  EXPECT_EQ(110u, info.Value10);
  EXPECT_EQ(113u, info.Value13);
  EXPECT_EQ(114, info.Signed14);
  EXPECT_EQ(115, info.Signed15);
  EXPECT_EQ(116, info.Signed16);
  EXPECT_EQ(117, info.Signed17);
  EXPECT_STREQ("T18", info.Text18);
  EXPECT_EQ(-15, (*pList)[1].Signed15);
  EXPECT_EQ(-16, (*pList)[1].Signed16);
  EXPECT_EQ(&info, pData->GetRegionInfo(102));
  EXPECT_EQ(info.Name, pData->GetRegionName(101));
  EXPECT_FALSE(LogHas("region.ini"));
}

TEST_F(RegionTest, FirstRecordInFileOrderAnswers) {
  Write("ini/region.ini",
        "5 7 0 0 0 0 0 First x 0 0 0 0 0 0 0 0 x\n"
        "5 7 0 0 0 0 0 Second x 0 0 0 0 0 0 0 0 x\n"
        "6 7 0 0 0 0 0 Third x 0 0 0 0 0 0 0 0 x\n");
  I3DRoleBaseData* pData = Load();
  ASSERT_EQ(3u, pData->GetRegionList()->size());
  EXPECT_STREQ("First", pData->GetRegionName(5));
  EXPECT_STREQ("Third", pData->GetRegionName(6));
  EXPECT_STREQ("First", pData->GetRegionInfo(7)->Name);
  EXPECT_EQ(nullptr, pData->GetRegionName(7));
  EXPECT_EQ(nullptr, pData->GetRegionInfo(5));
}

TEST_F(RegionTest, LineBreaksAreBlanks) {
  Write("ini/region.ini",
        "1 2 3 4\r\n5 6 7 Split\n\n b 10 11 12 13 14 15 16 17 c 21 22 23 24 25 26 27 Two b 30 31 "
        "32 33 "
        "34 35 36 37 c");
  I3DRoleBaseData* pData = Load();
  ASSERT_EQ(2u, pData->GetRegionList()->size());
  EXPECT_STREQ("Split", pData->GetRegionName(1));
  EXPECT_STREQ("Two", pData->GetRegionName(21));
  EXPECT_STREQ("c", (*pData->GetRegionList())[1].Text18);
  EXPECT_FALSE(LogHas("region.ini"));
}

TEST_F(RegionTest, RecordCutOffByTheEndIsLoggedAndDropped) {
  std::string strLast = Record(200);
  strLast.erase(strLast.rfind(' '));  // 17 fields
  Write("ini/region.ini", Record(0) + Record(100) + strLast);
  I3DRoleBaseData* pData = Load();
  EXPECT_EQ(2u, pData->GetRegionList()->size());
  EXPECT_EQ(nullptr, pData->GetRegionName(201));
  EXPECT_EQ(1, LogCount("invalid line found in ini/region.ini, line 2, data 17."));
  EXPECT_EQ(1, LogCount("invalid line found"));
}

// A record of number words only: base + 1 to base + 18.
std::string Numbers(int nBase, int nFields = 18) {
  std::string str;
  for (int nColumn = 1; nColumn <= nFields; ++nColumn) str += std::to_string(nBase + nColumn) + " ";
  return str + "\n";
}

// The records behind a missing field are read shifted by one and stored as read.
TEST_F(RegionTest, MissingFieldShiftsEveryLaterRecord) {
  Write("ini/region.ini", Numbers(0, 17) + Numbers(20) + Numbers(40));
  I3DRoleBaseData* pData = Load();
  const RegionList* pList = pData->GetRegionList();
  ASSERT_EQ(2u, pList->size());
  EXPECT_STREQ("8", pData->GetRegionName(1));
  EXPECT_STREQ("21", (*pList)[0].Text18);
  EXPECT_EQ(nullptr, pData->GetRegionName(21));
  EXPECT_STREQ("29", pData->GetRegionName(22));
  EXPECT_EQ(23u, (*pList)[1].SecondId);
  EXPECT_STREQ("41", (*pList)[1].Text18);
  EXPECT_EQ(1, LogCount("invalid line found in ini/region.ini, line 2, data 17."));
  EXPECT_EQ(1, LogCount("invalid line found"));
}

TEST_F(RegionTest, TextInANumericColumnIsSkippedAndReadingResumes) {
  Write("ini/region.ini", "oops " + Record(100) + "1 2 x " + Record(200));
  I3DRoleBaseData* pData = Load();
  ASSERT_EQ(2u, pData->GetRegionList()->size());
  EXPECT_STREQ("Name", pData->GetRegionName(101));
  EXPECT_STREQ("Name", pData->GetRegionName(201));
  EXPECT_EQ(1, LogCount("invalid line found in ini/region.ini, line 0, data 0."));
  EXPECT_EQ(1, LogCount("invalid line found in ini/region.ini, line 1, data 2."));
  EXPECT_EQ(2, LogCount("invalid line found"));
}

// Each stop is reported once and its word skipped; here the records never line up again.
TEST_F(RegionTest, ShiftedTextKeepsStoppingUntilTheEnd) {
  Write("ini/region.ini", "1 2 x 4 5 6 7 n t 10 11 12 13 14 15 16 17 t\n" + Record(100));
  I3DRoleBaseData* pData = Load();
  // 1 2 |x; 4 5 6 7 |n; |t; 10..16 17 t 101..107 |Name; |T9 (a repeat: filtered); 110..117 T18.
  for (int nFields : {2, 4, 0, 16, 9}) {
    EXPECT_EQ(1, LogCount("invalid line found in ini/region.ini, line 0, data " +
                          std::to_string(nFields) + "."))
        << nFields;
  }
  EXPECT_TRUE(pData->GetRegionList()->empty());
}

TEST_F(RegionTest, TextThroughoutEndsAtTheEndOfTheFile) {
  std::string strText;
  for (int i = 0; i < 50; ++i) strText += "word" + std::to_string(i) + (i % 7 == 0 ? "\n" : " ");
  Write("ini/region.ini", strText);
  I3DRoleBaseData* pData = Load();
  EXPECT_TRUE(pData->GetRegionList()->empty());
  EXPECT_TRUE(LogHas("invalid line found in ini/region.ini, line 0, data 0."));
}

TEST_F(RegionTest, OverlongTextsAreCutToTheirFields) {
  std::string strName(40, 'n'), strText9(50, 'm'), strText18(300, 'z');
  Write("ini/region.ini", "1 2 3 4 5 6 7 " + strName + " " + strText9 +
                              " 10 11 12 13 14 15 16 17 " + strText18 + "\n" + Record(100));
  I3DRoleBaseData* pData = Load();
  const RegionList* pList = pData->GetRegionList();
  ASSERT_EQ(2u, pList->size());
  EXPECT_EQ(std::string(31, 'n'), (*pList)[0].Name);
  EXPECT_EQ(std::string(39, 'm'), (*pList)[0].Text9);
  EXPECT_EQ(std::string(255, 'z'), (*pList)[0].Text18);
  EXPECT_EQ(101u, (*pList)[1].Id);
}

TEST_F(RegionTest, EmptyOrBlankFileGivesAnEmptyListSilently) {
  for (const char* pszText : {"", " \n\t\r\n  "}) {
    Write("ini/region.ini", pszText);
    I3DRoleBaseData* pData = Load();
    EXPECT_TRUE(pData->GetRegionList()->empty()) << '"' << pszText << '"';
    EXPECT_EQ(nullptr, pData->GetRegionInfo(0));
    RoleBaseDataDestroy();
  }
  EXPECT_FALSE(LogHas("region.ini"));
}

TEST_F(RegionTest, SecondLoadWithoutTheFileEmptiesTheList) {
  Write("ini/region.ini", Record(0));
  I3DRoleBaseData* pData = Load();
  const RegionList* pList = pData->GetRegionList();
  ASSERT_EQ(1u, pList->size());
  std::filesystem::remove(m_folder / "ini/region.ini");
  pData->Create();
  EXPECT_EQ(pList, pData->GetRegionList());
  EXPECT_TRUE(pList->empty());
  EXPECT_EQ(nullptr, pData->GetRegionName(1));
  EXPECT_EQ(nullptr, pData->GetRegionInfo(2));
  EXPECT_EQ(1, LogCount("error on open ini/region.ini."));
}

TEST_F(RegionTest, SecondLoadReplacesTheList) {
  Write("ini/region.ini", Record(0) + Record(10));
  I3DRoleBaseData* pData = Load();
  Write("ini/region.ini", Record(20, "Other"));
  pData->Create();
  ASSERT_EQ(1u, pData->GetRegionList()->size());
  EXPECT_EQ(nullptr, pData->GetRegionName(1));
  EXPECT_STREQ("Other", pData->GetRegionName(21));
  EXPECT_STREQ("Other", pData->GetRegionInfo(22)->Name);
}

TEST_F(RegionTest, NumbersReadAsTheRuntimeReadsThem) {
  // "%u" takes a sign and wraps; "12abc" gives 12 and stops at abc.
  Write("ini/region.ini", "-1 +2 3 4 5 6 7 n t 10 11 12 13 14 15 16 17 t\n1 12abc\n");
  I3DRoleBaseData* pData = Load();
  ASSERT_EQ(1u, pData->GetRegionList()->size());
  EXPECT_STREQ("n", pData->GetRegionName(4294967295u));
  EXPECT_STREQ("n", pData->GetRegionInfo(2)->Name);
  EXPECT_EQ(1, LogCount("line 1, data 2."));
  EXPECT_EQ(1, LogCount("invalid line found"));
}

// A fuzz finding: a number ends at the first other character, so "7S" is two fields.
TEST_F(RegionTest, FieldsNeedNoBlankAfterANumber) {
  Write("ini/region.ini", "1 2 3 4 5 6 7S b 1 1 2 1 0 1 1 2\xA1");
  I3DRoleBaseData* pData = Load();
  ASSERT_EQ(1u, pData->GetRegionList()->size());
  EXPECT_EQ(7u, (*pData->GetRegionList())[0].Value7);
  EXPECT_STREQ("S", pData->GetRegionName(1));
  EXPECT_STREQ("\xA1", (*pData->GetRegionList())[0].Text18);
}

}  // namespace
