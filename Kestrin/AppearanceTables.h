#pragma once
// Containers of the NPC, part hiding and replacement, scale, weapon and simple object tables.
#include <cstdint>
#include <map>

#include "I3DRoleBaseData.h"

using NpcTable = std::map<int32_t, NpcInfo>;
using NpcStarLookTable = std::map<int32_t, NpcStarLookInfo>;
struct RolePartHideInfo;
using RolePartHideTable = std::map<uint32_t, RolePartHideInfo*>;
using ScaleTable = std::map<uint32_t, float>;
using LookSet = std::map<uint32_t, bool>;
using WeaponTable = std::map<uint32_t, uint32_t>;
using SimpleObjTable = std::map<uint32_t, SimpleObjInfo*>;
using RolePartReplaceTable = std::map<int32_t, RolePartReplaceInfo>;
