// Simple objects of ini/SimpleObjInfo.ini.
#include "3DRoleBaseData.h"

int32_t C3DRoleBaseData::CreateSimpleObjInfo() { return 0; }

const SimpleObjInfo* C3DRoleBaseData::GetSimpleObjInfo(uint32_t) { return nullptr; }

void C3DRoleBaseData::ReleaseSimpleObjInfo() { m_mapSimpleObj.clear(); }
