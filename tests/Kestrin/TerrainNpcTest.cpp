// Terrain NPCs of ini/TerrainNpc.dat: records, the first-record fallback, bad records that end
// the reading, and a second load that appends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DatCipher.h"
#include "ModuleFixture.h"
#include "QuerySweep.h"
#include "WorldReaders.h"

namespace {

// A record: the section line, the name line and nDirs direction lines "Dir<n>=<name>_<n>".
std::string Npc(const std::string& strSection, const std::string& strNameLine, int nDirs = 8) {
  std::string str = "[" + strSection + "]\n" + strNameLine + "\n";
  for (int i = 0; i < nDirs; ++i) {
    str += "Dir" + std::to_string(i) + "=" + strSection + "_" + std::to_string(i) + "\n";
  }
  return str;
}

std::vector<CRecordString> Dirs(const std::string& strSection) {
  std::vector<CRecordString> dirs;
  for (int i = 0; i < 8; ++i) dirs.emplace_back((strSection + "_" + std::to_string(i)).c_str());
  return dirs;
}

class TerrainNpcTest : public ModuleTest {
 protected:
  I3DRoleBaseData* LoadNpcs(const std::string& strPlain) {
    return LoadWith("ini/TerrainNpc.dat", ZorTools::EncipherText(strPlain));
  }
};

// The directions keep file order, not their numbers.
TEST_F(TerrainNpcTest, RecordsAreReadWithTheirEightDirections) {
  std::string strTurner = "[Terrain0001]\nName=Turner\n";
  for (int i = 7; i >= 0; --i) {
    strTurner += "Dir" + std::to_string(i) + "=d" + std::to_string(i) + "\n";
  }
  I3DRoleBaseData* pData = LoadNpcs("; terrain npcs\r\n\r\n" + Npc("Terrain1001", "Name=Ferryman") +
                                    "// next\n" + Npc("Terrain1002", "Name=Smith") + strTurner);
  EXPECT_EQ(Dirs("Terrain1001"), pData->GetTerrainNpcInfo(1001)->Dirs);
  EXPECT_EQ("Ferryman Smith",
            Say(pData->GetTerrainNpcInfo(1001)->Name, pData->GetTerrainNpcInfo(1002)->Name));
  EXPECT_EQ("1 \"Turner\" \"d7\" \"d6\" \"d5\" \"d4\" \"d3\" \"d2\" \"d1\" \"d0\"",
            Describe(pData->GetTerrainNpcInfo(1)));
  EXPECT_FALSE(LogHas("TerrainNpc.dat"));
}

// An unknown id gets the first record; of two records of an id the earlier one answers (the
// section name's prefix is not examined).
TEST_F(TerrainNpcTest, UnknownIdGivesTheFirstRecordAndEarlierRecordOfAnIdWins) {
  I3DRoleBaseData* pData = LoadNpcs(Npc("Terrain0009", "Name=B") + Npc("Terrain0003", "Name=A") +
                                    Npc("Other__3", "Name=Second"));
  EXPECT_STREQ("B", pData->GetTerrainNpcInfo(42)->Name);
  EXPECT_STREQ("B", pData->GetTerrainNpcInfo(-1)->Name);
  EXPECT_STREQ("A", pData->GetTerrainNpcInfo(3)->Name);
}

// Only the first bad record is reported; the records before it stay, none after it is read.
TEST_F(TerrainNpcTest, BadRecordEndsTheReading) {
  struct Case {
    const char* pszName;
    std::string (*pfnBad)(const std::string& strSection);
    bool bFollowers;  // records after the bad one
  } cases[] = {
      {"comment taken as the name line",
       [](const std::string& s) { return "[" + s + "]\n; note\nName=B\n"; }, true},
      {"blank before Name=", [](const std::string& s) { return Npc(s, " Name=B"); }, true},
      {"other key as name", [](const std::string& s) { return Npc(s, "Nome=B"); }, true},
      {"direction without number",
       [](const std::string& s) { return "[" + s + "]\nName=B\nDir=x\n"; }, true},
      {"direction without text",
       [](const std::string& s) { return "[" + s + "]\nName=B\nDir0=\n"; }, true},
      {"direction with a blank before =",
       [](const std::string& s) { return "[" + s + "]\nName=B\nDir0 =x\n"; }, true},
      {"seven directions", [](const std::string& s) { return Npc(s, "Name=B", 7); }, true},
      {"seven directions at the end", [](const std::string& s) { return Npc(s, "Name=B", 7); },
       false},
      {"no name line at the end", [](const std::string& s) { return "[" + s + "]"; }, false},
  };
  int nCase = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pszName);
    // A section name of its own per case: the log drops a message it has just written.
    std::string strSection = "Terrain20" + std::to_string(++nCase);
    std::string strPlain = Npc("Terrain0001", "Name=A") + c.pfnBad(strSection);
    if (c.bFollowers) strPlain += Npc("Terrain0003", "Name=C") + Npc("Terrain0004", "Name=D");
    I3DRoleBaseData* pData = LoadNpcs(strPlain);
    EXPECT_STREQ("A", pData->GetTerrainNpcInfo(200 + nCase)->Name);  // not stored: the fallback
    EXPECT_STREQ("A", pData->GetTerrainNpcInfo(3)->Name);            // not read
    EXPECT_EQ(1, LogCount("error data: " + strSection + " of ini/TerrainNpc.dat -- "));
  }
}

