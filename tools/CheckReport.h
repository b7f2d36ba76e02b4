#pragma once
// How kestrin check prints its findings: --format text (GNU "file:line:column: severity:
// message [rule]" with the hint and the log record below), json, jsonl, github (workflow
// annotations) or sarif (SARIF 2.1.0).
#include <cstdio>
#include <string>
#include <vector>

#include "LoadObserver.h"

// One table file of the load: what the registry counted after it.
struct CheckedTable {
  std::string strName;
  std::string strFile;
  bool bPresent = false;
  size_t nEntries = 0;
  int nFindings = 0;
};

struct CheckSummary {
  std::string strDataDir;  // as given on the command line
  std::vector<CheckedTable> tables;
  std::vector<ZorGameBase::LoadFinding> findings;  // sorted
  int nErrors = 0;
  int nWarnings = 0;
  double dCreateSeconds = 0;
  double dCheckSeconds = 0;  // the whole check up to its report, Create included
  size_t nCreatePeakKb = 0;  // the process's peak resident size after Create (0: not known)
  size_t nCheckPeakKb = 0;   // and before the report
  int nStatus = 0;
};

// True for the formats this prints; pszFormat one of "text", "json", "jsonl", "github", "sarif".
bool IsCheckFormat(const std::string& strFormat);
void PrintCheckReport(const CheckSummary& summary, const std::string& strFormat, bool bColour,
                      FILE* pOut);
