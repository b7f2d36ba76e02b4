#pragma once
// A fresh temporary folder per test, entered for the test's duration, with helpers to write
// table files, load the module as the client does, and read what the debug log recorded.

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "I3DRoleBaseData.h"

class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes a file below the folder (parents created), bytes exactly as given.
  void Write(const std::string& strPath, const std::string& strContent);
  // Everything the debug log recorded in this folder, each record ending with one line feed
  // whatever line end the platform writes.
  std::string LogText() const;
  bool LogHas(const std::string& strText) const {
    return LogText().find(strText) != std::string::npos;
  }
  // How many records of the log contain the text.
  int LogCount(const std::string& strText) const;
  // Forgets what the log recorded, and the log its recent messages: for loops over cases.
  void ClearLog();

  std::filesystem::path m_folder;

 private:
  std::filesystem::path m_previous;
};

// The module as the client uses it. TearDown ends the service.
class ModuleTest : public TempFolderTest {
 protected:
  void TearDown() override;
  // RoleBaseDataQuery, then Create; the result of Create goes to m_nCreated.
  I3DRoleBaseData* Load();
  // Ends the service there is, writes the file, then loads a fresh service.
  I3DRoleBaseData* LoadWith(const std::string& strPath, const std::string& strText);
  int32_t m_nCreated = -1;
};

// The example data set of the source tree: ini/, track/ and the readable sources in src/.
std::filesystem::path ExampleDataFolder();
// Copies the example data set's ini/ and track/ folders into the folder.
void CopyExampleData(const std::filesystem::path& folder);

// The text of an answer, "(null)" for none.
inline std::string OrNull(const char* pszText) { return pszText != nullptr ? pszText : "(null)"; }

// Answers, blank-separated, for one assertion over several: texts as they are ("(null)" for
// none), numbers as the stream writes them.
template <typename T>
const T& Word(const T& answer) {
  return answer;
}
inline std::string Word(const char* pszAnswer) { return OrNull(pszAnswer); }
template <typename... Answers>
std::string Say(const Answers&... answers) {
  std::ostringstream out;
  ((out << Word(answers) << " "), ...);
  std::string str = out.str();
  return str.substr(0, str.size() - 1);
}
// The first values of a record as the client reads it in place (all of it by default); empty
// for null.
template <typename V = int32_t, typename T>
std::vector<V> Fields(const T* pRecord, size_t nCount = sizeof(T) / sizeof(V)) {
  if (pRecord == nullptr) return {};
  std::vector<V> values(nCount);
  memcpy(values.data(), pRecord, nCount * sizeof(V));
  return values;
}

// Runs fnRun until one run starts and ends within the same second of the clock (five tries at
// most) and answers that second; -1 when the clock kept changing its second.
template <typename F>
std::time_t InOneSecond(F fnRun) {
  for (int nTry = 0; nTry < 5; ++nTry) {
    std::time_t nBefore = std::time(nullptr);
    fnRun();
    if (std::time(nullptr) == nBefore) return nBefore;
  }
  return -1;
}
