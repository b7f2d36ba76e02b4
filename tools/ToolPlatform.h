#pragma once
// What the tool needs from the operating system beyond the standard library: the GBK code page
// and the terminal. Nothing here throws.

#include <cstdio>
#include <string>
#include <string_view>

namespace ToolPlatform {

// Appends one GBK character (its two bytes) to strOut as UTF-8. False, appending nothing, when
// the bytes are no character of the code page.
bool AppendGbkAsUtf8(std::string_view gbk, std::string& strOut);
// Whether the stream writes to a terminal (a console on Windows).
bool IsTerminal(FILE* pStream);
// Makes the terminal behind the stream take ANSI colour sequences; false when it cannot.
bool EnableColourSequences(FILE* pStream);

}  // namespace ToolPlatform
