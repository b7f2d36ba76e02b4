#pragma once
// The entries of one table as dump writes them. The keys come from the registry's walk of the
// loaded service, in key order (numbers as the file writes them, names byte by byte); every
// value shown is the service's answer through I3DRoleBaseData for that key.
#include <cstddef>
#include <string>

#include "I3DRoleBaseData.h"
#include "JsonStream.h"

// Writes the entries of registered table i of the service, after Create, as the value due in
// the dump: a list for most tables, one object for the battle maps and the cameras.
void DumpTableEntries(I3DRoleBaseData& data, size_t i, CJsonStream& dump);

// The same entries as one JSON value held whole (a list, an object, or null), for comparing
// and drawing; the dump's form exactly.
Json TableEntriesJson(I3DRoleBaseData& data, size_t i);

// The registry's index of the table named by its name ("LookScale") or file
// ("ini/LookScale.ini"); the registry's size, with the reason on stderr, when none is.
size_t FindTable(const std::string& strTable, const char* pszCommand);
