// The kestrin tool as designers run it: a process over copies of the example data sets, its
// report rows, exit statuses and JSON, the .dat round trip, and answers compared with what the
// module itself answers through I3DRoleBaseData.
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

#if !defined(_WIN32)
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

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

  // Runs the tool with the arguments, each quoted, and collects its exit status and output;
  // standard output goes to the file given, if any.
  ToolRun Tool(const std::vector<std::string>& args, fs::path out = {}) const {
    std::string strCommand = std::string(KESTRIN_TOOL_LAUNCHER "\"") + KESTRIN_TOOL + "\"";
    for (const std::string& strArg : args) strCommand += " \"" + strArg + "\"";
    if (out.empty()) out = m_folder / "stdout.txt";
    fs::path err = m_folder / "stderr.txt";
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
    run.strOut = fs::is_regular_file(out) ? ReadAll(out) : "";
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

  // Replaces the first occurrence of strFrom in the file below the folder (appends strTo when
  // strFrom is empty).
  void Edit(const fs::path& path, const std::string& strFrom, const std::string& strTo) {
    std::string strText = ReadAll(m_folder / path);
    size_t nAt = strFrom.empty() ? strText.size() : strText.find(strFrom);
    ASSERT_NE(std::string::npos, nAt) << strFrom << " is not in " << path;
    Write(path, strText.replace(nAt, strFrom.size(), strTo));
  }

  static const Json& Row(const Json& report, const std::string& strFile) {
    static const Json s_none;
    for (const Json& row : report["tables"]) {
      if (row["file"] == strFile) return row;
    }
    ADD_FAILURE() << strFile << " has no row";
    return s_none;
  }

};

// Without DATA_DIR the tool checks the folder it runs in, where the client reads ini/.
TEST_F(KestrinToolTest, ExampleDataIsCleanAndEveryTableCounted) {
  fs::current_path(Data());
  Json report = ToolJson({"check", "--format", "json"}, 0);
  EXPECT_EQ(0u, report["findings"].size()) << report["findings"].dump(1);
  for (const Json& row : report["tables"]) {
    EXPECT_TRUE(row["present"].get<bool>()) << row["file"];
    if (row["table"] != "BattleDive") {
      EXPECT_GT(row["entries"].get<int>(), 0) << row["file"];
    }
  }
}

