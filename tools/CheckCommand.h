#pragma once
#include <string>

// Loads every table of the data folder through the module, as the client does, with the
// module's load observer attached, and prints what the loaders did not take whole in the
// format asked for (see CheckReport.h). 0 when every table opened and nothing is an error
// (with bStrict, nothing at all was found), 1 otherwise, 2 when the folder cannot be used.
int RunCheck(const std::string& strDataDir, const std::string& strFormat, bool bStrict);
