// Role part scales: a scale too large for a float is read as infinity, which the JSON answers of
// the cases in tests/cases/scale cannot write.
#include <gtest/gtest.h>

#include <limits>

#include "ModuleFixture.h"

namespace {

using ScaleTablesTest = ModuleTest;

TEST_F(ScaleTablesTest, ScaleTooLargeIsInfinity) {
  I3DRoleBaseData* pData = LoadWith("ini/RolePartScale.ini", "12.5=1e40\n");
  EXPECT_EQ(std::numeric_limits<float>::infinity(), pData->GetRolePartScale(12, 5));
}

}  // namespace
