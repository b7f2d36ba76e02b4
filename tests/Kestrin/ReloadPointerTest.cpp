// The pointers the client keeps: records handed out are the tables' own, and for every table that
// a second Create adds to or changes in place, the record handed out before is the one answered
// after, at the same address, however much the load appended. What each table keeps, adds or
// replaces is asked by the reload cases of tests/cases.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "DatCipher.h"
#include "ModuleFixture.h"

namespace {

// nCount lines made from the pattern, "#" standing for the line's number.
std::string Lines(const std::string& strPattern, int nCount) {
  std::string strText;
  for (int i = 0; i < nCount; ++i) {
    std::string strLine = strPattern;
    for (size_t at; (at = strLine.find('#')) != std::string::npos;) {
      strLine.replace(at, 1, std::to_string(i));
    }
    strText += strLine;
  }
  return strText;
}

std::string TerrainNpc(int nId, const std::string& strName = "n") {
  std::string str =
      "[Terrain" + std::to_string(10000 + nId).substr(1) + "]\nName=" + strName + "\n";
  for (int i = 0; i < 8; ++i) str += "Dir" + std::to_string(i) + "=d\n";
  return str;
}

// A complete section of ini/GameMap.dat; "#" for the number of Lines.
std::string GameMap(int nId) {
  return "[" + (nId == 0 ? std::string("#") : std::to_string(nId)) +
         "]\nFile=m\nPuzzleGridSize=1\nOblique=0\nLight=0\nLightDirX=0\nLightDirY=0\nLightDirZ=0\n"
         "Diffuse=0\nAmbient=0\nswitch=0\ndaysound=d\nnightsound=n\nday=0\nnightfall=0\n"
         "night=0\ndawn=0\njump=0\n";
}

struct ReloadCase {
  const char* pszName;
  const char* pszFile;
  std::string strFirst;
  std::string strSecond;  // read by the second Create: many more records, or new values
  std::function<const void*(I3DRoleBaseData*)> fnGet;
};

using ReloadPointerTest = ModuleTest;

// GetBattlePos hands out the map's record itself, read as its CenterWorld; the region queries
// the listed records themselves.
TEST_F(ReloadPointerTest, RecordsHandedOutAreTheTablesOwn) {
  Write("ini/BattleMap.ini", "[1]\nCenterWorld=10 20\n");
  I3DRoleBaseData* pData = LoadWith("ini/region.ini", "1 2 3 4 5 6 7 N x 0 0 0 0 0 0 0 0 x\n");
  const void* pMap = pData->GetBattleMapInfo(1);
  ASSERT_NE(nullptr, pMap);
  EXPECT_EQ(pMap, static_cast<const void*>(pData->GetBattlePos(1, 0)));
  const RegionList* pList = pData->GetRegionList();
  ASSERT_EQ(1u, pList->size());
  EXPECT_EQ(&(*pList)[0], pData->GetRegionInfo(2));
  EXPECT_EQ((*pList)[0].Name, pData->GetRegionName(1));
}

TEST_F(ReloadPointerTest, RecordsHandedOutSurviveASecondCreate) {
  const std::string strCamera = "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18\n";
  std::string strTerrainNpcs;
  for (int i = 1; i < 300; ++i) strTerrainNpcs += TerrainNpc(i);
  const std::vector<ReloadCase> cases = {
      {"view position", "ini/BattleMap.ini", "[1]\nViewPos=1 2 3 4 5 6\n",
       "[1]\n" + Lines("ViewPos=# 9 9 9 9 9\n", 3000),
       [](I3DRoleBaseData* p) { return p->GetBattleViewPos(1, 2); }},
      {"battle map", "ini/BattleMap.ini", "[1]\nMaxScale=400\n", Lines("[#]\nMinScale=#\n", 3000),
       [](I3DRoleBaseData* p) { return p->GetBattleMapInfo(1); }},
      {"terrain NPC", "ini/TerrainNpc.dat", ZorTools::EncipherText(TerrainNpc(5)),
       ZorTools::EncipherText(strTerrainNpcs),
       [](I3DRoleBaseData* p) { return p->GetTerrainNpcInfo(5); }},
      {"capture camera 1", "ini/CaptureCamera.ini", strCamera, "0 " + strCamera,
       [](I3DRoleBaseData* p) { return p->GetCaptureCamera1(); }},
      {"capture camera 2", "ini/CaptureCamera.ini", strCamera, "0 " + strCamera,
       [](I3DRoleBaseData* p) { return p->GetCaptureCamera2(); }},
      {"fighter offset", "ini/FighterPosOffset.ini", "10 1 2\n", Lines("# 3 4\n", 3000),
       [](I3DRoleBaseData* p) { return p->GetFighterPosOffset(10); }},
      {"camera track", "ini/CameraTrack.ini", "intro a.trk 1\n", Lines("t# b.trk 2\n", 3000),
       [](I3DRoleBaseData* p) { return p->GetCameraTrackInfo("intro"); }},
      {"region list", "ini/region.ini", "1 2 3 4 5 6 7 n t 10 11 12 13 14 15 16 17 t\n",
       Lines("# 2 3 4 5 6 7 n t 10 11 12 13 14 15 16 17 t\n", 3000),
       [](I3DRoleBaseData* p) { return p->GetRegionList(); }},
      {"NPC", "ini/Npc.ini", "[NpcType0007]\nName=a\n",
       Lines("[NpcType#]\nName=b\nSimpleObjID=1\n", 3000),
       [](I3DRoleBaseData* p) { return p->GetNpcInfo(7); }},
      {"NPC star look", "ini/NpcX.ini", "[7]\nName=a\n", Lines("[#]\nName=b\n", 3000),
       [](I3DRoleBaseData* p) { return p->GetNpcStarLookInfo(7); }},
      {"game map", "ini/GameMap.dat", ZorTools::EncipherText(GameMap(4)),
       ZorTools::EncipherText(Lines(GameMap(0), 3000)),
       [](I3DRoleBaseData* p) { return p->GetGameMapInfo(4); }},
      {"simple object", "ini/SimpleObjInfo.ini", "[1]\nSimpleObj=5\nScale=1\nMotionAmount=0\n",
       Lines("[#]\nSimpleObj=6\nScale=1\nMotionAmount=0\n", 3000),
       [](I3DRoleBaseData* p) { return p->GetSimpleObjInfo(1); }},
      {"weapon effect", "ini/RoleWeapon3DEffect.ini", "1.2.3.4=fx\n", Lines("#.2.3.5=fx#\n", 3000),
       [](I3DRoleBaseData* p) { return p->GetRoleWeapon3DEffect(1, 2, 3, 4); }},
      {"action effect", "ini/Action3DEffect.ini", "1.2.3.4=fx\n", Lines("#.2.3.5=fx#\n", 3000),
       [](I3DRoleBaseData* p) { return p->GetAction3DEffect(1, 2, 3, 4); }},
      {"action sound", "ini/ActionSound.ini", "1.2.3=a.wav\n", Lines("#.2.4=b#.wav\n", 3000),
       [](I3DRoleBaseData* p) { return p->GetActionSound(1, 2, 3); }},
      {"sound event", "ini/SoundEvent.ini", "1=click\n", Lines("#0=s#\n", 3000),
       [](I3DRoleBaseData* p) { return p->GetSoundEventName(1); }},
      {"sound file", "ini/SoundRes.ini", "[click]\nSound=c.wav\n",
       Lines("[s#]\nSound=s#.wav\n", 3000),
       [](I3DRoleBaseData* p) { return p->GetSoundFile("click"); }},
  };
  for (const ReloadCase& c : cases) {
    I3DRoleBaseData* pData = LoadWith(c.pszFile, c.strFirst);
    const void* pFirst = c.fnGet(pData);
    ASSERT_NE(nullptr, pFirst) << c.pszName;
    Write(c.pszFile, c.strSecond);
    pData->Create();
    EXPECT_EQ(pFirst, c.fnGet(pData)) << c.pszName;
  }
}

}  // namespace
