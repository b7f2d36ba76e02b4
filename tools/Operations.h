#pragma once
// Every query operation of I3DRoleBaseData (slots 1 to 62), by name, with its arguments: what
// "kestrin query" calls. Create (slot 0) is the load the tool runs first.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "RecordJson.h"

enum class ArgType { UInt32, Int32, Int64, Bool, Text };

struct ArgSpec {
  const char* pszName;
  ArgType type;
};

// One argument as given on the command line.
struct ArgValue {
  int64_t nNumber = 0;  // integers and truth values
  std::string strText;  // texts
  bool bNull = false;   // the text "@null": a null pointer

  uint32_t U32() const { return static_cast<uint32_t>(nNumber); }
  int32_t I32() const { return static_cast<int32_t>(nNumber); }
  int64_t I64() const { return nNumber; }
  bool B() const { return nNumber != 0; }
  const char* Text() const { return bNull ? nullptr : strText.c_str(); }
};

using Args = std::vector<ArgValue>;

struct Operation {
  int nSlot;
  const char* pszName;
  std::vector<ArgSpec> args;
  const char* pszAnswer;  // what it answers, for the list
  // The answer as JSON; no value for an operation that answers nothing.
  std::optional<Json> (*pfnCall)(I3DRoleBaseData& data, const Args& args);
};

// In slot order. The two SetListenerPos operations are "SetListenerPos" (slot 16, x y) and
// "SetListenerPosRef" (slot 17, a ListenerPos built from x y).
const std::vector<Operation>& Operations();
// By name or by slot number ("22"); null when there is none.
const Operation* FindOperation(const std::string& strName);
// Converts one argument; false with a reason when the text does not fit the type.
bool ParseArg(const ArgSpec& argSpec, const std::string& strText, ArgValue& value,
              std::string& strError);
const char* ArgTypeName(ArgType type);
