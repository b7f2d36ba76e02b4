#pragma once
// A fresh temporary folder per test, entered for the test's duration, and the module loaded
// there through its exports, as the client and the kestrin tool load it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "I3DRoleBaseData.h"

class ToolFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_previous = std::filesystem::current_path();
    m_folder = std::filesystem::temp_directory_path() /
               ("kestrin-tool-test-" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(m_folder);
    std::filesystem::current_path(m_folder);
  }

  void TearDown() override {
    RoleBaseDataDestroy();
    std::filesystem::current_path(m_previous);
    std::error_code ec;
    std::filesystem::remove_all(m_folder, ec);
  }

  // Writes a file below the folder (parents created), bytes exactly as given.
  void Write(const std::filesystem::path& path, const std::string& strContent) {
    std::filesystem::path full = m_folder / path;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream(full, std::ios::binary | std::ios::trunc) << strContent;
  }

  static std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // RoleBaseDataQuery and Create in the folder (entered first).
  I3DRoleBaseData* Load(const std::filesystem::path& folder) {
    std::filesystem::current_path(folder);
    I3DRoleBaseData* pData = RoleBaseDataQuery();
    if (pData != nullptr) pData->Create();
    return pData;
  }

  std::filesystem::path m_folder;
  std::filesystem::path m_previous;
};
