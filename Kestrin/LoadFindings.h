#pragma once
// What the loaders tell an attached observer about a line they drop, cut or log. Each is
// called only when ZorGameBase::LoadObserver() is not null, so that a load without an observer
// does no more than test that pointer on the lines it does not take.
#include <string>
#include <string_view>

#include "LoadObserver.h"

// The line (or word) at its place in the file being read, with why it is not taken; a line of
// blanks alone is no finding. bQuoteLog: the load logged it just before.
void ObserveLine(ZorGameBase::LoadRule rule, const char* pszFile, std::string_view line,
                 const char* pszWhy, bool bQuoteLog = false);
// A line that "key=value" tables drop: no '=' (line-ignored), a key or value that is no
// number or only in part (number-missing, number-cut), else line-ignored.
void ObserveKeyValueLine(const char* pszFile, std::string_view line, bool bDecimalKey,
                         bool bDecimalValue);
