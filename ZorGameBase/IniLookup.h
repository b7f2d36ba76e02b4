#pragma once
// The plain ini lookup for single setup values: no state, one scan of the file per question.

namespace ZorGameBase {

// The value of key in section of a file read as blank-separated words: the section starts at
// the word "[section]" (any case), the value is the rest of a word "key=value" (key in exact
// case), the section ends at a word holding "[" and "]". True when found, with the value in
// the caller's buffer (it must hold the longest value expected, at most 1023 characters).
// Null arguments or a missing file: false, silently. Key not found: false and "Error: [section]
// key not found in path." to the debug log (bLogToFile) or to the debugger output.
bool GetIniValue(const char* pszPath, const char* pszSection, const char* pszKey, char* pszValue,
                 bool bLogToFile);

}  // namespace ZorGameBase
