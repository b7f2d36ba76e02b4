// The game map catalogue of ini/GameMap.dat: keys and their conversions, the messages of
// incomplete sections, the walk's end, lookup and enumeration in id order.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "DatCipher.h"
#include "ModuleFixture.h"
#include "QuerySweep.h"
#include "WorldReaders.h"
#include "ZorIni.h"

namespace {

using ZorTools::EncipherText;

// The keys of a complete section, in the order they are read, with their values.
std::vector<std::pair<std::string, std::string>> CompleteKeys() {
  return {{"File", "map/city.dmap"},
          {"PuzzleGridSize", "64"},
          {"Oblique", "2"},
          {"Light", "5"},
          {"LightDirX", "0.5"},
          {"LightDirY", "-1"},
          {"LightDirZ", "2.5e1"},
          {"Diffuse", "FF336699"},
          {"Ambient", "0x10"},
          {"switch", "0"},
          {"daysound", "city_day"},
          {"nightsound", "city_night"},
          {"day", "ffffffff"},
          {"nightfall", "80"},
          {"night", "zz"},
          {"dawn", "  1A"},
          {"jump", "-3"}};
}

// A section [title] with the complete keys, one replaced ("" drops it), and extra lines.
std::string Section(const std::string& strTitle, const std::string& strKey = "",
                    const char* pszValue = nullptr, const std::string& strExtra = "") {
  std::string str = "[" + strTitle + "]\n";
  for (const auto& [strName, strValue] : CompleteKeys()) {
    if (strName != strKey) {
      str += strName + "=" + strValue + "\n";
    } else if (pszValue != nullptr) {
      str += strName + "=" + pszValue + "\n";
    }
  }
  return str + strExtra;
}

class GameMapTest : public ModuleTest {
 protected:
  I3DRoleBaseData* LoadMaps(const std::string& strPlain) {
    return LoadWith("ini/GameMap.dat", EncipherText(strPlain));
  }
  // The ids of the whole enumeration.
  static std::vector<uint32_t> Enumerate(I3DRoleBaseData* pData) {
    std::vector<uint32_t> ids;
    uint32_t nId = 0;
    const GameMapInfo* pInfo = nullptr;
    for (int32_t bMore = pData->GetFirstGameMapInfo(&nId, &pInfo); bMore;
         bMore = pData->GetNextGameMapInfo(&nId, &pInfo)) {
      EXPECT_EQ(pData->GetGameMapInfo(nId), pInfo);
      ids.push_back(nId);
    }
    return ids;
  }
};

// The limit list is optional.
TEST_F(GameMapTest, KeysAreConvertedIntoTheirFields) {
  I3DRoleBaseData* pData =
      LoadMaps("; maps\n" + Section("101", "", nullptr, "limit=3,,5\n") +
               Section("1", "", nullptr, "limit=-1,2\n") + Section("2") +
               Section("3", "", nullptr, "limit=\n") + Section("4", "", nullptr, "limit=7,\n"));
  // Light is 1 for any value but 0; night "zz" is not hexadecimal.
  EXPECT_EQ("\"map/city.dmap\" 64 1 2 0.5 -1 25 4281558681 16 0 \"city_day\" \"city_night\" "
            "4294967295 128 0 26 -3 limit 3 0 5",
            Describe(pData->GetGameMapInfo(101)));
  EXPECT_EQ("limit 2 / limit / limit / limit 7 0 / null /",
            Each({1u, 2u, 3u, 4u, 102u}, [&](uint32_t nId) {
              std::string str = Describe(pData->GetGameMapInfo(nId));
              return (str == "null" ? str : str.substr(str.find(" limit") + 1)) + " /";
            }));
  EXPECT_FALSE(LogHas("GameMap.dat"));
}

TEST_F(GameMapTest, ValueVariantsPerKey) {
  struct Case {
    const char* pszKey;
    const char* pszValue;
    void (*pfnCheck)(const GameMapInfo&);
  } cases[] = {
      {"File", "NULL", [](const GameMapInfo& i) { EXPECT_STREQ("", i.File); }},
      {"File", "null", [](const GameMapInfo& i) { EXPECT_STREQ("null", i.File); }},
      {"File", " ", [](const GameMapInfo& i) { EXPECT_STREQ("", i.File); }},
      {"Light", "0", [](const GameMapInfo& i) { EXPECT_EQ(0, i.Light); }},
      {"Light", "-7", [](const GameMapInfo& i) { EXPECT_EQ(1, i.Light); }},
      {"switch", "3", [](const GameMapInfo& i) { EXPECT_TRUE(i.Switch); }},
      {"Oblique", "0x10", [](const GameMapInfo& i) { EXPECT_EQ(0, i.Oblique); }},
      {"Diffuse", "0x", [](const GameMapInfo& i) { EXPECT_EQ(0u, i.Diffuse); }},
      {"Ambient", "-1", [](const GameMapInfo& i) { EXPECT_EQ(0xFFFFFFFFu, i.Ambient); }},
  };
  std::string strPlain;
  uint32_t nId = 1;
  for (const Case& c : cases) strPlain += Section(std::to_string(nId++), c.pszKey, c.pszValue);
  I3DRoleBaseData* pData = LoadMaps(strPlain);
  nId = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.pszKey) + "=" + c.pszValue);
    const GameMapInfo* pInfo = pData->GetGameMapInfo(nId++);
    ASSERT_NE(nullptr, pInfo);
    c.pfnCheck(*pInfo);
  }
}

