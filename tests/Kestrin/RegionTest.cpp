// The region list of ini/region.ini: the queries hand out the listed records themselves. What the
// file's columns give is asked by the cases of tests/cases/region.
#include <gtest/gtest.h>

#include "ModuleFixture.h"

namespace {

using RegionTest = ModuleTest;

TEST_F(RegionTest, QueriesHandOutTheListedRecords) {
  I3DRoleBaseData* pData = LoadWith("ini/region.ini", "1 2 3 4 5 6 7 N x 0 0 0 0 0 0 0 0 x\n");
  const RegionList* pList = pData->GetRegionList();
  ASSERT_EQ(1u, pList->size());
  EXPECT_EQ(&(*pList)[0], pData->GetRegionInfo(2));
  EXPECT_EQ((*pList)[0].Name, pData->GetRegionName(1));
}

}  // namespace
