#pragma once
#include <functional>
#include <string>

#include "CheckReport.h"
#include "I3DRoleBaseData.h"

// Loads every table of the data folder through the module, as the client does, with the
// module's load observer attached, and prints what the loaders did not take whole in the
// format asked for (see CheckReport.h). 0 when every table opened and nothing is an error
// (with bStrict, nothing at all was found), 1 otherwise, 2 when the folder cannot be used.
int RunCheck(const std::string& strDataDir, const std::string& strFormat, bool bStrict);

// The check's load without its printing: enters the folder, loads it with the observer
// attached and fills the summary; fnLoaded, when given, sees the loaded service before it is
// destroyed. 0 when the folder was loaded (the verdict is summary.nStatus), 1 when the module
// could not create its service, 2 when the folder cannot be used (the reason on stderr, as
// "kestrin <pszCommand>: ...").
int CheckDataFolder(const std::string& strDataDir, const char* pszCommand, bool bStrict,
                    CheckSummary& summary,
                    const std::function<void(I3DRoleBaseData&)>& fnLoaded);
