// The region list of ini/region.ini through the service: records, first-match queries, short and
// shifted records, text in numeric columns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModuleFixture.h"
#include "QuerySweep.h"

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

// A record of number words only: base + 1 to base + nFields.
std::string Numbers(int nBase, int nFields = 18) {
  std::string str;
  for (int nColumn = 1; nColumn <= nFields; ++nColumn) str += std::to_string(nBase + nColumn) + " ";
  return str + "\n";
}

// The Id of every record in list order.
std::vector<uint32_t> Ids(I3DRoleBaseData* pData) {
  std::vector<uint32_t> ids;
  for (const RegionInfo& info : *pData->GetRegionList()) ids.push_back(info.Id);
  return ids;
}

using RegionTest = ModuleTest;

// Line ends are blanks, an overlong text is cut to its field with the rest of its word skipped,
// and a number ends at the first other character, so "7S" is two fields (a fuzz finding).
TEST_F(RegionTest, ColumnsLandInTheirFields) {
  const std::string strLong = "1 2 3 4 5 6 7 " + std::string(40, 'n') + " " + std::string(50, 'm') +
                              " 10 11 12 13 14 15 16 17 " + std::string(300, 'z') + "\n";
  Write("ini/region.ini", Record(100, "North") +
                              "1 2 3 4 5 6 7 a b 10 11 12 13 -14 -15 -16 -17 c\n"
                              "1 2 3 4\r\n5 6 7 Split\n\n b 10 11 12 13 14 15 16 17 c " +
                              strLong + "1 2 3 4 5 6 7S b 1 1 2 1 0 1 1 2\xA1");
  I3DRoleBaseData* pData = Load();
  const RegionList* pList = pData->GetRegionList();
  ASSERT_EQ(5u, pList->size());
  EXPECT_EQ("101 102 103 104 105 106 107 North T9 110 111 112 113 114 115 116 117 T18",
            Describe(&(*pList)[0]));
  EXPECT_EQ("1 2 3 4 5 6 7 a b 10 11 12 13 -14 -15 -16 -17 c", Describe(&(*pList)[1]));
  EXPECT_EQ("1 2 3 4 5 6 7 Split b 10 11 12 13 14 15 16 17 c", Describe(&(*pList)[2]));
  EXPECT_EQ("1 2 3 4 5 6 7 " + std::string(31, 'n') + " " + std::string(39, 'm') +
                " 10 11 12 13 14 15 16 17 " + std::string(255, 'z'),
            Describe(&(*pList)[3]));
  EXPECT_EQ("1 2 3 4 5 6 7 S b 1 1 2 1 0 1 1 2 \xA1", Describe(&(*pList)[4]));
  EXPECT_EQ(&(*pList)[0], pData->GetRegionInfo(102));
  EXPECT_EQ((*pList)[0].Name, pData->GetRegionName(101));
  EXPECT_FALSE(LogHas("region.ini"));
}

TEST_F(RegionTest, FirstRecordInFileOrderAnswers) {
  Write("ini/region.ini",
        "5 7 0 0 0 0 0 First x 0 0 0 0 0 0 0 0 x\n5 7 0 0 0 0 0 Second x 0 0 0 0 0 0 0 0 x\n"
        "6 7 0 0 0 0 0 Third x 0 0 0 0 0 0 0 0 x\n");
  I3DRoleBaseData* pData = Load();
  // Names by Id, records by SecondId.
  EXPECT_EQ("3 First Third First (null) null",
            Say(pData->GetRegionList()->size(), pData->GetRegionName(5), pData->GetRegionName(6),
                pData->GetRegionInfo(7)->Name, pData->GetRegionName(7),
                Describe(pData->GetRegionInfo(5))));
}

// Each stop is reported once with the records stored so far and the fields converted, and its
// word skipped; records stored are whole ones. "%u" takes a sign and wraps.
TEST_F(RegionTest, ShortRecordsAndTextInNumericColumnsAreReportedAndSkipped) {
  std::string strCut = Record(200);
  strCut.erase(strCut.rfind(' '));  // 17 fields at the end of the file
  std::string strWords;
  for (int i = 0; i < 50; ++i) strWords += "word" + std::to_string(i) + (i % 7 == 0 ? "\n" : " ");
  const struct {
    const char* pszName;
    std::string strFile;
    std::vector<uint32_t> ids;
    std::vector<const char*> messages;  // "line %d, data %d" of each report
  } cases[] = {
      {"empty file", "", {}, {}},
      // The records behind a missing field are read shifted by one and stored as read.
      {"a missing field", Numbers(0, 17) + Numbers(20) + Numbers(40), {1, 22}, {"line 2, data 17"}},
      {"blanks only", " \n\t\r\n  ", {}, {}},
      {"record cut off by the end",
       Record(0) + Record(100) + strCut,
       {1, 101},
       {"line 2, data 17"}},
      {"text before a record",
       "oops " + Record(100) + "1 2 x " + Record(200),
       {101, 201},
       {"line 0, data 0", "line 1, data 2"}},
      // 1 2 |x; 4 5 6 7 |n; |t; 10..16 17 t 101..107 |Name; |T9 (a repeat: filtered); 110..117 T18.
      {"records never line up again",
       "1 2 x 4 5 6 7 n t 10 11 12 13 14 15 16 17 t\n" + Record(100),
       {},
       {"line 0, data 2", "line 0, data 4", "line 0, data 0", "line 0, data 16", "line 0, data 9"}},
      {"text throughout", strWords, {}, {"line 0, data 0"}},
      {"signs and a number running into text",
       "-1 +2 3 4 5 6 7 n t 10 11 12 13 14 15 16 17 t\n1 12abc\n",
       {4294967295u},
       {"line 1, data 2"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pszName);
    ClearLog();
    I3DRoleBaseData* pData = LoadWith("ini/region.ini", c.strFile);
    EXPECT_EQ(c.ids, Ids(pData));
    for (const char* pszMessage : c.messages) {
      EXPECT_EQ(
          1, LogCount(std::string("invalid line found in ini/region.ini, ") + pszMessage + ". -- "))
          << pszMessage;
    }
    EXPECT_EQ(static_cast<int>(c.messages.size()), LogCount("region.ini")) << LogText();
  }
}

}  // namespace
