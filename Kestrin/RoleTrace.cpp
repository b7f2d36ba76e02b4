// Role traces of ini/RoleTrace.ini.
#include "3DRoleBaseData.h"

int32_t C3DRoleBaseData::CreateRoleTraceInfo() { return 0; }

const RoleTraceInfo* C3DRoleBaseData::GetRoleTraceInfo(int64_t) { return nullptr; }
