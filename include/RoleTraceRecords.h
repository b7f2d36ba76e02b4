#pragma once
// The role trace record, read in place by the client.
#include <cstddef>
#include <cstdint>

// One line of ini/RoleTrace.ini: the packed key a * 10000000 + b * 10000 + c (b = 999 is the
// wildcard) and five numbers the client interprets, columns 2 to 6 in order.
struct RoleTraceInfo {
  int64_t Key;
  int32_t Field2;
  uint32_t Field3;
  uint32_t Field4;
  uint32_t Field5;
  float Field6;
};

static_assert(offsetof(RoleTraceInfo, Key) == 0, "RoleTraceInfo layout");
static_assert(offsetof(RoleTraceInfo, Field2) == 8, "RoleTraceInfo layout");
static_assert(offsetof(RoleTraceInfo, Field3) == 12, "RoleTraceInfo layout");
static_assert(offsetof(RoleTraceInfo, Field4) == 16, "RoleTraceInfo layout");
static_assert(offsetof(RoleTraceInfo, Field5) == 20, "RoleTraceInfo layout");
static_assert(offsetof(RoleTraceInfo, Field6) == 24, "RoleTraceInfo layout");
static_assert(sizeof(RoleTraceInfo) == 32, "RoleTraceInfo layout");
