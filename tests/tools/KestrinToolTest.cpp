// The kestrin tool as designers run it: a process over copies of the example data sets, its
// report rows, exit statuses and JSON, the .dat round trip, and answers compared with what the
// module itself answers through I3DRoleBaseData.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <vector>

#if !defined(_WIN32)
#include "FifoGuard.h"
#endif

#include "I3DRoleBaseData.h"

namespace fs = std::filesystem;
using Json = nlohmann::json;

namespace {

struct ToolRun {
  int nStatus = -1;
  std::string strOut;
  std::string strErr;
};

// Each test works in a fresh temporary folder on its own copies of examples/data and
// examples/broken, so that neither the module's debug log nor a written file lands in the
// source tree.
class KestrinToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_previous = fs::current_path();
    m_folder =
        fs::temp_directory_path() / ("kestrin-tool-test-" + std::to_string(std::random_device()()));
    for (const char* pszSet : {"data", "broken"}) {
      fs::create_directories(m_folder / pszSet);
      fs::copy(fs::path(KESTRIN_EXAMPLES) / pszSet, m_folder / pszSet, fs::copy_options::recursive);
      fs::remove_all(m_folder / pszSet / "debug");
    }
    fs::current_path(m_folder);
  }
  void TearDown() override {
    RoleBaseDataDestroy();
    fs::current_path(m_previous);
    std::error_code ec;
    fs::remove_all(m_folder, ec);
  }

  // Writes a file below the folder (parents created), bytes exactly as given.
  void Write(const fs::path& path, const std::string& strContent) {
    fs::create_directories((m_folder / path).parent_path());
    std::ofstream(m_folder / path, std::ios::binary | std::ios::trunc) << strContent;
  }
  static std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  // The module loaded in the folder through its exports, as the client and the tool load it.
  I3DRoleBaseData* Load(const fs::path& folder) {
    fs::current_path(folder);
    I3DRoleBaseData* pData = RoleBaseDataQuery();
    if (pData != nullptr) pData->Create();
    return pData;
  }

  std::string Data() const { return (m_folder / "data").string(); }
  std::string Broken() const { return (m_folder / "broken").string(); }
  std::string Temp(const char* pszName) const { return (m_folder / pszName).string(); }

  // The arguments of a command line written with blanks between them; "~/" at the start of an
  // argument stands for the test's folder.
  std::vector<std::string> Args(const std::string& strLine) const {
    std::vector<std::string> args;
    std::istringstream words(strLine);
    for (std::string strWord; words >> strWord;) {
      args.push_back(strWord.rfind("~/", 0) == 0 ? (m_folder / strWord.substr(2)).string()
                                                 : strWord);
    }
    return args;
  }

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
    // -1 is the command interpreter failing to start, which happens now and then under an
    // emulated Windows when many processes are spawned; the tool itself never ran.
    for (int nTry = 0; nResult == -1 && nTry < 3; ++nTry) nResult = std::system(strCommand.c_str());
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

  // A copy of the example data with the catalogue entry of examples/broken laid over it.
  std::string Overlay(const std::string& strEntry) {
    fs::path entry = fs::path(KESTRIN_EXAMPLES) / "broken/catalogue" / strEntry;
    fs::copy(Data(), m_folder / strEntry, fs::copy_options::recursive);
    fs::copy(entry, m_folder / strEntry,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    return (m_folder / strEntry).string();
  }

  fs::path m_folder;
  fs::path m_previous;
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
  for (const auto& entry : fs::directory_iterator(broken / "catalogue"))
    sets.emplace_back(entry.path(), Overlay(entry.path().filename().string()));
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
  std::string strSet = Overlay("look-scale-numbers");
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
    EXPECT_TRUE(result["message"]["text"].is_string() && result["ruleId"].is_string());
    EXPECT_EQ("ini/LookScale.ini",
              result["locations"][0]["physicalLocation"]["artifactLocation"]["uri"]);
    EXPECT_GE(result["locations"][0]["physicalLocation"]["region"]["startLine"].get<int>(), 7);
  }
  // Warnings alone pass unless --strict.
  std::string strWarned = Overlay("sound-event-duplicate-key");
  EXPECT_EQ(0, Tool({"check", strWarned}).nStatus);
  EXPECT_EQ(1, Tool({"check", "--strict", strWarned}).nStatus);
}

