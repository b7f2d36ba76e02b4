#include "LoadFindings.h"

#include "TextScan.h"

void ObserveLine(ZorGameBase::LoadRule rule, const char* pszFile, std::string_view line,
                 const char* pszWhy, bool bQuoteLog) {
  size_t nEnd = line.find_first_of("\r\n");
  std::string_view text = line.substr(0, nEnd);
  while (!text.empty() && ZorGameBase::IsScanSpace(text.back())) text.remove_suffix(1);
  size_t nStart = 0;
  while (nStart < text.size() && ZorGameBase::IsScanSpace(text[nStart])) ++nStart;
  if (nStart == text.size()) return;
  ZorGameBase::ReportFinding(rule, pszFile, line.data() + nStart,
                             "\"" + std::string(text.substr(nStart)) + "\": " + pszWhy, bQuoteLog);
}

void ObserveKeyValueLine(const char* pszFile, std::string_view line, bool bDecimalKey,
                         bool bDecimalValue) {
  size_t nEquals = line.find('=');
  if (nEquals == std::string_view::npos) {
    ObserveLine(ZorGameBase::RULE_LINE_IGNORED, pszFile, line, "no '=' on the line; the client skips it");
    return;
  }
  std::string_view key = line.substr(0, nEquals);
  std::string_view value = line.substr(nEquals + 1);
  size_t nValueEnd = value.find_first_of("\r\n");
  value = value.substr(0, nValueEnd);
  bool bKey = ZorGameBase::IsWholeNumber(key.data(), key.data() + key.size(), bDecimalKey);
  bool bValue = ZorGameBase::IsWholeNumber(value.data(), value.data() + value.size(), bDecimalValue);
  if (bKey && bValue) {
    ObserveLine(ZorGameBase::RULE_LINE_IGNORED, pszFile, line, "the client skips this line");
    return;
  }
  std::string_view bad = !bKey ? key : value;
  size_t nFirst = bad.find_first_not_of(" \t+-");
  bool bCut = nFirst != std::string_view::npos && bad[nFirst] >= '0' && bad[nFirst] <= '9';
  std::string strWhy = std::string(!bKey ? "the key \"" : "the value \"") + std::string(bad) +
                       "\" is " + (bCut ? "no whole number" : "no number") +
                       " (the letter O is no zero); the client skips the line";
  ObserveLine(bCut ? ZorGameBase::RULE_NUMBER_CUT : ZorGameBase::RULE_NUMBER_MISSING, pszFile, line,
              strWhy.c_str());
}