// examples/broken and each data set of examples/broken/catalogue (the example set with one kind
// of mistake laid over it) give the findings their expected.txt lists.
TEST_F(KestrinToolTest, BrokenSetsGiveTheirExpectedFindings) {
  fs::path broken = fs::path(KESTRIN_EXAMPLES) / "broken";
  std::vector<std::pair<fs::path, fs::path>> sets = {{broken, Broken()}};
  for (const auto& entry : fs::directory_iterator(broken / "catalogue")) {
    fs::path set = m_folder / entry.path().filename();
    fs::copy(Data(), set, fs::copy_options::recursive);
    fs::copy(entry.path(), set, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    sets.emplace_back(entry.path(), set);
  }
  EXPECT_GE(sets.size(), 10u);
  for (const auto& [source, set] : sets) {
    ToolRun run = Tool({"check", "--strict", "--format", "jsonl", set.string()});
    std::string strFound;
    std::istringstream lines(run.strOut);
    for (std::string strLine; std::getline(lines, strLine);) {
      Json finding = Json::parse(strLine);
      strFound += finding["file"].get<std::string>() + ":" +
                  std::to_string(finding["line"].get<int>()) + " " +
                  finding["rule"].get<std::string>() + "\n";
    }
    EXPECT_EQ(ReadAll(source / "expected.txt"), strFound) << source.filename();
    EXPECT_EQ(1, run.nStatus) << source.filename();
  }
}

TEST_F(KestrinToolTest, FormatsNameTheFileLineAndRule) {
  fs::path set = m_folder / "numbers";
  fs::copy(Data(), set, fs::copy_options::recursive);
  fs::copy(fs::path(KESTRIN_EXAMPLES) / "broken/catalogue/look-scale-numbers", set,
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  std::string strSet = set.string();
  ToolRun text = Tool({"check", strSet});
  EXPECT_NE(std::string::npos, text.strOut.find("ini/LookScale.ini:9:1: error: \"2OO5=1.5\""));
  // The hint on the next line (standard output in text mode ends a line with CR LF on Windows).
  size_t nRule = text.strOut.find("[number-cut]");
  EXPECT_NE(std::string::npos, nRule);
  EXPECT_EQ(text.strOut.find('\n', nRule) + 1, text.strOut.find("  hint: ", nRule));
  ToolRun github = Tool({"check", "--format", "github", strSet});
  std::string strPath;  // a property value escapes ':' and ','
  for (char ch : strSet + "/ini/LookScale.ini") {
    strPath += ch == ':' ? std::string("%3A") : ch == ',' ? std::string("%2C") : std::string(1, ch);
  }
  EXPECT_NE(std::string::npos, github.strOut.find("::error file=" + strPath + ",line=8,col=1::"));
  // SARIF 2.1.0: the schema's required properties, and a region for each finding at a line.
  Json sarif = ToolJson({"check", "--format", "sarif", strSet}, 1);
  EXPECT_EQ("2.1.0", sarif["version"]);
  ASSERT_EQ(1u, sarif["runs"].size());
  EXPECT_EQ("kestrin", sarif["runs"][0]["tool"]["driver"]["name"]);
  const Json& results = sarif["runs"][0]["results"];
  ASSERT_EQ(3u, results.size());
  for (const Json& result : results) {
    EXPECT_TRUE(result["message"]["text"].is_string());
    EXPECT_TRUE(result["ruleId"].is_string());
    EXPECT_EQ("ini/LookScale.ini", result["locations"][0]["physicalLocation"]["artifactLocation"]["uri"]);
    EXPECT_GE(result["locations"][0]["physicalLocation"]["region"]["startLine"].get<int>(), 7);
  }
  // Warnings alone pass unless --strict.
  fs::path warned = m_folder / "warned";
  fs::copy(Data(), warned, fs::copy_options::recursive);
  fs::copy(fs::path(KESTRIN_EXAMPLES) / "broken/catalogue/sound-event-duplicate-key", warned,
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  EXPECT_EQ(0, Tool({"check", warned.string()}).nStatus);
  EXPECT_EQ(1, Tool({"check", "--strict", warned.string()}).nStatus);
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

// Nothing is written when the tool refuses; the input stays as it was.
TEST_F(KestrinToolTest, DatRefusesWhatItCannotDoSafely) {
  std::ofstream(Temp("empty.txt")).close();
  const std::string strDat = Data() + "/ini/GameMap.dat", strPlain = Data() + "/src/GameMap.ini";
  const std::string strDatAgain = Data() + "/ini/../ini/./GameMap.dat";
  const std::string strDatBytes = ReadAll(strDat);
  struct Case {
    std::vector<std::string> args;
    int nStatus;
    const char* pszSays;
  };
  const Case cases[] = {
      {{"encode", Temp("empty.txt"), Temp("out")}, 1, "is empty"},
      {{"decode", Temp("missing.dat"), Temp("out")}, 1, "cannot read"},
      {{"decode", strDat, strDat}, 2, "are the same file"},
      {{"decode", strDat, strDatAgain}, 2, "are the same file"},
      {{"encode", strDatAgain, strDat, "--force"}, 2, "are the same file"},
      {{"decode", strPlain, Temp("out")}, 1, "is plain text already"},
      {{"encode", strDat, Temp("out")}, 1, "is enciphered already"},
      {{"decode", "--force", strPlain, Temp("out")}, 0, ""},
      {{"encode", "--force", strDat, Temp("out")}, 0, ""},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"dat"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    fs::remove(Temp("out"));
    ToolRun run = Tool(args);
    EXPECT_EQ(c.nStatus, run.nStatus) << c.args[1] << " " << run.strErr;
    EXPECT_NE(std::string::npos, run.strErr.find(c.pszSays)) << c.args[1] << " " << run.strErr;
    EXPECT_EQ(c.nStatus == 0, fs::exists(Temp("out"))) << c.args[1];
    EXPECT_EQ(strDatBytes, ReadAll(strDat));
  }
}

#if !defined(_WIN32)
// A FIFO is no file: the check and the cipher pass it over at once instead of waiting.
TEST_F(KestrinToolTest, FifoInPlaceOfATableIsNoFile) {
  fs::remove(m_folder / "data/ini/region.ini");
  CFifoGuard fifo(m_folder / "data/ini/region.ini");
  ASSERT_TRUE(fifo.Made());
  ToolRun check = Tool({"check", Data()});
  EXPECT_EQ(1, check.nStatus);
  EXPECT_NE(std::string::npos, check.strOut.find("ini/region.ini: error:")) << check.strOut;
  for (const char* pszWay : {"encode", "decode"}) {
    ToolRun run = Tool({"dat", pszWay, Data() + "/ini/region.ini", Temp("out")});
    EXPECT_EQ(1, run.nStatus) << pszWay;
    EXPECT_NE(std::string::npos, run.strErr.find("cannot read")) << pszWay;
  }
  EXPECT_FALSE(fifo.ReaderWaited()) << "the tool waited for a writer";
}
#endif

// Any command, the version and help too: output that cannot be written fails the command.
TEST_F(KestrinToolTest, VersionAndOutputThatCannotBeWritten) {
  ToolRun version = Tool({"--version"});
  EXPECT_EQ(0, version.nStatus);
  EXPECT_EQ(std::string("kestrin ") + KESTRIN_VERSION,
            version.strOut.substr(0, version.strOut.find_first_of("\r\n")));
#if !defined(_WIN32)
  const std::vector<std::string> commands[] = {{"--version"},
                                               {"--help"},
                                               {"check", Data()},
                                               {"query", Data(), "GetLookScale", "1202"},
                                               {"dump", Data(), "LookScale"},
                                               {"dump", "--list"}};
  for (const auto& args : commands) {
    ToolRun run = Tool(args, "/dev/full");
    EXPECT_NE(0, run.nStatus) << args[0];
    EXPECT_NE(std::string::npos, run.strErr.find("cannot write to standard output")) << args[0];
  }
#endif
}

// Table text prints as UTF-8; a byte that belongs to no GBK character as \xHH.
TEST_F(KestrinToolTest, GbkTextPrintsAsUtf8) {
  Write("gbk/ini/region.ini", "1 2 3 4 5 6 7 \xB1\xB1\xFF\xB7\xBD x 10 11 12 13 14 15 16 17 t\n");
  Json name = ToolJson({"query", Temp("gbk"), "GetRegionName", "1"});
  EXPECT_EQ("\u5317\\xff\u65B9", name);
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
  EXPECT_EQ(std::string(pTerrain->Dirs[7].c_str()), terrain["Dirs"][7]);
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

// Each table dumps through the process; a table's entries come in key order, each with the
// module's answer.
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
  // Keys come in the order of the numbers the file writes, not in the order of its lines.
  Write("data/ini/LookScale.ini", "9=2\n-3=0.5\n4=0.1\n9=3\n");
  Write("data/ini/RoleWeapon3DEffect.ini", "2.1.0.999=x 1.5.3.7=y\n");
  Json look = ToolJson({"dump", Data(), "LookScale"});
  ASSERT_EQ(3u, look["entries"].size());
  I3DRoleBaseData* pData = Load(Data());
  int nLast = INT32_MIN;
  for (const Json& entry : look["entries"]) {
    EXPECT_LT(nLast, entry["look"]);
    nLast = entry["look"];
    EXPECT_EQ(pData->GetLookScale(entry["look"]), entry["scale"].get<float>());
  }
  EXPECT_EQ(Json::parse(R"([{"a":1,"b":5,"c":3,"d":7,"effect":"y"},
                            {"a":2,"b":1,"c":0,"d":999,"effect":"x"}])"),
            ToolJson({"dump", Data(), "RoleWeapon3DEffect"})["entries"]);
}

// One changed, added or removed entry per case, named by table, key and field in both formats.
TEST_F(KestrinToolTest, DiffNamesEachChangedValue) {
  fs::copy(m_folder / "data", m_folder / "new", fs::copy_options::recursive);
  ToolRun same = Tool({"diff", Data(), Temp("new")});
  EXPECT_EQ(0, same.nStatus) << same.strOut << same.strErr;
  EXPECT_EQ(2, Tool({"diff", Data(), Temp("none")}).nStatus);
  EXPECT_EQ(2, Tool({"diff", Data(), Temp("new"), "NoSuchTable"}).nStatus);
  const struct {
    const char* pszFile;
    const char* pszFrom;
    const char* pszTo;
    const char* pszTable;
    const char* pszList;  // added, removed or changed
    const char* pszKey;
    const char* pszField;  // a changed entry's field
  } cases[] = {
      {"ini/BattleMap.ini", "CenterCell=100 75", "CenterCell=100 76", "BattleMap", "changed",
       "maps map=1001", "info.CenterCell.y"},
      {"ini/LookScale.ini", "", "77=0.5\n", "LookScale", "added", "look=77", ""},
      {"ini/LookScale.ini", "2001=1.5", "", "LookScale", "removed", "look=2001", ""},
  };
  for (const auto& c : cases) {
    fs::remove_all(m_folder / "new");
    fs::copy(m_folder / "data", m_folder / "new", fs::copy_options::recursive);
    Edit(fs::path("new") / c.pszFile, c.pszFrom, c.pszTo);
    Json diff = ToolJson({"diff", Data(), Temp("new"), "--format", "json"}, 1);
    ASSERT_EQ(1u, diff["tables"].size()) << diff.dump(1);
    const Json& table = diff["tables"][0];
    EXPECT_EQ(c.pszTable, table["table"]);
    ASSERT_EQ(1u, table[c.pszList].size()) << table.dump(1);
    EXPECT_EQ(c.pszKey, table[c.pszList][0]["key"]);
    std::string strLine = std::string(c.pszKey);
    if (std::string(c.pszList) == "changed") {
      const Json& field = table["changed"][0]["fields"];
      ASSERT_EQ(1u, field.size());
      EXPECT_EQ(c.pszField, field[0]["field"]);
      strLine += "  " + std::string(c.pszField) + ": " + field[0]["old"].dump() + " -> " +
                 field[0]["new"].dump();
    }
    ToolRun text = Tool({"diff", Data(), Temp("new"), c.pszTable});
    EXPECT_EQ(1, text.nStatus);
    EXPECT_NE(std::string::npos, text.strOut.find(std::string(c.pszTable) + " (" + c.pszFile))
        << text.strOut;
    EXPECT_NE(std::string::npos, text.strOut.find(strLine)) << text.strOut;
  }
}

// The report draws each battle map the dump lists; a real browser renders the page, finds each
// drawing in its DOM and paints more than one colour.
TEST_F(KestrinToolTest, ReportDrawsEveryBattleMapInABrowser) {
  Edit("data/ini/LookScale.ini", "", "2OO5=1.5\n");
  ToolRun report = Tool({"report", Data(), "-o", Temp("report.html")});
  EXPECT_EQ(1, report.nStatus) << report.strErr;
  std::string strPage = ReadAll(Temp("report.html"));
  EXPECT_NE(std::string::npos, strPage.find("[number-cut]"));
  EXPECT_LT(strPage.find("ini/LookScale.ini"), strPage.find("battle-map-"));
  EXPECT_EQ(std::string::npos, strPage.find("<script"));
  EXPECT_EQ(std::string::npos, strPage.find("http"));
  Json maps = ToolJson({"dump", Data(), "BattleMap"})["entries"]["maps"];
  ASSERT_FALSE(maps.empty());
#if defined(_WIN32)
  GTEST_SKIP() << "the browser check runs on Linux";
#else
  if (std::system("command -v chromium >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "chromium is not installed (scripts/install-deps.sh installs it)";
  }
  std::string strBrowser = "timeout 90 chromium --headless --no-sandbox --disable-gpu "
                           "--hide-scrollbars --user-data-dir=\"" + Temp("profile") + "\" ";
  std::string strUrl = "\"file://" + Temp("report.html") + "\"";
  ASSERT_EQ(0, std::system((strBrowser + "--dump-dom " + strUrl + " >\"" + Temp("dom.html") +
                            "\" 2>/dev/null").c_str()));
  std::string strDom = ReadAll(Temp("dom.html"));
  for (const Json& map : maps) {
    std::string strId = "id=\"battle-map-" + map["map"].dump() + "\"";
    size_t nAt = strDom.find(strId);
    ASSERT_NE(std::string::npos, nAt) << strId;
    EXPECT_LT(strDom.find("<svg", nAt), strDom.find("</figure>", nAt)) << strId;
  }
  ASSERT_EQ(0, std::system((strBrowser + "--window-size=640,400 --screenshot=\"" +
                            Temp("shot.png") + "\" " + strUrl + " >/dev/null 2>&1").c_str()));
  // The PNG's pixels unfiltered (8-bit RGB or RGBA, as the browser writes them), colours counted.
  Write("colours.py", R"(import sys, struct, zlib
data = open(sys.argv[1], 'rb').read()
pos, idat, width, height, depth = 8, b'', 0, 0, 0
while pos < len(data):
    size, kind = struct.unpack('>I4s', data[pos:pos + 8])
    body = data[pos + 8:pos + 8 + size]
    if kind == b'IHDR':
        width, height, _, ctype = struct.unpack('>IIBB', body[:10])
        depth = 4 if ctype == 6 else 3
    if kind == b'IDAT':
        idat += body
    pos += 12 + size
raw, stride, prev, colours = zlib.decompress(idat), width * depth, bytearray(width * depth), set()
for y in range(height):
    kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
    for i in range(stride):
        a = line[i - depth] if i >= depth else 0
        b, c = prev[i], prev[i - depth] if i >= depth else 0
        p = a + b - c
        pred = [0, a, b, (a + b) // 2,
                a if abs(p - a) <= abs(p - b) and abs(p - a) <= abs(p - c) else b if abs(p - b) <= abs(p - c) else c][kind]
        line[i] = (line[i] + pred) & 255
    colours.update(bytes(line[i:i + depth]) for i in range(0, stride, depth))
    prev = line
print(len(colours))
)");
  ASSERT_EQ(0, std::system(("python3 \"" + Temp("colours.py") + "\" \"" + Temp("shot.png") +
                            "\" >\"" + Temp("colours.txt") + "\"").c_str()));
  EXPECT_GT(std::stoi(ReadAll(Temp("colours.txt"))), 1);
#endif
}

#if !defined(_WIN32)
// check --watch gives a second verdict once a table changes, and ends on SIGINT.
TEST_F(KestrinToolTest, WatchChecksAgainWhenATableChanges) {
  std::string strOut = Temp("watch.txt");
  std::string strCommand = std::string("exec " KESTRIN_TOOL_LAUNCHER "\"") + KESTRIN_TOOL +
                           "\" check --watch \"" + Data() + "\" >\"" + strOut + "\" 2>&1";
  pid_t pid = fork();
  ASSERT_NE(-1, pid);
  if (pid == 0) {
    execl("/bin/sh", "sh", "-c", strCommand.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  // The verdicts written so far, waiting up to a minute for the count wanted.
  auto verdicts = [&](size_t nWanted) {
    std::vector<std::string> found;
    for (int nTry = 0; nTry < 600 && found.size() < nWanted; ++nTry) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      std::istringstream lines(ReadAll(strOut));
      found.clear();
      for (std::string strLine; std::getline(lines, strLine);) {
        if (strLine.find("table files present") != std::string::npos) found.push_back(strLine);
      }
    }
    return found;
  };
  std::vector<std::string> first = verdicts(1);
  Edit("data/ini/LookScale.ini", "", "2OO5=1.5\n");
  std::vector<std::string> second = verdicts(2);
  kill(pid, SIGINT);
  int nStatus = 0;
  bool bEnded = false;
  for (int nTry = 0; nTry < 100 && !bEnded; ++nTry) {
    bEnded = waitpid(pid, &nStatus, WNOHANG) == pid;
    if (!bEnded) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  if (!bEnded) {
    kill(pid, SIGKILL);
    waitpid(pid, &nStatus, 0);
  }
  ASSERT_EQ(1u, first.size()) << ReadAll(strOut);
  ASSERT_EQ(2u, second.size()) << ReadAll(strOut);
  EXPECT_NE(std::string::npos, first[0].find("0 error(s)"));
  EXPECT_NE(std::string::npos, second[1].find("1 error(s)"));
  EXPECT_TRUE(bEnded && WIFEXITED(nStatus)) << "the watch did not end on SIGINT";
  EXPECT_EQ(1, WEXITSTATUS(nStatus));
}
#endif

}  // namespace
