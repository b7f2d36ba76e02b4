#pragma once
// The answers of every table of a loaded service as the kestrin tool's dump writes them: each
// key the service loaded with the service's answer for it, a table after the other. Two equal
// texts mean equal answers. For test programs that link the tool's library.
#include <sstream>
#include <string>

#include "TableDump.h"
#include "TableRegistry.h"

inline std::string DescribeAnswers(I3DRoleBaseData* pData) {
  std::ostringstream out;
  for (size_t i = 0; i < CTableRegistry::Tables().size(); ++i) {
    CJsonStream dump(out);
    DumpTableEntries(*pData, i, dump);
    dump.Finish();
    out << "\n";
  }
  return out.str();
}