TEST_F(GameMapTest, LastSectionOfAnIdWinsAndTitlesConvertAsDecimal) {
  I3DRoleBaseData* pData =
      LoadMaps(Section("101", "File", "first") + Section("abc", "File", "letters") +
               Section("101", "File", "second") + Section(" -1x", "File", "minus one"));
  EXPECT_STREQ("second", pData->GetGameMapInfo(101)->File);
  EXPECT_STREQ("letters", pData->GetGameMapInfo(0)->File);
  EXPECT_STREQ("minus one", pData->GetGameMapInfo(0xFFFFFFFFu)->File);
  EXPECT_EQ((std::vector<uint32_t>{0, 101, 0xFFFFFFFFu}), Enumerate(pData));
}

// Each required key, missing or empty, drops its section with that key's message; the
// sections after it load.
TEST_F(GameMapTest, IncompleteSectionIsSkippedWithItsKeysMessage) {
  std::string strPlain;
  uint32_t nTitle = 1;
  for (const auto& key : CompleteKeys()) {
    strPlain += Section(std::to_string(nTitle++), key.first);
    strPlain += Section(std::to_string(nTitle++), key.first, "");
  }
  I3DRoleBaseData* pData = LoadMaps(strPlain + Section("900"));
  nTitle = 1;
  for (const auto& key : CompleteKeys()) {
    const char* pszStop = key.first == "File" ? "." : "";
    for (int nEmpty = 0; nEmpty < 2; ++nEmpty, ++nTitle) {
      std::string strMessage = "error on read [ini/GameMap.dat]. title=[" + std::to_string(nTitle) +
                               "], key=[" + key.first + "]" + pszStop + " -- ";
      EXPECT_EQ(1, LogCount(strMessage)) << strMessage;
      EXPECT_EQ(nullptr, pData->GetGameMapInfo(nTitle)) << nTitle;
    }
    EXPECT_EQ(1, LogCount("ini/GameMap.dat key: " + key.first + " format wrong!")) << key.first;
  }
  EXPECT_EQ(34, LogCount("error on read"));
  EXPECT_NE(nullptr, pData->GetGameMapInfo(900));
}

// An empty .dat file cannot be opened: an empty catalogue.
TEST_F(GameMapTest, EnumerationRunsInIdOrder) {
  uint32_t nId = 77;
  const GameMapInfo* pInfo = nullptr;
  EXPECT_EQ(0, LoadMaps("")->GetFirstGameMapInfo(&nId, &pInfo));
  EXPECT_EQ(nullptr, pInfo);
  EXPECT_EQ(1, LogCount("error on open ini/GameMap.dat."));
  I3DRoleBaseData* pData = LoadMaps(Section("3") + Section("1") + Section("2"));
  EXPECT_EQ(0, pData->GetNextGameMapInfo(&nId, &pInfo));  // before any GetFirst
  EXPECT_EQ(77u, nId);
  EXPECT_EQ((std::vector<uint32_t>{1, 2, 3}), Enumerate(pData));
  EXPECT_EQ(0, pData->GetNextGameMapInfo(&nId, &pInfo));   // stays at the end
  ASSERT_EQ(1, pData->GetFirstGameMapInfo(&nId, &pInfo));  // starts again
  EXPECT_EQ(1u, nId);
  EXPECT_EQ(pData->GetGameMapInfo(1), pInfo);
}

TEST_F(GameMapTest, SecondLoadKeepsPointersToTheSameIds) {
  I3DRoleBaseData* pData = LoadMaps(Section("4", "File", "old"));
  const GameMapInfo* pInfo = pData->GetGameMapInfo(4);
  Write("ini/GameMap.dat", EncipherText(Section("4", "File", "new") + Section("6")));
  pData->Create();
  EXPECT_EQ(pInfo, pData->GetGameMapInfo(4));
  EXPECT_STREQ("new", pInfo->File);
  EXPECT_EQ((std::vector<uint32_t>{4, 6}), Enumerate(pData));
}

// The walk itself straight through the reader: true when it reached the end of the file; a
// structural problem ends it, keeping what it read.
using GameMapWalkTest = TempFolderTest;

TEST_F(GameMapWalkTest, WalkAnswersWhetherItReachedTheEnd) {
  const struct {
    const char* pszName;
    std::string strFile;  // as written
    bool bResult;
    std::vector<uint32_t> ids;
  } cases[] = {
      {"whole file", EncipherText(Section("1") + "; trailing comment\n\n"), true, {1}},
      {"incomplete section", EncipherText(Section("2", "jump") + Section("3")), true, {3}},
      {"title of 32 characters",
       EncipherText(Section("1") + "[" + std::string(32, '7') + "]\n" + Section("2")),
       false,
       {1}},
      {"empty title", EncipherText(Section("1") + "[]\n" + Section("2")), false, {1}},
      {"no header at all", EncipherText("; no maps yet\nFile=x\n"), false, {}},
      {"junk before the first header", EncipherText("junk\n" + Section("1")), true, {1}},
      {"not enciphered: garbage", Section("1") + Section("2"), false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pszName);
    Write("GameMap.dat", c.strFile);
    ZorGameBase::CZorIni ini;
    ASSERT_TRUE(ini.Open("GameMap.dat"));
    GameMapTable table;
    EXPECT_EQ(c.bResult, ReadGameMapSections(ini, table));
    std::vector<uint32_t> ids;
    for (const auto& entry : table) ids.push_back(entry.first);
    EXPECT_EQ(c.ids, ids);
  }
  EXPECT_TRUE(LogHas("GameMap.dat 77777777777777777777777777777777 title too long wrong!"));
}

}  // namespace