// Each command's help, its usage errors (status 2) and the cipher's refusals (status 1): the
// text named is in standard output on success, in standard error otherwise, where standard
// output stays empty. Nothing is written when the tool refuses; the input stays as it was.
TEST_F(KestrinToolTest, HelpUsageErrorsAndRefusalsSayWhy) {
  std::ofstream(Temp("empty.txt")).close();
  const std::string strDat = Data() + "/ini/GameMap.dat", strOut = Temp("out");
  const std::string strDatBytes = ReadAll(strDat);
  const struct {
    const char* pszLine;
    int nStatus;
    std::string strSays;
  } cases[] = {
      {"--version", 0, std::string("kestrin ") + KESTRIN_VERSION},
      {"--help", 0, "Usage:"},
      {"check --help", 0, "Usage:"},
      {"query --help", 0, "Usage:"},
      {"dump --help", 0, "Usage:"},
      {"dat --help", 0, "Usage:"},
      {"dat decode --help", 0, "Usage:"},
      {"dat encode --help", 0, "Usage:"},
      {"", 2, "subcommand is required"},
      {"bogus", 2, "no command \"bogus\""},
      {"check --bogus", 2, "--bogus"},
      {"check ~/no-such-folder", 2, "does not exist"},
      {"check ~/data/ini/LookScale.ini", 2, "is not a folder"},
      {"query", 2, "name the data folder"},
      {"query ~/data", 2, "name an operation"},
      {"query ~/data GetNothing", 2, "no operation \"GetNothing\""},
      {"query ~/data GetLookScale", 2, "takes 1 argument(s), 0 given"},
      {"query ~/data GetLookScale 1 2", 2, "takes 1 argument(s), 2 given"},
      {"query ~/data GetLookScale x", 2, "look must be a number of type uint32"},
      {"query ~/data PlaySound a 0 0 maybe", 2, "true, false, 1 or 0"},
      {"query ~/data GetStoredValue1 +", 2, "must follow"},
      {"query ~/no-such-folder GetStoredValue1", 2, "does not exist"},
      {"dump ~/data", 2, "name the data folder and a table"},
      {"dump ~/data NoTable", 2, "no table \"NoTable\""},
      {"diff ~/data ~/none", 2, "does not exist"},
      {"diff ~/data ~/data NoTable", 2, "no table \"NoTable\""},
      {"dat", 2, "subcommand is required"},
      {"dat decode in.dat", 2, "OUT is required"},
      {"dat encode ~/empty.txt ~/out", 1, "is empty"},
      {"dat decode ~/missing.dat ~/out", 1, "cannot read"},
      {"dat decode ~/data/ini/GameMap.dat ~/data/ini/GameMap.dat", 2, "are the same file"},
      {"dat decode ~/data/ini/GameMap.dat ~/data/ini/../ini/./GameMap.dat", 2, "are the same file"},
      {"dat encode ~/data/ini/../ini/./GameMap.dat ~/data/ini/GameMap.dat --force", 2,
       "are the same file"},
      {"dat decode ~/data/src/GameMap.ini ~/out", 1, "is plain text already"},
      {"dat encode ~/data/ini/GameMap.dat ~/out", 1, "is enciphered already"},
      {"dat decode --force ~/data/src/GameMap.ini ~/out", 0, ""},
      {"dat encode --force ~/data/ini/GameMap.dat ~/out", 0, ""},
  };
  for (const auto& c : cases) {
    fs::remove(strOut);
    ToolRun run = Tool(Args(c.pszLine));
    EXPECT_EQ(c.nStatus, run.nStatus) << c.pszLine;
    EXPECT_NE(std::string::npos, (c.nStatus == 0 ? run.strOut : run.strErr).find(c.strSays))
        << c.pszLine << ": " << run.strOut << run.strErr;
    if (c.nStatus != 0) {
      EXPECT_EQ("", run.strOut) << c.pszLine;
    }
    EXPECT_EQ(c.strSays.empty(), fs::exists(strOut)) << c.pszLine;  // the forced writes
    EXPECT_EQ(strDatBytes, ReadAll(strDat)) << c.pszLine;
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

#if !defined(_WIN32)
// Any command, the version and help too: output that cannot be written fails the command.
TEST_F(KestrinToolTest, OutputThatCannotBeWrittenFailsTheCommand) {
  for (const char* pszLine :
       {"--version", "--help", "check ~/data", "query ~/data GetLookScale 1202",
        "dump ~/data LookScale", "dump --list"}) {
    ToolRun run = Tool(Args(pszLine), "/dev/full");
    EXPECT_NE(0, run.nStatus) << pszLine;
    EXPECT_NE(std::string::npos, run.strErr.find("cannot write to standard output")) << pszLine;
  }
}
#endif

// Several calls on one load, each answer printed as JSON as the interface gives it: an operation
// named by its slot, a record, an absent record as null, a setter answering nothing.
TEST_F(KestrinToolTest, QueryAnswersAsTheInterfaceAnswersOnOneLoad) {
  ToolRun run =
      Tool(Args("query ~/data GetLookScale 1202 + 56 410 3 + GetNpcInfo 77 + "
                "GetSimpleObjInfo 424242 + SetStoredValue1 -5 + GetStoredValue1 + "
                "GetFirstGameMapInfo + GetNextGameMapInfo"));
  ASSERT_EQ(0, run.nStatus) << run.strErr;
  std::istringstream answers(run.strOut);
  std::vector<Json> values;
  while ((answers >> std::ws).peek() != EOF) {
    Json value;
    answers >> value;
    values.push_back(value);
  }
  ASSERT_EQ(7u, values.size()) << run.strOut;

  I3DRoleBaseData* pData = Load(Data());
  ASSERT_NE(nullptr, pData);
  EXPECT_EQ(pData->GetLookScale(1202), values[0].get<float>());
  EXPECT_EQ(pData->GetWeaponAdjustByLook(410, 3), values[1]);
  const NpcInfo* pNpc = pData->GetNpcInfo(77);  // an absent type: the smallest type's record
  ASSERT_NE(nullptr, pNpc);
  EXPECT_EQ(pNpc->Id, values[2]["Id"]);
  EXPECT_EQ(std::string(pNpc->Name), values[2]["Name"]);
  EXPECT_EQ(nullptr, pData->GetSimpleObjInfo(424242));
  EXPECT_TRUE(values[3].is_null());
  EXPECT_EQ(-5, values[4]);
  uint32_t nFirst = 0, nSecond = 0;
  const GameMapInfo* pInfo = nullptr;
  ASSERT_EQ(1, pData->GetFirstGameMapInfo(&nFirst, &pInfo));
  ASSERT_EQ(1, pData->GetNextGameMapInfo(&nSecond, &pInfo));
  EXPECT_EQ(nFirst, values[5]["mapId"]);
  EXPECT_EQ(nSecond, values[6]["mapId"]);
  EXPECT_EQ(std::string(pInfo->File), values[6]["info"]["File"]);
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

// The report draws each battle map the dump lists; a real browser renders the page and finds
// each drawing in its DOM.
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
  ASSERT_EQ(0, std::system(("timeout 90 chromium --headless --no-sandbox --disable-gpu "
                            "--user-data-dir=\"" +
                            Temp("profile") + "\" --dump-dom \"file://" + Temp("report.html") +
                            "\" >\"" + Temp("dom.html") + "\" 2>/dev/null")
                               .c_str()));
  std::string strDom = ReadAll(Temp("dom.html"));
  for (const Json& map : maps) {
    std::string strId = "id=\"battle-map-" + map["map"].dump() + "\"";
    size_t nAt = strDom.find(strId);
    ASSERT_NE(std::string::npos, nAt) << strId;
    EXPECT_LT(strDom.find("<svg", nAt), strDom.find("</figure>", nAt)) << strId;
  }
#endif
}

#if !defined(_WIN32)
// check --watch gives a second verdict once a table changes, and ends with the verdict's status
// on SIGINT.
TEST_F(KestrinToolTest, WatchChecksAgainWhenATableChanges) {
  Write("watch.sh", R"sh("$@" check --watch data >watch.txt 2>&1 &
pid=$!
verdicts() {  # waits up to a minute for $1 verdicts
  n=0
  while [ $n -lt 600 ] && [ "$(grep -c 'table files present' watch.txt)" -lt "$1" ]; do
    sleep 0.1; n=$((n + 1))
  done
}
verdicts 1
printf '2OO5=1.5\n' >>data/ini/LookScale.ini
verdicts 2
kill -INT $pid
n=0
while kill -0 $pid 2>/dev/null && [ $n -lt 100 ]; do sleep 0.1; n=$((n + 1)); done
kill -KILL $pid 2>/dev/null
wait $pid
echo "exit $?" >>watch.txt
)sh");
  std::system("sh watch.sh " KESTRIN_TOOL_LAUNCHER "\"" KESTRIN_TOOL "\"");
  std::istringstream lines(ReadAll(Temp("watch.txt")));
  std::vector<std::string> verdicts;
  std::string strLast;
  for (std::string strLine; std::getline(lines, strLine); strLast = strLine) {
    if (strLine.find("table files present") != std::string::npos) verdicts.push_back(strLine);
  }
  ASSERT_EQ(2u, verdicts.size()) << ReadAll(Temp("watch.txt"));
  EXPECT_NE(std::string::npos, verdicts[0].find("0 error(s)"));
  EXPECT_NE(std::string::npos, verdicts[1].find("1 error(s)"));
  EXPECT_EQ("exit 1", strLast) << "the watch did not end on SIGINT with the verdict's status";
}
#endif

}  // namespace
