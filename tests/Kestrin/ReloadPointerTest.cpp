// A second Create over loaded tables: what each table keeps, adds, replaces or empties, and the
// pointers the client keeps: for every table that a second load adds to or changes in place, the
// record handed out before is the one answered after, at the same address, however much the load
// appended.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
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

struct ReloadCase {
  const char* pszName;
  const char* pszFile;
  std::string strFirst;
  std::string strSecond;  // read by the second Create: many more records, or new values
  std::function<const void*(I3DRoleBaseData*)> fnGet;
};

template <typename T>
std::string Field(const T* pRecord, int32_t T::*pnField) {
  return pRecord == nullptr ? "(null)" : std::to_string(pRecord->*pnField);
}

class ReloadPointerTest : public ModuleTest {};

// Each row loads the first text (none: no file), then the second (none: the file removed) with
// a second Create on the same service, and asks.
TEST_F(ReloadPointerTest, EachTableKeepsAddsOrReplacesOnASecondCreate) {
  using Text = std::optional<std::string>;
  const std::string strEffects = "1.1.1.1=fx_kept 2.2.2.2=fx_old\n";
  const std::string strNewEffects = "2.2.2.2=fx_new 3.3.3.3=fx_added\n";
  const std::string strHide = "\nSectionAmount=1\nSection0=P 0 9\n";
  const std::string strRegion = " 0 0 0 0 0 0 Name x 0 0 0 0 0 0 0 0 x\n";
  const struct {
    const char* pszFile;
    Text first, second;
    std::function<std::string(I3DRoleBaseData*)> fnAsk;
    const char* pszExpected;
  } cases[] = {
      {"ini/ActionSound.ini", "1.1.1=snd_kept 2.2.2=snd_old", "2.2.2=snd_new",
       [](I3DRoleBaseData* p) {
         return Say(p->GetActionSound(1, 1, 1), p->GetActionSound(2, 2, 2));
       },
       "snd_kept snd_new"},
      {"ini/RoleWeapon3DEffect.ini", strEffects, strNewEffects,
       [](I3DRoleBaseData* p) {
         return Say(p->GetRoleWeapon3DEffect(1, 1, 1, 1), p->GetRoleWeapon3DEffect(2, 2, 2, 2),
                    p->GetRoleWeapon3DEffect(3, 3, 3, 3));
       },
       "fx_kept fx_new fx_added"},
      {"ini/Action3DEffect.ini", strEffects, strNewEffects,
       [](I3DRoleBaseData* p) {
         return Say(p->GetAction3DEffect(1, 1, 1, 1), p->GetAction3DEffect(2, 2, 2, 2),
                    p->GetAction3DEffect(3, 3, 3, 3));
       },
       "fx_kept fx_new fx_added"},
      {"ini/SoundRes.ini", "[hit]\nSound=old.wav\n",
       "[hit]\nSound=new.wav\n[miss]\nSound=miss.wav\n",
       [](I3DRoleBaseData* p) { return Say(p->GetSoundFile("hit"), p->GetSoundFile("miss")); },
       "old.wav miss.wav"},
      // A new [2] starts from the defaults; view positions are appended after the earlier ones.
      {"ini/BattleMap.ini",
       "[1]\nMaxScale=401\nViewPos=1 1 1 1 1 1\nViewStartPos=1 2 3 4\nEye=1 1 1\n"
       "[2]\nMaxScale=402\n",
       "[2]\nMinScale=7\nViewPos=1 1 2 2 2 2\nViewPos=3 3 3 3 3 3\nTo=5 5 5\n",
       [](I3DRoleBaseData* p) {
         return Say(p->GetBattleMapInfo(1)->MaxScale, p->GetBattleMapInfo(2)->MaxScale,
                    p->GetBattleMapInfo(2)->MinScale, p->GetBattleViewPos(1, 1)->nValue[0],
                    p->GetBattleViewPos(3, 3)->nValue[0], p->GetBattleViewStartPos()->nValue[3],
                    p->GetBattleCamera()->fEye[0], p->GetBattleCamera()->fTarget[0]);
       },
       "401 327 7 1 3 4 1 5"},
      // New cameras start at zero; a file gone keeps them.
      {"ini/CaptureCamera.ini", "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18\n",
       "; none valid\n1 2\n",
       [](I3DRoleBaseData* p) {
         return Say(p->GetCaptureCamera1()->fEye[0], p->GetCaptureCamera1()->fEye[1],
                    p->GetCaptureCamera1()->fTarget[0]);
       },
       "1 2 0"},
      {"ini/CaptureCamera.ini", "1 2\n", std::nullopt,
       [](I3DRoleBaseData* p) { return Say(p->GetCaptureCamera1()->fEye[1]); }, "2"},
      {"ini/CameraTrack.ini", "intro a.trk 1\n", "intro b.trk 2\noutro c.trk 3\n",
       [](I3DRoleBaseData* p) {
         return Say(p->GetCameraTrackInfo("intro")->strPath,
                    p->GetCameraTrackInfo("outro")->strPath);
       },
       "a.trk c.trk"},
      {"ini/TerrainNpc.dat", ZorTools::EncipherText(TerrainNpc(5, "Old")),
       ZorTools::EncipherText(TerrainNpc(6, "Added") + TerrainNpc(5, "New")),
       [](I3DRoleBaseData* p) {
         return Say(p->GetTerrainNpcInfo(5)->Name, p->GetTerrainNpcInfo(6)->Name,
                    p->GetTerrainNpcInfo(99)->Name);
       },
       "Old Added Old"},
      {"ini/SimpleObjInfo.ini",
       "[3] SimpleObj=1 Scale=1 MotionAmount=0\n[3] SimpleObj=2 Scale=1 MotionAmount=0\n",
       "[3] SimpleObj=5 Scale=1 MotionAmount=0\n[4] SimpleObj=6 Scale=1 MotionAmount=0\n",
       [](I3DRoleBaseData* p) {
         return Say(p->GetSimpleObjInfo(3)->SimpleObj, p->GetSimpleObjInfo(4)->SimpleObj);
       },
       "1 6"},
      {"ini/SimpleObjInfo.ini", "[3] SimpleObj=1 Scale=1 MotionAmount=0\n", std::nullopt,
       [](I3DRoleBaseData* p) { return Say(p->GetSimpleObjInfo(3)->SimpleObj); }, "1"},
      {"ini/RolePartScale.ini", "1.1=2\n1.2=3\n", "1.2=4\n1.3=5\n",
       [](I3DRoleBaseData* p) {
         return Say(p->GetRolePartScale(1, 1), p->GetRolePartScale(1, 2),
                    p->GetRolePartScale(1, 3));
       },
       "2 4 5"},
      {"ini/2DRoleLook.ini", "5\n", std::nullopt,
       [](I3DRoleBaseData* p) { return Say(p->Is2DRoleLook(5)); }, "1"},
      // These tables are rebuilt by each load.
      {"ini/region.ini", "1" + strRegion + "11" + strRegion, "21 22" + strRegion.substr(2),
       [](I3DRoleBaseData* p) {
         return Say(p->GetRegionList()->size(), p->GetRegionName(1), p->GetRegionInfo(22)->Id);
       },
       "1 (null) 21"},
      {"ini/region.ini", "1" + strRegion, std::nullopt,
       [](I3DRoleBaseData* p) { return Say(p->GetRegionList()->size(), p->GetRegionName(1)); },
       "0 (null)"},
      {"ini/RolePartHide.ini", "[1.1.1.1]" + strHide, "[2.2.2.2]" + strHide,
       [](I3DRoleBaseData* p) {
         return Say(p->IsRolePartHidden(1, 1, 1, 1, 5, "P"),
                    p->IsRolePartHidden(2, 2, 2, 2, 5, "P"));
       },
       "0 1"},
      {"ini/RolePartHide.ini", "[1.1.1.1]" + strHide, std::nullopt,
       [](I3DRoleBaseData* p) { return Say(p->IsRolePartHidden(1, 1, 1, 1, 5, "P")); }, "0"},
      {"ini/RoleTrace.ini", "10020003 1 0 0 0 0\n", "10020004 2 0 0 0 0\n",
       [](I3DRoleBaseData* p) {
         return Say(Field(p->GetRoleTraceInfo(10020003), &RoleTraceInfo::Field2),
                    Field(p->GetRoleTraceInfo(10020004), &RoleTraceInfo::Field2));
       },
       "(null) 2"},
      {"ini/RoleTrace.ini", "19990004 1 0 0 0 0\n", std::nullopt,
       [](I3DRoleBaseData* p) {
         return Field(p->GetRoleTraceInfo(10020004), &RoleTraceInfo::Field2);
       },
       "(null)"},
      {"ini/AppendentWeapon.ini", "410=411\n", std::nullopt,
       [](I3DRoleBaseData* p) { return Say(p->GetAppendentWeapon(410)); }, "0"},
      {"ini/WeaponAdjustByLook.ini", "410.3=420\n", "410.4=421\n",
       [](I3DRoleBaseData* p) {
         return Say(p->GetWeaponAdjustByLook(410, 3), p->GetWeaponAdjustByLook(410, 4));
       },
       "410 421"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pszFile);
    RoleBaseDataDestroy();
    std::filesystem::remove_all(m_folder / "ini");
    if (c.first) Write(c.pszFile, *c.first);
    I3DRoleBaseData* pData = Load();
    std::filesystem::remove(m_folder / c.pszFile);
    if (c.second) Write(c.pszFile, *c.second);
    pData->Create();
    EXPECT_EQ(c.pszExpected, c.fnAsk(pData));
  }
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
