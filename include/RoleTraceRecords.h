#pragma once
// The role trace record, read in place by the client.
#include <cstdint>

// Laid out by the role trace table.
struct RoleTraceInfo {
  int32_t nPlaceholder;
};
