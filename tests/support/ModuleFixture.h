#pragma once
// A fresh temporary folder per test, entered for the test's duration, with helpers to write
// table files, load the module as the client does, and read what the debug log recorded.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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
  bool LogHas(const std::string& strText) const { return LogText().find(strText) != std::string::npos; }
  // How many records of the log contain the text.
  int LogCount(const std::string& strText) const;

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
  int32_t m_nCreated = -1;
};
