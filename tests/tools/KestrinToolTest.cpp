// The kestrin tool as designers run it: a process over copies of the example data sets, its
// report rows, exit statuses and JSON, the .dat round trip, and answers compared with what the
// module itself answers through I3DRoleBaseData.
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <vector>

#if !defined(_WIN32)
#include <sys/wait.h>

#include "FifoGuard.h"
#endif

#include "ToolFolder.h"

namespace fs = std::filesystem;
using Json = nlohmann::json;

namespace {

struct ToolRun {
  int nStatus = -1;
  std::string strOut;
  std::string strErr;
};

// Each test works on its own copies of examples/data and examples/broken, so that neither the
// module's debug log nor a written file lands in the source tree.
class KestrinToolTest : public ToolFolderTest {
 protected:
  void SetUp() override {
    ToolFolderTest::SetUp();
    for (const char* pszSet : {"data", "broken"}) {
      fs::copy(fs::path(KESTRIN_EXAMPLES) / pszSet, m_folder / pszSet, fs::copy_options::recursive);
      fs::remove_all(m_folder / pszSet / "debug");
    }
  }

  std::string Data() const { return (m_folder / "data").string(); }
  std::string Broken() const { return (m_folder / "broken").string(); }
  std::string Temp(const char* pszName) const { return (m_folder / pszName).string(); }

  // Runs the tool with the arguments, each quoted, and collects its exit status and output.
  ToolRun Tool(const std::vector<std::string>& args) const {
    std::string strCommand = std::string("\"") + KESTRIN_TOOL + "\"";
    for (const std::string& strArg : args) strCommand += " \"" + strArg + "\"";
    fs::path out = m_folder / "stdout.txt", err = m_folder / "stderr.txt";
    strCommand += " >\"" + out.string() + "\" 2>\"" + err.string() + "\"";
#if defined(_WIN32)
    // cmd /c drops the first and the last quote of a line with more than two: one more pair.
    strCommand = "\"" + strCommand + "\"";
#endif
    ToolRun run;
    int nResult = std::system(strCommand.c_str());
#if defined(_WIN32)
    run.nStatus = nResult;
#else
    run.nStatus = WIFEXITED(nResult) ? WEXITSTATUS(nResult) : -1;
#endif
    run.strOut = ReadAll(out);
    run.strErr = ReadAll(err);
    return run;
  }

  Json ToolJson(const std::vector<std::string>& args, int nExpectedStatus = 0) const {
    ToolRun run = Tool(args);
    EXPECT_EQ(nExpectedStatus, run.nStatus) << run.strErr;
    Json json = Json::parse(run.strOut, nullptr, false);
    EXPECT_FALSE(json.is_discarded()) << run.strOut;
    return json;
  }

  static const Json& Row(const Json& report, const std::string& strFile) {
    static const Json s_none;
    for (const Json& row : report["tables"]) {
      if (row["file"] == strFile) return row;
    }
    ADD_FAILURE() << strFile << " has no row";
    return s_none;
  }

