#pragma once
// Container of the role traces.
#include <vector>

#include "I3DRoleBaseData.h"

using RoleTraceTable = std::vector<RoleTraceInfo>;
