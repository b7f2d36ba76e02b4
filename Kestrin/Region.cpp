// The region list: one RegionInfo per record of ini/region.ini, in file order.
#include "3DRoleBaseData.h"

int32_t C3DRoleBaseData::CreateRegionInfo() { return 0; }

const RegionInfo* C3DRoleBaseData::GetRegionInfo(uint32_t) { return nullptr; }

const RegionList* C3DRoleBaseData::GetRegionList() { return &m_vecRegion; }

const char* C3DRoleBaseData::GetRegionName(uint32_t) { return nullptr; }
