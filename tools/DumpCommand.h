#pragma once
#include <string>

// Prints one table as JSON in key order: the keys the module loaded, each with the module's
// answer. 0 when the table file is there, 1 when it is missing (the dump is then empty), 2 for
// an unknown table or an unusable folder.
int RunDump(const std::string& strDataDir, const std::string& strTable);
// The table names dump takes, with their files and loaders.
void PrintTableList();
