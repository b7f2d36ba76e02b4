// kestrin: what the client will load and answer, checked before the tables ship. The tool works
// through the module's exports only (RoleBaseDataQuery, Create, I3DRoleBaseData,
// RoleBaseDataDestroy), as the client does.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "CheckCommand.h"
#include "DatCommand.h"
#include "DiffCommand.h"
#include "DumpCommand.h"
#include "QueryCommand.h"
#include "ReportCommand.h"
#include "WatchCommand.h"

namespace {

int RunCommandLine(int argc, char** argv) {
  CLI::App app{
      "kestrin: checks, queries and dumps the base-data tables through the module, and "
      "enciphers and deciphers .dat tables."};
  app.require_subcommand(1);
  app.footer("Exit status: 0 OK, 1 a table or file problem (check: an error), 2 a usage error.");
  // Options are "--name" everywhere: on Windows a "/data" folder is an argument, not an option.
  app.allow_windows_style_options(false);
  app.set_version_flag("--version", std::string("kestrin ") + KESTRIN_VERSION);

  // The client reads ini/ below the folder it runs in; without DATA_DIR, so does check.
  std::string strCheckDir = ".";
  std::string strFormat = "text";
  bool bJson = false;
  bool bStrict = false;
  bool bWatch = false;
  CLI::App* pCheck = app.add_subcommand(
      "check",
      "Loads every table of DATA_DIR as the client does and reports each line the module does\n"
      "not take whole, at its file and line (\"ini/Npc.ini:15:7: error: ... [rule]\"), with a\n"
      "hint and the debug-log record it wrote. Exit status 0 when every table opened and no\n"
      "error was found (warnings too fail with --strict), 1 otherwise, 2 for a usage error.");
  pCheck->add_option("DATA_DIR", strCheckDir,
                     "the folder holding ini/ (default: the current folder)");
  pCheck->add_option("--format", strFormat, "text, json, jsonl, github or sarif (default text)")
      ->check(CLI::IsMember({"text", "json", "jsonl", "github", "sarif"}));
  pCheck->add_flag("--json", bJson, "the same as --format json");
  pCheck->add_flag("--strict", bStrict, "warnings fail the check too");
  pCheck->add_flag("--watch", bWatch,
                   "check again whenever a table changes (the screen cleared at a terminal), "
                   "until Ctrl-C");

  std::string strReportDir, strReportOut;
  CLI::App* pReport = app.add_subcommand(
      "report",
      "Checks DATA_DIR and writes one self-contained HTML page for a browser: the findings by\n"
      "file and line, each battle map drawn on its cell grid, the cameras in plan view and\n"
      "each table's figures. Exit status as check's.");
  pReport->add_option("DATA_DIR", strReportDir, "the folder holding ini/")->required();
  pReport->add_option("-o,--output", strReportOut, "the HTML file to write")->required();

  std::string strOldDir, strNewDir;
  std::vector<std::string> diffTables;
  std::string strDiffFormat = "text";
  CLI::App* pDiff = app.add_subcommand(
      "diff",
      "Loads OLD_DIR and NEW_DIR and lists, per table, the keys added, removed and changed,\n"
      "with each changed field's old and new value. Exit status 0 when both answer the same,\n"
      "1 when they differ, 2 on an error.");
  pDiff->add_option("OLD_DIR", strOldDir, "the earlier data folder")->required();
  pDiff->add_option("NEW_DIR", strNewDir, "the later data folder")->required();
  pDiff->add_option("TABLE", diffTables, "table names or files (default: every table)");
  pDiff->add_option("--format", strDiffFormat, "text or json (default text)")
      ->check(CLI::IsMember({"text", "json"}));

  std::string strQueryDir;
  bool bList = false;
  CLI::App* pQuery = app.add_subcommand(
      "query",
      "Loads DATA_DIR and calls an operation of I3DRoleBaseData by name with its arguments:\n"
      "  kestrin query DATA_DIR OPERATION [ARGS...] [+ OPERATION [ARGS...] ...]\n"
      "Answers print as JSON, records with their field names.");
  pQuery->add_flag("--list", bList, "list the operations with their arguments");
  pQuery->add_option("DATA_DIR", strQueryDir, "the folder holding ini/");
  pQuery->prefix_command();  // OPERATION and its arguments (negative numbers too) pass through

  std::string strDumpDir, strTable;
  bool bTables = false;
  CLI::App* pDump = app.add_subcommand(
      "dump",
      "Loads DATA_DIR and prints one whole table as JSON in key order: the keys the module\n"
      "loaded, each with the module's answer, for diffing two releases' data.");
  pDump->add_flag("--list", bTables, "list the table names");
  pDump->add_option("DATA_DIR", strDumpDir, "the folder holding ini/");
  pDump->add_option("TABLE", strTable, "a table name (LookScale) or file (ini/LookScale.ini)");

  CLI::App* pDat =
      app.add_subcommand("dat", "The .dat cipher both ways (ini/GameMap.dat, ini/TerrainNpc.dat).");
  pDat->require_subcommand(1);
  std::string strIn, strOut;
  bool bForce = false;
  CLI::App* pDecode = pDat->add_subcommand(
      "decode",
      "Deciphers the .dat file IN into readable OUT. Refuses OUT when it is IN, and IN when it\n"
      "is plain text already (unless --force).");
  pDecode->add_option("IN", strIn, "the .dat file")->required();
  pDecode->add_option("OUT", strOut, "the readable text to write")->required();
  pDecode->add_flag("--force", bForce, "decipher IN even when it reads as plain text");
  CLI::App* pEncode = pDat->add_subcommand(
      "encode",
      "Enciphers readable IN into the .dat file OUT. Refuses OUT when it is IN, and IN when it\n"
      "is enciphered already (unless --force).");
  pEncode->add_option("IN", strIn, "the readable text")->required();
  pEncode->add_option("OUT", strOut, "the .dat file to write")->required();
  pEncode->add_flag("--force", bForce, "encipher IN even when it is enciphered already");

  bool bKnown = false;
  for (const CLI::App* pCommand : app.get_subcommands({}))
    bKnown |= argc > 1 && pCommand->check_name(argv[1]);
  if (argc > 1 && argv[1][0] != '-' && !bKnown) {
    std::cerr << "kestrin: no command \"" << argv[1]
              << "\"; the commands are check, report, diff, query, dump and dat (kestrin --help)\n";
    return 2;
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    int nCode = app.exit(error);
    return nCode == 0 ? 0 : 2;
  }
  if (pCheck->parsed()) {
    if (bWatch) return RunWatch(strCheckDir, bJson ? "json" : strFormat, bStrict);
    return RunCheck(strCheckDir, bJson ? "json" : strFormat, bStrict);
  }
  if (pReport->parsed()) return RunReport(strReportDir, strReportOut);
  if (pDiff->parsed()) return RunDiff(strOldDir, strNewDir, diffTables, strDiffFormat == "json");
  if (pQuery->parsed()) {
    if (bList) {
      PrintOperationList();
      return 0;
    }
    if (strQueryDir.empty()) {
      std::cerr
          << "kestrin query: name the data folder and an operation; see kestrin query --help\n";
      return 2;
    }
    return RunQuery(strQueryDir, pQuery->remaining());
  }
  if (pDump->parsed()) {
    if (bTables) {
      PrintTableList();
      return 0;
    }
    if (strDumpDir.empty() || strTable.empty()) {
      std::cerr << "kestrin dump: name the data folder and a table; see kestrin dump --help\n";
      return 2;
    }
    return RunDump(strDumpDir, strTable);
  }
  if (pDecode->parsed()) return RunDatDecode(strIn, strOut, bForce);
  if (pEncode->parsed()) return RunDatEncode(strIn, strOut, bForce);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int nStatus = RunCommandLine(argc, argv);
  // Output that did not arrive (a full disk, /dev/full) fails the command whatever it printed.
  std::cout.flush();
  bool bLost = std::fflush(stdout) != 0 || std::ferror(stdout) != 0 || std::cout.fail();
  if (bLost) {
    std::cerr << "kestrin: cannot write to standard output\n";
    return nStatus != 0 ? nStatus : 1;
  }
  return nStatus;
}
