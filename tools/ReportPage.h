#pragma once
// The report's one self-contained HTML page: inline CSS and SVG, no script, no outside
// resource. The check's findings come first, grouped by file, then the battle map drawings, the
// camera plan and a line of figures per table.
#include <cstdint>
#include <string>
#include <vector>

#include "CheckReport.h"

struct TableFigures {
  std::string strName;
  std::string strFile;
  size_t nKeysListed = 0;     // keys the registry walks in the loaded service
  size_t nEntriesHeld = 0;    // entries the service holds (a key written twice counts once)
  size_t nAnswered = 0;       // entries of its dump whose answer has no null in it
  uintmax_t nBytes = 0;       // the file's size; 0 when it is missing
  bool bPresent = false;
};

struct ReportContent {
  std::vector<std::string> battleMapFigures;  // BattleMapFigure, in map order
  std::string strCameraFigure;
  std::vector<TableFigures> tables;
};

std::string ReportPage(const CheckSummary& summary, const ReportContent& content);
