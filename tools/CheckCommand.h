#pragma once
#include <string>

// Loads every table of the data folder through the module and reports each table file, what
// the module answers for the keys it lists, the diagnostics of the load and its speed.
// 0 when every table opened and the load logged nothing, 1 otherwise, 2 when the folder cannot
// be used.
int RunCheck(const std::string& strDataDir, bool bJson);
