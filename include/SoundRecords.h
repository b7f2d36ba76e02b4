#pragma once
// Records of the sound operations, read in place by the client.
#include <cstdint>

// The listener's position on the map, in the units of the sound positions.
struct ListenerPos {
  int32_t x;
  int32_t y;
};
static_assert(sizeof(ListenerPos) == 8, "ListenerPos is two 32-bit values");
