#pragma once
// What kestrin check reports: the findings the module's loaders tell its observer during one
// load, each debug-log record that no finding quotes as a finding of its own, sorted by file
// and line.
#include <string>
#include <vector>

#include "LoadObserver.h"

class CFindingCollector : public ZorGameBase::ILoadObserver {
 public:
  void Finding(const ZorGameBase::LoadFinding& finding) override;
  void LogRecord(const std::string& strRecord) override;
  // The findings, with the records no finding quoted (named after the table file their text
  // names, of the files given), sorted by file, line and column; the load's order otherwise.
  std::vector<ZorGameBase::LoadFinding> Sorted(const std::vector<std::string>& files) const;

 private:
  std::vector<ZorGameBase::LoadFinding> m_findings;
  std::vector<std::string> m_records;  // in the order written
};
