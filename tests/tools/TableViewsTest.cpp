// What check counts and dump shows for each table: the keys its file lists, and those the
// module answers for, on small tables written for each case.
#include <map>
#include <vector>

#include "DatCipher.h"
#include "TableViews.h"
#include "ToolFolder.h"

namespace fs = std::filesystem;

namespace {

class TableViewsTest : public ToolFolderTest {
 protected:
  // Writes the files into a folder of their own, loads the module there and lets the view of
  // the table list its keys and ask the module about them.
  TableAnswer Count(const std::string& strTable, const std::map<std::string, std::string>& files) {
    RoleBaseDataDestroy();
    fs::path folder = m_folder / std::to_string(++m_nCase);
    fs::create_directories(folder);
    for (const auto& [strPath, strText] : files) Write(folder.filename() / strPath, strText);
    m_views = MakeTableViews();
    CTableView* pView = nullptr;
    for (auto& pCandidate : m_views) {
      if (strTable == pCandidate->Name()) pView = pCandidate.get();
    }
    TableAnswer answer;
    if (pView == nullptr) {
      ADD_FAILURE() << "no view " << strTable;
      return answer;
    }
    pView->ListKeys(folder.string());
    I3DRoleBaseData* pData = Load(folder);
    std::ostringstream dumpText;
    answer.dump = CJsonStream(dumpText);
    pView->Answer(*pData, answer);
    answer.dump.Finish();
    m_strDump = dumpText.str();
    m_dump = Json::parse(m_strDump, nullptr, false);
    m_named.clear();
    pView->NamedFiles(*pData, m_named);
    return answer;
  }

