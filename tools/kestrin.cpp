// kestrin: what the client will load and answer, checked before the tables ship.
#include <CLI/CLI.hpp>
#include <iostream>

#include "CheckCommand.h"

int main(int argc, char** argv) {
  CLI::App app{"kestrin: check, query and dump the base-data tables through the module"};
  app.require_subcommand(1);
  // Options are "--name" everywhere: on Windows a "/data" folder is an argument, not an option.
  app.allow_windows_style_options(false);

  std::string strCheckDir = KESTRIN_EXAMPLE_DATA;
  bool bJson = false;
  CLI::App* pCheck = app.add_subcommand(
      "check", "Load every table of DATA_DIR and report each file and the load's diagnostics");
  pCheck->add_option("DATA_DIR", strCheckDir, "the folder holding ini/ (default: the examples)");
  pCheck->add_flag("--json", bJson, "the report as JSON");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    int nCode = app.exit(error);
    return nCode == 0 ? 0 : 2;
  }
  if (pCheck->parsed()) return RunCheck(strCheckDir, bJson);
  return 2;
}
