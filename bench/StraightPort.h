#pragma once
// The straightforward port of the loaders, the anchor of the ten-times comparison: each table
// file read the way a plain stdio port of its loader reads it, into standard containers.
#include <string>
#include <vector>

namespace KestrinBench {

// Loads every table file of the folder (paths relative to it, as Create's); the number of
// records kept. The tables go when it returns.
size_t StraightLoad(const std::string& strFolder);

}  // namespace KestrinBench