  int m_nCase = 0;
  TableViews m_views;
  std::string m_strDump;  // what the last Count's view wrote for the dump, and as JSON
  Json m_dump;
  std::vector<NamedFile> m_named;
};

const char NPC_RECORD[] =
    "Name=Smith SimpleObjID=2 StandByMotion=1 BlazeMotion=2 RestMotion=3 Effect=none ASB=0 "
    "ADB=0 FixDir=0\n";
const char GAME_MAP_KEYS[] =
    "File=a.dmap\nPuzzleGridSize=1\nOblique=0\nLight=1\nLightDirX=0\nLightDirY=0\nLightDirZ=0\n"
    "Diffuse=0\nAmbient=0\nswitch=0\ndaysound=d\nnightsound=n\nday=0\nnightfall=0\nnight=0\n"
    "dawn=0\n";

std::string TerrainRecord(const char* pszSection, int nDirs) {
  std::string strText = std::string("[") + pszSection + "]\nName=Ferryman\n";
  for (int i = 0; i < nDirs; ++i) strText += "Dir" + std::to_string(i) + "=d.ani\n";
  return strText;
}

TEST_F(TableViewsTest, CountsKeysTheFileListsAndThoseTheModuleAnswers) {
  struct Case {
    const char* pszTable;
    std::map<std::string, std::string> files;
    int nListed;
    int nAnswered;
  };
  const Case cases[] = {
      // the last line of a key stands, in the file and in the module
      {"LookScale", {{"ini/LookScale.ini", "1201=0.8\n1202=1.2\n1202=1.25\nx=1\n"}}, 2, 2},
      // 1.1000 and 2.0 are one key to the module: the earlier is not answered as written
      {"RolePartScale", {{"ini/RolePartScale.ini", "1.1000=2.0\n2.0=3.0\n12.5=1.25\n"}}, 3, 2},
      {"2DRoleLook", {{"ini/2DRoleLook.ini", "1001\n1002=paper doll\n-1\n;1003\n"}}, 3, 3},
      {"AppendentWeapon", {{"ini/AppendentWeapon.ini", "410=0\n420=421 ; banner\n"}}, 2, 2},
      {"WeaponAdjustByLook", {{"ini/WeaponAdjustByLook.ini", "1000001.0=5\n1.1=6\n"}}, 2, 1},
      {"RoleWeapon3DEffect",
       {{"ini/RoleWeapon3DEffect.ini", "1.2.3.4=fx_a 1.2.3.1000=fx_b 1.2.4.0=fx_c // note"}},
       3,
       2},
      // the load stops at the word that is no record
      {"ActionSound", {{"ini/ActionSound.ini", "1.2.3=a bad 4.5.6=b"}}, 2, 1},
      {"SoundEvent", {{"ini/SoundEvent.ini", "12=hit\n12=miss\n-1=x\n"}}, 2, 2},
      // of two sections [hit] the first counts; [none] answers null, as it has no file
      {"SoundRes",
       {{"ini/SoundRes.ini", "[hit]\nSound=a.wav\n[hit]\nSound=b.wav\n[none]\nSound = c.wav\n"}},
       2,
       2},
      // the reading stops at the line that is no offset
      {"FighterPosOffset", {{"ini/FighterPosOffset.ini", "1 2 3\nx\n2 4 5\n"}}, 2, 1},
      // the first line of a name stands
      {"CameraTrack", {{"ini/CameraTrack.ini", "intro t/a.trk 1\nintro t/b.trk 2\n"}}, 1, 1},
      // a bad record ends the reading; an absent type is answered with another type's record
      {"Npc",
       {{"ini/Npc.ini", std::string("[NpcType0005] ") + NPC_RECORD + "[NpcType0006] Name=x\n" +
                            "[NpcType0007] " + NPC_RECORD}},
       3,
       1},
      // ini/NpcX.ini is read only after ini/Npc.ini opened
      {"NpcX", {{"ini/Npc.ini", ""}, {"ini/NpcX.ini", "[3]\nName=a\n[4]\n[4]\nLook=2\n"}}, 2, 2},
      {"NpcX", {{"ini/NpcX.ini", "[3]\nName=a\n"}}, 1, 0},
      {"TerrainNpc",
       {{"ini/TerrainNpc.dat",
         ZorTools::EncipherText(TerrainRecord("TerrNpc0005", 8) + TerrainRecord("TerrNpc0006", 7) +
                                TerrainRecord("TerrNpc0007", 8))}},
       3,
       1},
      {"GameMap",
       {{"ini/GameMap.dat", ZorTools::EncipherText(std::string("[7]\n") + GAME_MAP_KEYS + "[8]\n" +
                                                   GAME_MAP_KEYS + "jump=1\n")}},
       2,
       1},
      {"RoleTrace", {{"ini/RoleTrace.ini", "10020003 1 2 3 4 0.5\n10030003 1 2 3 4\n"}}, 2, 1},
      {"RolePartReplace", {{"ini/RolePartReplace.ini", "0x10 1 2 3 4 5 6 7 8 9 10\n"}}, 1, 1},
      // the first record of an id stays
      {"SimpleObjInfo",
       {{"ini/SimpleObjInfo.ini",
         "[1] SimpleObj=1 Scale=1 MotionAmount=0 [1] SimpleObj=2 Scale=1 MotionAmount=0"}},
       1,
       1},
      // an entry without parts hides nothing, as the file says
      {"RolePartHide",
       {{"ini/RolePartHide.ini",
         "[1.2.3.4]\nSectionAmount=1\nSection0=Hair 5 9\n[999.2.3.4]\nSectionAmount=0\n"}},
       2,
       2},
      // two parts promised, one given: the module drops the entry
      {"RolePartHide",
       {{"ini/RolePartHide.ini", "[1.2.3.4]\nSectionAmount=2\nSection0=Hair 5 9\n"}},
       1,
       0},
      {"BattleMap", {{"ini/BattleMap.ini", "[0]\nCenterWorld=1 2\n[5]\n[x]\n"}}, 2, 2},
      {"Region",
       {{"ini/region.ini", "1 2 3 4 5 6 7 N T 10 11 12 13 14 15 16 17 X\n1 2 3\n"}},
       1,
       1},
      {"CaptureCamera", {{"ini/CaptureCamera.ini", "1 2 3\n"}}, 2, 2},
      {"CaptureCamera", {}, 0, 0},
      {"3DBattleDive", {{"ini/3DBattleDive.ini", "1 2 3\n"}}, 1, 1},
      {"3DBattleDive", {}, 0, 0},
  };
  for (const Case& c : cases) {
    TableAnswer answer = Count(c.pszTable, c.files);
    EXPECT_EQ(c.nListed, answer.nListed) << c.pszTable << " " << m_dump.dump();
    EXPECT_EQ(c.nAnswered, answer.nAnswered) << c.pszTable << " " << m_dump.dump();
  }
}

TEST_F(TableViewsTest, DumpShowsTheModulesAnswersInKeyOrder) {
  Count("LookScale", {{"ini/LookScale.ini", "9=2\n-3=0.5\n4=0.1\n"}});
  EXPECT_EQ(
      Json::parse(R"([{"look":-3,"scale":0.5},{"look":4,"scale":0.1},{"look":9,"scale":2.0}])"),
      m_dump);

  Count("SoundRes", {{"ini/SoundRes.ini", "[hit]\nSound=a.wav\n[hit]\nSound=b.wav\n"}});
  EXPECT_EQ(Json::parse(R"([{"title":"hit","resource":true,"files":["a.wav"]}])"), m_dump);

  // An id the module answers with another id's record shows null.
  Count("Npc",
        {{"ini/Npc.ini", std::string("[NpcType0005] ") + NPC_RECORD + "[NpcType0006] Nme=x\n"}});
  ASSERT_EQ(2u, m_dump.size());
  EXPECT_EQ(5, m_dump[0]["info"]["Id"]);
  EXPECT_EQ("Smith", m_dump[0]["info"]["Name"]);
  EXPECT_TRUE(m_dump[1]["info"].is_null());

  // A table with nothing to list still dumps as a list; the battle maps, written piece by
  // piece, as one object laid out as the whole value would be.
  Count("LookScale", {});
  EXPECT_EQ("[]", m_strDump);
  Count("BattleMap", {{"ini/BattleMap.ini", "[0]\nCenterWorld=1 2\n"}});
  EXPECT_EQ(0, m_dump["maps"][0]["map"]);
  EXPECT_EQ(Json::array(), m_dump["viewPositions"]);
  EXPECT_EQ(m_dump.dump(2), m_strDump);
}

TEST_F(TableViewsTest, TrackFilesAreCountedByTheFramesTheModuleRead) {
  std::string strTrack(4 + 32 * 2, '\0');
  strTrack[0] = 2;
  Count("CameraTrack", {{"ini/CameraTrack.ini", "intro t/intro.trk 1\nlost t/lost.trk 2\n"},
                        {"t/intro.trk", strTrack}});
  ASSERT_EQ(2u, m_named.size());
  EXPECT_EQ("t/intro.trk", m_named[0].strPath);
  EXPECT_EQ("track intro", m_named[0].strOwner);
  EXPECT_EQ(2, m_named[0].nEntries);
  EXPECT_TRUE(m_named[0].bRead);
  EXPECT_EQ("t/lost.trk", m_named[1].strPath);
  EXPECT_FALSE(m_named[1].bRead);
}

}  // namespace
