// The table cases of tests/cases: each folder <table>/<case> is one test. Its ini/ is copied
// into a fresh folder, the module is loaded there as the client loads it, and the lines of its
// expect.txt are run through the operations of "kestrin query", or load the tables again
// (tests/cases/README.md).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "DatCipher.h"
#include "ModuleFixture.h"
#include "Operations.h"

namespace fs = std::filesystem;

namespace {

// "<table>/<case>" for every case folder, sorted; a name that fails when there is none.
std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& table : fs::directory_iterator(KESTRIN_TABLE_CASES, ec)) {
    for (const auto& folder : fs::directory_iterator(table.path(), ec)) {
      if (fs::exists(folder.path() / "expect.txt", ec)) {
        names.push_back(table.path().filename().string() + "/" + folder.path().filename().string());
      }
    }
  }
  std::sort(names.begin(), names.end());
  if (names.empty()) names.push_back("no-case-folder-found");
  return names;
}

// Blank-separated words; a word in double quotes may hold blanks or be empty.
std::vector<std::string> Words(const std::string& strText) {
  std::vector<std::string> words;
  for (size_t i = 0; i < strText.size();) {
    if (strText[i] == ' ') {
      ++i;
    } else if (strText[i] == '"') {
      size_t nEnd = strText.find('"', i + 1);
      if (nEnd == std::string::npos) nEnd = strText.size();
      words.push_back(strText.substr(i + 1, nEnd - i - 1));
      i = nEnd + 1;
    } else {
      size_t nEnd = std::min(strText.find(' ', i), strText.size());
      words.push_back(strText.substr(i, nEnd - i));
      i = nEnd;
    }
  }
  return words;
}

// The message of each log record: what stands before the " -- " and the time.
std::vector<std::string> LogMessages(const std::string& strLog) {
  std::vector<std::string> messages;
  size_t nStart = 0;
  for (size_t nEnd; (nEnd = strLog.find('\n', nStart)) != std::string::npos; nStart = nEnd + 1) {
    std::string strRecord = strLog.substr(nStart, nEnd - nStart);
    messages.push_back(strRecord.substr(0, strRecord.rfind(" -- ")));
  }
  return messages;
}

// Puts the files of a folder of the case in place of the current folder's ini/ (none when the
// folder is absent); a file "X.plain" is written as X enciphered as the .dat files are.
bool CopyTableFiles(const fs::path& from) {
  std::error_code ec;
  fs::remove_all("ini", ec);
  for (const auto& entry : fs::recursive_directory_iterator(from, ec)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::string strData((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    fs::path target = "ini" / fs::relative(entry.path(), from);
    if (target.extension() == ".plain") {
      strData = ZorTools::EncipherText(strData);
      target.replace_extension();
    }
    fs::create_directories(target.parent_path(), ec);
    std::ofstream out(target, std::ios::binary);
    out.write(strData.data(), static_cast<std::streamsize>(strData.size()));
    if (!in.is_open() || !out.good()) return false;
  }
  return true;
}

class TableCaseTest : public ModuleTest, public ::testing::WithParamInterface<std::string> {
 protected:
  // Runs one operation line; the failure names the line.
  void RunLine(I3DRoleBaseData& data, const std::string& strLine, const std::string& strWhere) {
    size_t nArrow = strLine.find(" => ");
    std::vector<std::string> words = Words(strLine.substr(0, nArrow));
    const Operation* pOperation = words.empty() ? nullptr : FindOperation(words[0]);
    if (pOperation == nullptr || words.size() != pOperation->args.size() + 1) {
      ADD_FAILURE() << strWhere << ": no operation with these arguments: " << strLine;
      return;
    }
    Args args(pOperation->args.size());
    for (size_t i = 0; i < args.size(); ++i) {
      std::string strError;
      if (!ParseArg(pOperation->args[i], words[i + 1], args[i], strError)) {
        ADD_FAILURE() << strWhere << ": " << strError;
        return;
      }
    }
    std::optional<Json> answer = pOperation->pfnCall(data, args);
    if (nArrow == std::string::npos) return;
    Json expected = Json::parse(strLine.substr(nArrow + 4), nullptr, false);
    ASSERT_FALSE(expected.is_discarded()) << strWhere << ": the expected answer is not JSON";
    EXPECT_TRUE(answer.has_value() && *answer == expected)
        << strWhere << ": " << words[0] << "\n  expected: " << expected.dump()
        << "\n  actual:   " << (answer.has_value() ? answer->dump() : "(no answer)");
  }
};

TEST_P(TableCaseTest, AnswersAndLogAsExpected) {
  const fs::path source = fs::path(KESTRIN_TABLE_CASES) / GetParam();
  ASSERT_TRUE(CopyTableFiles(source / "ini")) << GetParam();
  I3DRoleBaseData* pData = Load();
  ASSERT_NE(nullptr, pData);
  std::ifstream in(source / "expect.txt", std::ios::binary);
  ASSERT_TRUE(in.is_open()) << GetParam();
  std::vector<std::string> expectedLog;
  std::vector<std::pair<size_t, std::string>> counted;  // records containing the text
  int nLine = 0;
  for (std::string strLine; std::getline(in, strLine);) {
    const std::string strWhere = GetParam() + "/expect.txt:" + std::to_string(++nLine);
    if (!strLine.empty() && strLine.back() == '\r') strLine.pop_back();
    if (strLine.empty() || strLine[0] == '#') continue;
    if (strLine.rfind("log: ", 0) == 0) {
      expectedLog.push_back(strLine.substr(5));
    } else if (strLine.rfind("nolog: ", 0) == 0) {
      counted.emplace_back(0, strLine.substr(7));
    } else if (strLine.rfind("logs ", 0) == 0 && strLine.find(": ") != std::string::npos) {
      counted.emplace_back(std::stoul(strLine.substr(5)), strLine.substr(strLine.find(": ") + 2));
    } else if (strLine.rfind("reload ", 0) == 0) {
      size_t nArrow = strLine.find(" => ");
      ASSERT_TRUE(CopyTableFiles(source / strLine.substr(7, nArrow - 7))) << strWhere;
      int32_t nCreated = pData->Create();
      if (nArrow != std::string::npos) {
        EXPECT_EQ(strLine.substr(nArrow + 4), std::to_string(nCreated)) << strWhere << ": Create";
      }
    } else {
      RunLine(*pData, strLine, strWhere);
    }
  }
  // The records equal to a "log:" line are exactly those lines, in their order.
  const std::vector<std::string> messages = LogMessages(LogText());
  std::vector<std::string> logged;
  for (const std::string& strMessage : messages) {
    if (std::find(expectedLog.begin(), expectedLog.end(), strMessage) != expectedLog.end()) {
      logged.push_back(strMessage);
    }
  }
  EXPECT_EQ(expectedLog, logged) << GetParam() << ": the log lines\n" << LogText();
  for (const auto& [nCount, strText] : counted) {
    size_t nFound = std::count_if(messages.begin(), messages.end(), [&](const std::string& str) {
      return str.find(strText) != std::string::npos;
    });
    EXPECT_EQ(nCount, nFound) << GetParam() << ": records containing \"" << strText << "\"\n"
                              << LogText();
  }
}

std::string TestName(const ::testing::TestParamInfo<std::string>& info) {
  std::string strName = info.param;
  for (char& ch : strName) {
    if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return strName;
}

INSTANTIATE_TEST_SUITE_P(Table, TableCaseTest, ::testing::ValuesIn(CaseNames()), TestName);

}  // namespace
