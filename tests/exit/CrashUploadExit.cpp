// A host that writes crash records, with their uploads still in flight, and at once returns
// from main: the process must end cleanly (exit status 0, nothing reported by a sanitizer).
// Run with the folder that holds ini/GameSetup.ini.
#include <unistd.h>

#include "CrashReport.h"

int main(int argc, char** argv) {
  if (argc != 2 || chdir(argv[1]) != 0) return 2;
  for (int i = 0; i < 4; ++i) ZorGameBase::CrashRecord(nullptr, "record %d before exit", i);
  return 0;
}