  static bool HasMessage(const Json& report, const std::string& strMessage, int nCount = 1) {
    for (const Json& diagnostic : report["diagnostics"]) {
      if (diagnostic["message"] == strMessage) return diagnostic["count"] == nCount;
    }
    return false;
  }
};

TEST_F(KestrinToolTest, ExampleDataLoadsEveryPresentTableWithoutDiagnostics) {
  ToolRun run = Tool({"check", "--json", Data()});
  Json report = Json::parse(run.strOut);
  EXPECT_EQ(1, report["create"]);
  EXPECT_EQ(0u, report["diagnostics"].size()) << report["diagnostics"].dump();
  bool bAllPresent = true;
  for (const Json& row : report["tables"]) {
    bool bPresent = row["present"];
    bAllPresent = bAllPresent && bPresent;
    if (!bPresent) continue;
    EXPECT_EQ(0, row["diagnostics"]) << row["file"];
    EXPECT_TRUE(row["result"] == "opened" || row["result"] == "read") << row["file"];
    EXPECT_GT(row["entries"].get<int>(), 0) << row["file"];
    if (row["listed"].is_number()) {
      EXPECT_EQ(row["listed"], row["entries"]) << row["file"];
    }
  }
  // Exit 0 exactly when no table is missing: the example set is complete once every table
  // family has added its file.
  EXPECT_EQ(bAllPresent ? 0 : 1, run.nStatus) << run.strOut;
  EXPECT_EQ(run.nStatus, report["status"]);
}

TEST_F(KestrinToolTest, TextReportHasOneRowPerTableFileAndTheVerdict) {
  ToolRun run = Tool({"check", Data()});
  for (const char* pszFile :
       {"ini/GameMap.dat", "ini/region.ini", "ini/BattleMap.ini", "ini/RolePartReplace.ini",
        "ini/3DBattleDive.ini", "track/intro.trk"}) {
    EXPECT_NE(std::string::npos, run.strOut.find(pszFile)) << pszFile;
  }
  EXPECT_NE(std::string::npos, run.strOut.find("Create answered 1."));
  EXPECT_NE(std::string::npos, run.strOut.find(" MB/s)."));
  EXPECT_NE(std::string::npos, run.strOut.find(run.nStatus == 0 ? "OK:" : "NOT OK:"));
}

TEST_F(KestrinToolTest, BrokenSetShowsEachProblemOnItsRow) {
  Json report = ToolJson({"check", "--json", Broken()}, 1);
  struct Case {
    const char* pszFile;
    bool bPresent;
    int nEntries;
    int nListed;  // -1: not counted
    const char* pszResult;
    int nDiagnostics;
  };
  const Case cases[] = {
      {"ini/GameMap.dat", true, 1, 2, "opened", 2},
      {"ini/region.ini", true, 3, 3, "opened", 1},
      {"ini/TerrainNpc.dat", true, 1, 3, "opened", 1},
      {"ini/BattleMap.ini", true, 2, 2, "opened", 3},
      {"ini/FighterPosOffset.ini", true, 2, 3, "opened", 0},
      {"ini/Npc.ini", true, 1, 3, "opened", 1},
      {"ini/NpcX.ini", true, 1, 1, "opened", 1},
      {"ini/RolePartScale.ini", true, 2, 3, "opened", 0},
      {"ini/2DRoleLook.ini", false, 0, 0, "missing", 1},
      {"ini/RolePartHide.ini", true, 1, 2, "opened", 0},
      {"ini/RoleWeapon3DEffect.ini", true, 1, 1, "opened", 5},
      {"ini/ActionSound.ini", true, 2, 3, "opened", 2},
      {"ini/MountScale.ini", false, 0, 0, "missing", 0},
      {"ini/SimpleObjInfo.ini", true, 1, 3, "opened", 1},
      {"ini/RoleTrace.ini", true, 1, 3, "opened", 1},
      {"ini/RolePartReplace.ini", true, 2, 2, "opened", 0},
      {"track/intro.trk", true, 4, -1, "read", 0},
      {"track/short.trk", true, 1, -1, "read", 1},
      {"track/lost.trk", false, 0, -1, "missing", 0},
  };
  for (const Case& c : cases) {
    const Json& row = Row(report, c.pszFile);
    EXPECT_EQ(c.bPresent, row["present"]) << c.pszFile;
    EXPECT_EQ(c.nEntries, row["entries"]) << c.pszFile;
    EXPECT_EQ(c.nListed < 0 ? Json() : Json(c.nListed), row["listed"]) << c.pszFile;
    EXPECT_EQ(c.pszResult, row["result"]) << c.pszFile;
    EXPECT_EQ(c.nDiagnostics, row["diagnostics"]) << c.pszFile;
  }
  for (const char* pszMessage :
       {"error on read [ini/GameMap.dat]. title=[1003], key=[jump]",
        "ini/GameMap.dat 1004_the_northern_lighthouse_map title too long wrong!",
        "invalid line found in ini/region.ini, line 3, data 17.",
        "error data: TerrNpc1002 of ini/TerrainNpc.dat",
        "error on ini/BattleMap.ini -- ViewStartPos.", "error data: NpcType0002 of ini/Npc.ini",
        "ini/NpcX.ini key: Look format wrong!", "error on open ini/2DRoleLook.ini.",
        "error data: 2 of ini/SimpleObjInfo.ini", "ini/RoleTrace.ini file format wrong!",
        "invalid line [=] found in ini/RoleWeapon3DEffect.ini.",
        "invalid line [trail] found in ini/RoleWeapon3DEffect.ini.",
        "error line:[oops] in ini/ActionSound.ini!",
        // GBK text appears with its bytes escaped
        "\\xa1\\xefASSERT(strlen(szSound) < 128) in 2896 line of Kestrin/3DRoleBaseData "
        "[C3DRoleBaseData::CreateSoundInfo]\\xa1\\xef",
        "\\xbe\\xb5\\xcd\\xb7\\xce\\xc4\\xbc\\xfe\\xb8\\xf1\\xca\\xbd\\xb4\\xed\\xce\\xf3:track/"
        "short.trk"}) {
    EXPECT_TRUE(HasMessage(report, pszMessage)) << pszMessage << "\n"
                                                << report["diagnostics"].dump(1);
  }
}

TEST_F(KestrinToolTest, DataFolderLogHoldsOnlyWhatTheModuleWrote) {
  // The tool's own ini reader meets the over-long title of ini/GameMap.dat too, and reports it
  // to its own current folder's log, not the data folder's.
  ToolJson({"check", "--json", Broken()}, 1);
  std::string strLog;
  for (const auto& entry : fs::directory_iterator(m_folder / "broken/debug")) {
    strLog += ReadAll(entry.path());
  }
  const std::string strTitle = "1004_the_northern_lighthouse_map title too long wrong!";
  size_t nFirst = strLog.find(strTitle);
  EXPECT_NE(std::string::npos, nFirst);
  EXPECT_EQ(std::string::npos, strLog.find(strTitle, nFirst + 1));
}

// A RolePartReplace.ini that is no file is missing and Create answers 0; without Npc.ini,
// NpcX.ini is not read; an empty .dat file is not opened.
TEST_F(KestrinToolTest, ChangedDataSetShowsOnItsRows) {
  fs::remove(m_folder / "data/ini/RolePartReplace.ini");
  fs::create_directories(m_folder / "data/ini/RolePartReplace.ini");
  fs::remove(m_folder / "data/ini/Npc.ini");
  std::ofstream(m_folder / "data/ini/GameMap.dat", std::ios::trunc).close();
  Json report = ToolJson({"check", "--json", Data()}, 1);
  EXPECT_EQ(0, report["create"]);
  EXPECT_EQ("missing", Row(report, "ini/RolePartReplace.ini")["result"]);
  EXPECT_EQ("missing", Row(report, "ini/Npc.ini")["result"]);
  EXPECT_EQ("not read", Row(report, "ini/NpcX.ini")["result"]);
  EXPECT_EQ(0, Row(report, "ini/NpcX.ini")["entries"]);
  EXPECT_EQ("not opened", Row(report, "ini/GameMap.dat")["result"]);
  EXPECT_TRUE(HasMessage(report, "error on open ini/Npc.ini."));
  EXPECT_TRUE(HasMessage(report, "error on open ini/GameMap.dat."));
#if !defined(_WIN32)
  // A FIFO is no file: the check and the cipher pass it over at once instead of waiting.
  fs::remove(m_folder / "data/ini/region.ini");
  CFifoGuard fifo(m_folder / "data/ini/region.ini");
  ASSERT_TRUE(fifo.Made());
  report = ToolJson({"check", "--json", Data()}, 1);
  EXPECT_EQ("missing", Row(report, "ini/region.ini")["result"]);
  EXPECT_TRUE(HasMessage(report, "error on open ini/region.ini."));
  for (const char* pszWay : {"encode", "decode"}) {
    ToolRun run = Tool({"dat", pszWay, Data() + "/ini/region.ini", Temp("out")});
    EXPECT_EQ(1, run.nStatus) << pszWay;
    EXPECT_NE(std::string::npos, run.strErr.find("cannot read")) << pszWay;
  }
  EXPECT_FALSE(fifo.ReaderWaited()) << "the tool waited for a writer";
#endif
}

TEST_F(KestrinToolTest, UsageErrorsExitWithTwoAndSayWhy) {
  struct Case {
    std::vector<std::string> args;
    const char* pszSays;
  };
  const std::string strMissing = Temp("no-such-folder");
  const Case cases[] = {
      {{}, "subcommand is required"},
      {{"bogus"}, "no command \"bogus\""},
      {{"check", "--bogus"}, "--bogus"},
      {{"check", strMissing}, "does not exist"},
      {{"check", Data() + "/ini/LookScale.ini"}, "is not a folder"},
      {{"query"}, "name the data folder"},
      {{"query", Data()}, "name an operation"},
      {{"query", Data(), "GetNothing"}, "no operation \"GetNothing\""},
      {{"query", Data(), "GetLookScale"}, "takes 1 argument(s), 0 given"},
      {{"query", Data(), "GetLookScale", "1", "2"}, "takes 1 argument(s), 2 given"},
      {{"query", Data(), "GetLookScale", "x"}, "look must be a number of type uint32"},
      {{"query", Data(), "GetLookScale", "4294967296"}, "uint32"},
      {{"query", Data(), "GetNpcInfo", "2147483648"}, "int32"},
      {{"query", Data(), "PlaySound", "a", "0", "0", "maybe"}, "true, false, 1 or 0"},
      {{"query", Data(), "GetStoredValue1", "+"}, "must follow"},
      {{"query", strMissing, "GetStoredValue1"}, "does not exist"},
      {{"dump", Data()}, "name the data folder and a table"},
      {{"dump", Data(), "NoTable"}, "no table \"NoTable\""},
      {{"dat"}, "subcommand is required"},
      {{"dat", "decode", "in.dat"}, "OUT is required"},
  };
  for (const Case& c : cases) {
    std::string strArgs;
    for (const std::string& strArg : c.args) strArgs += strArg + " ";
    ToolRun run = Tool(c.args);
    EXPECT_EQ(2, run.nStatus) << strArgs;
    EXPECT_NE(std::string::npos, run.strErr.find(c.pszSays)) << strArgs << ": " << run.strErr;
    EXPECT_EQ("", run.strOut) << strArgs;
  }
}

TEST_F(KestrinToolTest, HelpOnTheToolAndEachCommand) {
  for (const char* pszCommand : {"", "check", "query", "dump", "dat", "dat decode", "dat encode"}) {
    std::vector<std::string> args;
    std::istringstream words(pszCommand);
    for (std::string strWord; words >> strWord;) args.push_back(strWord);
    args.push_back("--help");
    ToolRun run = Tool(args);
    EXPECT_EQ(0, run.nStatus) << pszCommand;
    EXPECT_NE(std::string::npos, run.strOut.find("Usage:")) << pszCommand;
  }
}

TEST_F(KestrinToolTest, DatDecodeAndEncodeRoundTripByteForByte) {
  struct Case {
    const char* pszDat;
    const char* pszSource;
  };
  const Case cases[] = {{"data/ini/GameMap.dat", "data/src/GameMap.ini"},
                        {"data/ini/TerrainNpc.dat", "data/src/TerrainNpc.txt"},
                        {"broken/ini/GameMap.dat", "broken/src/GameMap.ini"},
                        {"broken/ini/TerrainNpc.dat", "broken/src/TerrainNpc.txt"}};
  for (const Case& c : cases) {
    std::string strDat = (m_folder / c.pszDat).string();
    ToolRun decode = Tool({"dat", "decode", strDat, Temp("plain.txt")});
    EXPECT_EQ(0, decode.nStatus) << decode.strErr;
    EXPECT_EQ(ReadAll(m_folder / c.pszSource), ReadAll(Temp("plain.txt"))) << c.pszDat;
    ToolRun encode = Tool({"dat", "encode", Temp("plain.txt"), Temp("again.dat")});
    EXPECT_EQ(0, encode.nStatus) << encode.strErr;
    EXPECT_EQ(ReadAll(strDat), ReadAll(Temp("again.dat"))) << c.pszDat;
  }
}

TEST_F(KestrinToolTest, DatRefusesWhatTheModuleCouldNotOpen) {
  std::ofstream(Temp("empty.txt")).close();
  ToolRun encode = Tool({"dat", "encode", Temp("empty.txt"), Temp("empty.dat")});
  EXPECT_EQ(1, encode.nStatus);
  EXPECT_NE(std::string::npos, encode.strErr.find("is empty"));
  ToolRun decode = Tool({"dat", "decode", Temp("missing.dat"), Temp("plain.txt")});
  EXPECT_EQ(1, decode.nStatus);
  EXPECT_NE(std::string::npos, decode.strErr.find("cannot read"));
}

TEST_F(KestrinToolTest, QueryAnswersAsTheInterfaceAnswers) {
  Json lookScale = ToolJson({"query", Data(), "GetLookScale", "1202"});
  Json npc = ToolJson({"query", Data(), "GetNpcInfo", "77"});
  Json map = ToolJson({"query", Data(), "GetBattleMapInfo", "1001"});
  Json region = ToolJson({"query", Data(), "GetRegionName", "3"});
  Json trace = ToolJson({"query", Data(), "GetRoleTraceInfo", "10050003"});
  Json terrain = ToolJson({"query", Data(), "GetTerrainNpcInfo", "1002"});
  Json weapon = ToolJson({"query", Data(), "56", "410", "3"});  // by slot
  Json frames = ToolJson({"query", Data(), "GetCameraTrackFrames", "intro"});
  Json none = ToolJson({"query", Data(), "GetSimpleObjInfo", "424242"});
  Json effect = ToolJson({"query", Data(), "GetRoleWeapon3DEffect", "1201", "410", "100", "5"});
  Json event = ToolJson({"query", Data(), "GetSoundEventName", "12"});

  I3DRoleBaseData* pData = Load(Data());
  ASSERT_NE(nullptr, pData);
  EXPECT_EQ(pData->GetLookScale(1202), lookScale.get<float>());
  const NpcInfo* pNpc = pData->GetNpcInfo(77);  // an absent type: the smallest type's record
  ASSERT_NE(nullptr, pNpc);
  EXPECT_EQ(pNpc->Id, npc["Id"]);
  EXPECT_EQ(std::string(pNpc->Name), npc["Name"]);
  EXPECT_EQ(pNpc->StandByMotion, npc["StandByMotion"]);
  const BattleMapInfo* pMap = pData->GetBattleMapInfo(1001);
  ASSERT_NE(nullptr, pMap);
  EXPECT_EQ(pMap->MaxScale, map["MaxScale"]);
  EXPECT_EQ(pMap->CenterWorld.x, map["CenterWorld"]["x"]);
  EXPECT_EQ(pMap->vecFighterGroup.size(), map["FighterGroups"].size());
  EXPECT_EQ(std::string(pData->GetRegionName(3)), region);
  const RoleTraceInfo* pTrace = pData->GetRoleTraceInfo(10050003);  // through the 999 wildcard
  ASSERT_NE(nullptr, pTrace);
  EXPECT_EQ(pTrace->Key, trace["Key"]);
  EXPECT_EQ(pTrace->Field6, trace["Field6"].get<float>());
  const TerrainNpcInfo* pTerrain = pData->GetTerrainNpcInfo(1002);
  ASSERT_NE(nullptr, pTerrain);
  EXPECT_EQ(std::string(pTerrain->Name), terrain["Name"]);
  ASSERT_EQ(pTerrain->Dirs.size(), terrain["Dirs"].size());
  EXPECT_EQ(pTerrain->Dirs[7], terrain["Dirs"][7]);
  EXPECT_EQ(pData->GetWeaponAdjustByLook(410, 3), weapon);
  const CameraTrackFrameList* pFrames = pData->GetCameraTrackFrames("intro");
  ASSERT_NE(nullptr, pFrames);
  ASSERT_EQ(pFrames->size(), frames.size());
  char szByte[3];
  snprintf(szByte, sizeof(szByte), "%02x", (*pFrames)[0].abyData[0]);
  EXPECT_EQ(szByte, frames[0].get<std::string>().substr(0, 2));
  EXPECT_EQ(nullptr, pData->GetSimpleObjInfo(424242));
  EXPECT_TRUE(none.is_null());
  const char* pszEffect = pData->GetRoleWeapon3DEffect(1201, 410, 100, 5);  // a wildcard try
  ASSERT_NE(nullptr, pszEffect);
  EXPECT_EQ(std::string(pszEffect), effect);
  ASSERT_NE(nullptr, pData->GetSoundEventName(12));
  EXPECT_EQ(std::string(pData->GetSoundEventName(12)), event);
}

TEST_F(KestrinToolTest, ChainedCallsShareOneLoad) {
  ToolRun run = Tool({"query", Data(), "SetStoredValue1", "-5", "+", "GetStoredValue1", "+",
                      "GetStoredValue2", "+", "GetFirstGameMapInfo", "+", "GetNextGameMapInfo"});
  ASSERT_EQ(0, run.nStatus) << run.strErr;
  std::istringstream answers(run.strOut);
  std::vector<Json> values;
  while ((answers >> std::ws).peek() != EOF) {
    Json value;
    answers >> value;
    values.push_back(value);
  }
  ASSERT_EQ(4u, values.size()) << run.strOut;  // the setter answers nothing
  EXPECT_EQ(-5, values[0]);
  EXPECT_EQ(0, values[1]);

  I3DRoleBaseData* pData = Load(Data());
  uint32_t nFirst = 0, nSecond = 0;
  const GameMapInfo* pInfo = nullptr;
  ASSERT_EQ(1, pData->GetFirstGameMapInfo(&nFirst, &pInfo));
  ASSERT_EQ(1, pData->GetNextGameMapInfo(&nSecond, &pInfo));
  EXPECT_EQ(nFirst, values[2]["mapId"]);
  EXPECT_EQ(nSecond, values[3]["mapId"]);
  EXPECT_EQ(std::string(pInfo->File), values[3]["info"]["File"]);
}

TEST_F(KestrinToolTest, EveryOperationOfTheListIsReachable) {
  ToolRun list = Tool({"query", "--list"});
  ASSERT_EQ(0, list.nStatus);
  std::istringstream lines(list.strOut);
  std::string strLine;
  std::getline(lines, strLine);  // heading
  int nOperations = 0;
  for (int nSlot; std::getline(lines, strLine) && std::istringstream(strLine) >> nSlot;) {
    EXPECT_EQ(++nOperations, nSlot) << strLine;
    std::istringstream words(strLine);
    std::string strSlot, strName, strArg;
    words >> strSlot >> strName;
    std::vector<std::string> args = {"query", Data(), strName};
    // Each argument "name:type" gets a value of its type; the list's answer text follows.
    while (words >> strArg && strArg.find(':') != std::string::npos) {
      args.push_back(strArg.substr(strArg.find(':') + 1) == "text" ? "intro" : "1");
    }
    ToolRun run = Tool(args);
    EXPECT_EQ(0, run.nStatus) << strLine << ": " << run.strErr;
  }
  EXPECT_EQ(62, nOperations);
}

// The order of a dump and its answers are the table views' (TableViewsTest); here, that each
// table dumps through the process, and that its example answers are the module's.
TEST_F(KestrinToolTest, EveryTableDumpsAsJson) {
  ToolRun list = Tool({"dump", "--list"});
  std::istringstream lines(list.strOut);
  std::string strLine;
  std::getline(lines, strLine);  // heading
  int nTables = 0;
  for (std::string strTable, strFile; lines >> strTable >> strFile; std::getline(lines, strLine)) {
    ++nTables;
    bool bPresent = fs::exists(m_folder / "data" / strFile);
    Json dump = ToolJson({"dump", Data(), strFile}, bPresent ? 0 : 1);
    EXPECT_EQ(strTable, dump["table"]);
    EXPECT_EQ(strFile, dump["file"]);
  }
  EXPECT_EQ(25, nTables);
  Json look = ToolJson({"dump", Data(), "LookScale"});
  ASSERT_EQ(3u, look["entries"].size());
  I3DRoleBaseData* pData = Load(Data());
  for (const Json& entry : look["entries"]) {
    EXPECT_EQ(pData->GetLookScale(entry["look"]), entry["scale"].get<float>());
  }
}

}  // namespace
