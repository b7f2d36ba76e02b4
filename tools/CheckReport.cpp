#include "CheckReport.h"

#include "ReadableText.h"
#include "RecordJson.h"

using ZorGameBase::LoadFinding;

namespace {

const char* SeverityName(ZorGameBase::FindingSeverity severity) {
  return severity == ZorGameBase::FINDING_ERROR ? "error" : "warning";
}

std::string Location(const LoadFinding& finding) {
  std::string strWhere = finding.strFile;
  if (finding.nLine > 0) strWhere += ":" + std::to_string(finding.nLine);
  if (finding.nLine > 0 && finding.nColumn > 0) strWhere += ":" + std::to_string(finding.nColumn);
  return strWhere;
}

Json FindingJson(const LoadFinding& finding) {
  return Json{{"file", finding.strFile},
              {"line", finding.nLine},
              {"column", finding.nColumn},
              {"severity", SeverityName(finding.severity)},
              {"rule", ZorGameBase::LoadRuleId(finding.rule)},
              {"message", JsonText(finding.strMessage)},
              {"hint", finding.strHint},
              {"log", finding.strLogRecord.empty() ? Json() : JsonText(finding.strLogRecord)}};
}

void PrintText(const CheckSummary& summary, bool bColour, FILE* pOut) {
  const char* pszBold = bColour ? "\033[1m" : "";
  const char* pszReset = bColour ? "\033[0m" : "";
  for (const LoadFinding& finding : summary.findings) {
    bool bError = finding.severity == ZorGameBase::FINDING_ERROR;
    const char* pszColour = !bColour ? "" : bError ? "\033[1;31m" : "\033[1;35m";
    fprintf(pOut, "%s%s:%s %s%s:%s %s [%s]\n", pszBold, Location(finding).c_str(), pszReset,
            pszColour, SeverityName(finding.severity), pszReset, ReadableText(finding.strMessage).c_str(),
            ZorGameBase::LoadRuleId(finding.rule));
    if (!finding.strLogRecord.empty()) {
      fprintf(pOut, "  log: \"%s\"\n", ReadableText(finding.strLogRecord).c_str());
    }
    fprintf(pOut, "  hint: %s\n", finding.strHint.c_str());
  }
  size_t nEntries = 0, nPresent = 0;
  for (const CheckedTable& table : summary.tables) {
    nEntries += table.nEntries;
    nPresent += table.bPresent ? 1 : 0;
  }
  fprintf(pOut, "%s: %zu of %zu table files present, %zu entries loaded in %.3f ms; %d error(s), %d warning(s).\n",
          summary.strDataDir.c_str(), nPresent, summary.tables.size(), nEntries,
          summary.dCreateSeconds * 1e3, summary.nErrors, summary.nWarnings);
}

// A GitHub workflow command's data and property values escape these characters.
std::string GithubEscape(const std::string& strText, bool bProperty) {
  std::string strOut;
  for (char ch : strText) {
    if (ch == '%') strOut += "%25";
    else if (ch == '\r') strOut += "%0D";
    else if (ch == '\n') strOut += "%0A";
    else if (bProperty && ch == ':') strOut += "%3A";
    else if (bProperty && ch == ',') strOut += "%2C";
    else strOut += ch;
  }
  return strOut;
}

void PrintGithub(const CheckSummary& summary, FILE* pOut) {
  std::string strFolder = summary.strDataDir;
  while (strFolder.size() > 1 && strFolder.back() == '/') strFolder.pop_back();
  for (const LoadFinding& finding : summary.findings) {
    std::string strMessage = ReadableText(finding.strMessage) + " [" +
                             ZorGameBase::LoadRuleId(finding.rule) + "] " + finding.strHint;
    fprintf(pOut, "::%s file=%s,line=%d,col=%d::%s\n", SeverityName(finding.severity),
            GithubEscape(strFolder + "/" + finding.strFile, true).c_str(),
            finding.nLine > 0 ? finding.nLine : 1, finding.nColumn > 0 ? finding.nColumn : 1,
            GithubEscape(strMessage, false).c_str());
  }
}

Json Sarif(const CheckSummary& summary) {
  Json rules = Json::array();
  for (int i = 0; i < ZorGameBase::RULE_COUNT; ++i) {
    auto rule = static_cast<ZorGameBase::LoadRule>(i);
    rules.push_back({{"id", ZorGameBase::LoadRuleId(rule)},
                     {"shortDescription", {{"text", ZorGameBase::LoadRuleHint(rule)}}},
                     {"defaultConfiguration", {{"level", SeverityName(ZorGameBase::LoadRuleSeverity(rule))}}}});
  }
  Json results = Json::array();
  for (const LoadFinding& finding : summary.findings) {
    Json location = {{"physicalLocation", {{"artifactLocation", {{"uri", finding.strFile}, {"uriBaseId", "DATA"}}}}}};
    if (finding.nLine > 0) {
      Json region = {{"startLine", finding.nLine}};
      if (finding.nColumn > 0) region["startColumn"] = finding.nColumn;
      location["physicalLocation"]["region"] = region;
    }
    Json result = {{"ruleId", ZorGameBase::LoadRuleId(finding.rule)},
                   {"ruleIndex", static_cast<int>(finding.rule)},
                   {"level", SeverityName(finding.severity)},
                   {"message", {{"text", JsonText(finding.strMessage)}}},
                   {"locations", Json::array({location})}};
    if (!finding.strLogRecord.empty()) {
      result["properties"] = {{"logRecord", JsonText(finding.strLogRecord)}};
    }
    results.push_back(result);
  }
  return {{"$schema", "https://json.schemastore.org/sarif-2.1.0.json"},
          {"version", "2.1.0"},
          {"runs", Json::array({{{"tool", {{"driver", {{"name", "kestrin"}, {"rules", rules}}}}},
                                 {"originalUriBaseIds", {{"DATA", {{"uri", summary.strDataDir + "/"}}}}},
                                 {"results", results}}})}};
}

std::string Dump(const Json& json, int nIndent) {
  return json.dump(nIndent, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

bool IsCheckFormat(const std::string& strFormat) {
  return strFormat == "text" || strFormat == "json" || strFormat == "jsonl" ||
         strFormat == "github" || strFormat == "sarif";
}

void PrintCheckReport(const CheckSummary& summary, const std::string& strFormat, bool bColour,
                      FILE* pOut) {
  if (strFormat == "text") {
    PrintText(summary, bColour, pOut);
  } else if (strFormat == "github") {
    PrintGithub(summary, pOut);
  } else if (strFormat == "jsonl") {
    for (const LoadFinding& finding : summary.findings) {
      fprintf(pOut, "%s\n", Dump(FindingJson(finding), -1).c_str());
    }
  } else if (strFormat == "sarif") {
    fprintf(pOut, "%s\n", Dump(Sarif(summary), 2).c_str());
  } else {
    Json report = {{"folder", JsonText(summary.strDataDir)},
                   {"errors", summary.nErrors},
                   {"warnings", summary.nWarnings},
                   {"status", summary.nStatus},
                   {"seconds", summary.dCreateSeconds},
                   {"check_seconds", summary.dCheckSeconds},
                   {"create_peak_kb", summary.nCreatePeakKb},
                   {"check_peak_kb", summary.nCheckPeakKb}};
    report["tables"] = Json::array();
    for (const CheckedTable& table : summary.tables) {
      report["tables"].push_back({{"table", table.strName},
                                  {"file", table.strFile},
                                  {"present", table.bPresent},
                                  {"entries", table.nEntries},
                                  {"diagnostics", table.nFindings}});
    }
    report["findings"] = Json::array();
    for (const LoadFinding& finding : summary.findings) report["findings"].push_back(FindingJson(finding));
    fprintf(pOut, "%s\n", Dump(report, 2).c_str());
  }
}
