#pragma once
#include <string>
#include <vector>

// Loads two data folders, one after the other, and prints, per table (all, or the names or
// files given), the entries added, removed and changed, with each changed field's old and new
// value: text, or with bJson one JSON object. 0 when both sets answer the same, 1 when they
// differ, 2 when a folder cannot be used or a table name is unknown.
int RunDiff(const std::string& strOldDir, const std::string& strNewDir,
            const std::vector<std::string>& tableNames, bool bJson);
