// Role part, look and mount scales and the 2D looks.
#include "3DRoleBaseData.h"

int32_t C3DRoleBaseData::CreateRolePartScaleInfo() { return 0; }

int32_t C3DRoleBaseData::Create2DRoleLookInfo() { return 0; }

int32_t C3DRoleBaseData::CreateLookScaleInfo() { return 0; }

int32_t C3DRoleBaseData::CreateMountScaleInfo() { return 0; }

float C3DRoleBaseData::GetRolePartScale(uint32_t, uint32_t) { return 1.0f; }

float C3DRoleBaseData::GetLookScale(uint32_t) { return 1.0f; }

float C3DRoleBaseData::GetMountScale(uint32_t, uint32_t) { return 1.0f; }

bool C3DRoleBaseData::Is2DRoleLook(uint32_t) { return false; }
