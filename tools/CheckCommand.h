#pragma once
#include <string>

// Loads every table of the data folder through the module and reports each table file and the
// diagnostics of the load. 0 when every table opened and nothing was logged, 1 otherwise,
// 2 when the folder cannot be used.
int RunCheck(const std::string& strDataDir, bool bJson);