TEST_F(TerrainNpcTest, LineEndingBeforeTheNameCountsAsANameLine) {
  for (const char* pszNameLine : {"", "Name=", "Name=   ", "Na"}) {
    SCOPED_TRACE(std::string("name line '") + pszNameLine + "'");
    I3DRoleBaseData* pData = LoadNpcs(Npc("Terrain0004", pszNameLine));
    const TerrainNpcInfo* pInfo = pData->GetTerrainNpcInfo(4);
    ASSERT_NE(nullptr, pInfo);
    EXPECT_EQ(4, pInfo->Id);
    EXPECT_STREQ("", pInfo->Name);
    EXPECT_EQ(8u, pInfo->Dirs.size());
  }
  EXPECT_FALSE(LogHas("error data"));
}

TEST_F(TerrainNpcTest, SectionTextsAndLongValues) {
  std::string strLongName(40, 'n'), strLongDir(300, 'd');
  std::string strPlain = Npc("Terrain0010] trailing", "Name=" + strLongName) +  // [..] x
                         Npc("Short", "Name=ShortId") +                         // id 0
                         "[Terrain0011]\nName=Long\n";
  for (int i = 0; i < 8; ++i) strPlain += "Dir" + std::to_string(i) + "=" + strLongDir + " x\n";
  // A line longer than the buffer ends the file, silently.
  strPlain += "; " + std::string(1100, 'c') + "\n" + Npc("Terrain0002", "Name=B");
  I3DRoleBaseData* pData = LoadNpcs(strPlain);
  const TerrainNpcInfo* pInfo = pData->GetTerrainNpcInfo(10);
  ASSERT_EQ(10, pInfo->Id);
  EXPECT_EQ(std::string(31, 'n'), pInfo->Name);
  EXPECT_STREQ("ShortId", pData->GetTerrainNpcInfo(0)->Name);
  ASSERT_EQ(8u, pData->GetTerrainNpcInfo(11)->Dirs.size());
  EXPECT_EQ(std::string(259, 'd'), pData->GetTerrainNpcInfo(11)->Dirs[0].c_str());
  EXPECT_EQ(pInfo, pData->GetTerrainNpcInfo(2));  // not read: the first record
  EXPECT_FALSE(LogHas("TerrainNpc.dat"));
}

// An empty file cannot be opened; one not enciphered deciphers to garbage: no record.
TEST_F(TerrainNpcTest, EmptyOrUnencipheredFileGivesNoRecord) {
  EXPECT_EQ(nullptr, LoadWith("ini/TerrainNpc.dat", "")->GetTerrainNpcInfo(1));
  EXPECT_EQ(1, LogCount("error on open ini/TerrainNpc.dat."));
  EXPECT_EQ(nullptr,
            LoadWith("ini/TerrainNpc.dat", Npc("Terrain0001", "Name=A"))->GetTerrainNpcInfo(1));
}

}  // namespace
