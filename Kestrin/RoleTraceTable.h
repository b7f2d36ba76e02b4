#pragma once
// Container of the role traces: the records by value in file order, duplicates kept; indexed
// access is checked.
#include "I3DRoleBaseData.h"
#include "SafeVector"

using RoleTraceTable = ZorGameBase::CSafeVector<RoleTraceInfo>;
