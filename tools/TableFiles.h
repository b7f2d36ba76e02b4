#pragma once
// The table files the module reads, in the order Create loads them.
#include <string>
#include <vector>

struct TableFile {
  const char* pszPath;   // relative to the data folder, as the module opens it
  const char* pszTable;  // the name dump and the report use
};

const std::vector<TableFile>& TableFiles();
