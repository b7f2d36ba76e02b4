// kestrin query: any query operation of I3DRoleBaseData by name, on a loaded data folder.
#include "QueryCommand.h"

#include <cstdio>
#include <iostream>

#include "DataFolder.h"
#include "Operations.h"

namespace {

const char CALL_SEPARATOR[] = "+";

struct Call {
  const Operation* pOperation;
  Args args;
};

std::string Signature(const Operation& op) {
  std::string strText = op.pszName;
  for (const ArgSpec& argSpec : op.args) {
    strText += std::string(" ") + argSpec.pszName + ":" + ArgTypeName(argSpec.type);
  }
  return strText;
}

// The calls of the command line; false, with the reason on stderr, when one does not fit.
bool ParseCalls(const std::vector<std::string>& words, std::vector<Call>& calls) {
  for (size_t i = 0; i < words.size();) {
    const Operation* pOperation = FindOperation(words[i]);
    if (pOperation == nullptr) {
      std::cerr << "kestrin query: no operation \"" << words[i]
                << "\"; kestrin query --list shows them all\n";
      return false;
    }
    Call call{pOperation, {}};
    size_t nEnd = ++i;
    while (nEnd < words.size() && words[nEnd] != CALL_SEPARATOR) ++nEnd;
    if (nEnd - i != pOperation->args.size()) {
      std::cerr << "kestrin query: " << pOperation->pszName << " takes " << pOperation->args.size()
                << " argument(s), " << nEnd - i << " given: " << Signature(*pOperation) << "\n";
      return false;
    }
    for (const ArgSpec& argSpec : pOperation->args) {
      ArgValue value;
      std::string strError;
      if (!ParseArg(argSpec, words[i++], value, strError)) {
        std::cerr << "kestrin query: " << pOperation->pszName << ": " << strError << "\n";
        return false;
      }
      call.args.push_back(value);
    }
    calls.push_back(call);
    if (i < words.size()) ++i;  // the separator
    if (i == words.size() && words.back() == CALL_SEPARATOR) {
      std::cerr << "kestrin query: an operation must follow \"" << CALL_SEPARATOR << "\"\n";
      return false;
    }
  }
  if (calls.empty()) {
    std::cerr << "kestrin query: name an operation after the data folder; kestrin query --list "
                 "shows them all\n";
    return false;
  }
  return true;
}

}  // namespace

void PrintOperationList() {
  printf("%-4s %-58s %s\n", "slot", "operation and arguments", "answer");
  for (const Operation& op : Operations()) {
    printf("%4d %-58s %s\n", op.nSlot, Signature(op).c_str(), op.pszAnswer);
  }
  printf(
      "\nAn operation may be named by its slot number. Numbers are decimal or 0x hexadecimal; a\n"
      "negative uint32 stands for its 32-bit pattern (-1 is 4294967295). A text argument @null\n"
      "passes a null pointer. Several calls on one load: OPERATION ARGS + OPERATION ARGS ...\n");
}

int RunQuery(const std::string& strDataDir, const std::vector<std::string>& args) {
  std::vector<Call> calls;
  if (!ParseCalls(args, calls)) return 2;
  int nExitCode = 0;
  I3DRoleBaseData* pData = LoadDataFolder(strDataDir, "query", nExitCode);
  if (pData == nullptr) return nExitCode;
  for (const Call& call : calls) {
    std::optional<Json> answer = call.pOperation->pfnCall(*pData, call.args);
    if (answer) std::cout << answer->dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
  }
  RoleBaseDataDestroy();
  return 0;
}
