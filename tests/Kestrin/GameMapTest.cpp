// The game map catalogue of ini/GameMap.dat: the records handed out over an enumeration and a
// second load, and the walk's end. Keys, messages and the order of the enumeration are asked by
// the cases of tests/cases/game-map.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DatCipher.h"
#include "ModuleFixture.h"
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

// At the end the enumeration leaves its outputs as they were; each step hands out the record
// GetGameMapInfo hands out.
TEST_F(GameMapTest, EnumerationHandsOutTheRecordsAndLeavesOutputsAtTheEnd) {
  uint32_t nId = 77;
  const GameMapInfo* pInfo = nullptr;
  I3DRoleBaseData* pData = LoadMaps(Section("3") + Section("1"));
  EXPECT_EQ(0, pData->GetNextGameMapInfo(&nId, &pInfo));  // before any GetFirst
  EXPECT_EQ(77u, nId);
  EXPECT_EQ(nullptr, pInfo);
  EXPECT_EQ((std::vector<uint32_t>{1, 3}), Enumerate(pData));
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
