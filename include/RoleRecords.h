#pragma once
// Records of the role appearance tables, read in place by the client.
#include <cstdint>

// Laid out by the role appearance tables.
struct NpcInfo {
  int32_t nPlaceholder;
};
struct NpcStarLookInfo {
  int32_t nPlaceholder;
};
struct RolePartReplaceInfo {
  int32_t nPlaceholder;
};
struct SimpleObjInfo {
  int32_t nPlaceholder;
};
