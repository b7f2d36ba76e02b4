#include "CheckFindings.h"

#include <algorithm>

using ZorGameBase::LoadFinding;

void CFindingCollector::Finding(const LoadFinding& finding) {
  m_findings.push_back(finding);
  if (finding.strLogRecord.empty()) return;
  // The quoted record is the last one written.
  for (auto it = m_records.rbegin(); it != m_records.rend(); ++it) {
    if (*it == finding.strLogRecord) {
      m_records.erase(std::next(it).base());
      break;
    }
  }
}

void CFindingCollector::LogRecord(const std::string& strRecord) { m_records.push_back(strRecord); }

std::vector<LoadFinding> CFindingCollector::Sorted(const std::vector<std::string>& files) const {
  std::vector<LoadFinding> findings = m_findings;
  for (const std::string& strRecord : m_records) {
    // "error on open <file>." follows the finding of the file that did not open.
    bool bQuoted = false;
    for (LoadFinding& finding : findings) {
      bool bOpen = finding.rule == ZorGameBase::RULE_TABLE_MISSING ||
                   finding.rule == ZorGameBase::RULE_TABLE_UNREADABLE;
      if (bOpen && finding.strLogRecord.empty() && strRecord == "error on open " + finding.strFile + ".") {
        finding.strLogRecord = strRecord;
        bQuoted = true;
        break;
      }
    }
    if (bQuoted) continue;
    LoadFinding finding;
    finding.rule = ZorGameBase::RULE_LOG_RECORD;
    finding.severity = ZorGameBase::LoadRuleSeverity(finding.rule);
    finding.strHint = ZorGameBase::LoadRuleHint(finding.rule);
    finding.strFile = "debug";
    for (const std::string& strFile : files) {
      if (strRecord.find(strFile) != std::string::npos) {
        finding.strFile = strFile;
        break;
      }
    }
    finding.strMessage = "the load logged this record";
    finding.strLogRecord = strRecord;
    findings.push_back(finding);
  }
  std::stable_sort(findings.begin(), findings.end(), [](const LoadFinding& a, const LoadFinding& b) {
    if (a.strFile != b.strFile) return a.strFile < b.strFile;
    if (a.nLine != b.nLine) return a.nLine < b.nLine;
    return a.nColumn < b.nColumn;
  });
  return findings;
}
