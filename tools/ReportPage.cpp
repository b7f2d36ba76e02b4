#include "ReportPage.h"

#include "HtmlText.h"
#include "ReadableText.h"

namespace {

const char STYLE[] = R"(body{font:14px/1.4 system-ui,sans-serif;margin:1.5em;color:#222;background:#fff}
h1{font-size:1.5em}h2{border-bottom:1px solid #ccc;margin-top:1.6em}h3{font-family:monospace}
.error{color:#b00020}.warning{color:#8a5a00}.ok{color:#1b7a1b}.hint{color:#555}
li.finding{margin:.3em 0;list-style:none}code{background:#f3f3f3;padding:0 .2em}
figure{margin:1em 0;display:inline-block;vertical-align:top}
svg{display:block;font:11px sans-serif}svg .ground{fill:#fbfbf7;stroke:#999}
svg .grid line{stroke:#e3e3dc;stroke-width:1}svg .axis{stroke:#bbb;stroke-dasharray:4 3}
svg .torch{fill:#ffb34733;stroke:#e07b00;stroke-width:1.5;stroke-dasharray:5 3}
svg .start{fill:none;stroke-width:2}svg .fighter{stroke:#222;stroke-width:.8}
svg .offset{stroke:#222;stroke-width:1}svg .cell{fill:none;stroke:#000;stroke-width:2}
svg .view{fill:#fff;stroke:#7a2e9a;stroke-width:2}svg .start-view{fill:#e8d4f2}
svg .legend-mark{fill:#fff;stroke:#333;stroke-width:1.5}svg .camera{fill:none;stroke-width:2}
table{border-collapse:collapse}td,th{border:1px solid #ddd;padding:.2em .6em;text-align:right}
td:nth-child(-n+2),th:nth-child(-n+2){text-align:left}
.swatch{display:inline-block;width:.8em;height:.8em;margin-right:.4em;border-radius:50%})";

std::string FindingsSection(const CheckSummary& summary) {
  std::string strHtml = "<section id=\"findings\">\n<h2>Findings</h2>\n";
  if (summary.findings.empty()) {
    return strHtml + "<p class=\"ok\">Every line of every table was taken whole.</p>\n</section>\n";
  }
  std::string strFile;
  for (const ZorGameBase::LoadFinding& finding : summary.findings) {
    if (finding.strFile != strFile || &finding == &summary.findings.front()) {
      if (&finding != &summary.findings.front()) strHtml += "</ul>\n";
      strFile = finding.strFile;
      strHtml += "<h3>" + HtmlEscape(strFile) + "</h3>\n<ul>\n";
    }
    bool bError = finding.severity == ZorGameBase::FINDING_ERROR;
    strHtml += "<li class=\"finding\"><code>line " + std::to_string(finding.nLine) +
               (finding.nColumn > 0 ? ":" + std::to_string(finding.nColumn) : "") +
               "</code> <span class=\"" + (bError ? "error\">error" : "warning\">warning") +
               "</span> " + HtmlEscape(ReadableText(finding.strMessage)) + " <code>[" +
               ZorGameBase::LoadRuleId(finding.rule) + "]</code><br><span class=\"hint\">" +
               HtmlEscape(finding.strHint) + "</span>";
    if (!finding.strLogRecord.empty()) {
      strHtml += "<br><span class=\"hint\">log: " + HtmlEscape(ReadableText(finding.strLogRecord)) +
                 "</span>";
    }
    strHtml += "</li>\n";
  }
  return strHtml + "</ul>\n</section>\n";
}

std::string TablesSection(const std::vector<TableFigures>& tables) {
  std::string strHtml =
      "<section id=\"tables\">\n<h2>Tables</h2>\n<table><tr><th>table</th><th>file</th><th>keys "
      "listed</th><th>entries held</th><th>entries answered</th><th>bytes</th></tr>\n";
  for (const TableFigures& table : tables) {
    strHtml += "<tr><td>" + HtmlEscape(table.strName) + "</td><td>" + HtmlEscape(table.strFile) +
               "</td><td>" + std::to_string(table.nKeysListed) + "</td><td>" +
               std::to_string(table.nEntriesHeld) + "</td><td>" +
               std::to_string(table.nAnswered) + "</td><td>" +
               (table.bPresent ? std::to_string(table.nBytes) : "missing") + "</td></tr>\n";
  }
  return strHtml + "</table>\n</section>\n";
}

}  // namespace

std::string ReportPage(const CheckSummary& summary, const ReportContent& content) {
  std::string strTitle = "kestrin report: " + summary.strDataDir;
  std::string strHtml = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
                        HtmlEscape(strTitle) + "</title>\n<style>\n" + STYLE +
                        "\n</style>\n</head>\n<body>\n<h1>" + HtmlEscape(strTitle) + "</h1>\n<p class=\"" +
                        (summary.nStatus == 0 ? "ok" : "error") + "\">" +
                        std::to_string(summary.nErrors) + " error(s), " +
                        std::to_string(summary.nWarnings) + " warning(s); " +
                        std::to_string(content.battleMapFigures.size()) + " battle map(s).</p>\n";
  strHtml += FindingsSection(summary);
  strHtml += "<section id=\"battle-maps\">\n<h2>Battle maps</h2>\n";
  if (content.battleMapFigures.empty()) strHtml += "<p>No battle map is loaded.</p>\n";
  for (const std::string& strFigure : content.battleMapFigures) strHtml += strFigure;
  strHtml += "</section>\n<section id=\"cameras\">\n<h2>Cameras</h2>\n" + content.strCameraFigure +
             "</section>\n";
  strHtml += TablesSection(content.tables);
  return strHtml + "</body>\n</html>\n";
}
