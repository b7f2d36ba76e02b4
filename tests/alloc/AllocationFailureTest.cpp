// Memory running out during a load: a program of its own, as it replaces the global operator
// new with one that fails once, at a chosen allocation.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "ModuleFixture.h"
#include "TableAnswers.h"

namespace {

std::atomic<long> g_nAllocations{0};
std::atomic<long> g_nFailAt{0};  // the allocation that fails (counted from 1); 0: none

}  // namespace

void* operator new(size_t nSize) {
  long nThis = g_nAllocations.fetch_add(1) + 1;
  if (nThis == g_nFailAt.load()) throw std::bad_alloc();
  if (void* p = std::malloc(nSize != 0 ? nSize : 1)) return p;
  throw std::bad_alloc();
}
// The replaced operators pair malloc with free; GCC's optimiser, seeing both inlined, takes the
// pair for new with free.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {

class AllocationFailureTest : public ModuleTest {
 protected:
  // Create with the allocation nFailAt of the load failing (0: none); false when an exception
  // left it.
  bool CreateFailingAt(I3DRoleBaseData* pData, long nFailAt) {
    g_nAllocations = 0;
    g_nFailAt = nFailAt;
    bool bReturned = true;
    try {
      pData->Create();
    } catch (...) {
      bReturned = false;
    }
    g_nFailAt = 0;
    return bReturned;
  }
};

// For N across the whole load of the example data set: no exception leaves Create, at most one
// line names the file whose loader ran out, every query still answers, and a second Create
// gives the answers two clean loads give.
TEST_F(AllocationFailureTest, FailedAllocationAnywhereInTheLoadEndsOnlyItsLoader) {
  CopyExampleData(m_folder);
  I3DRoleBaseData* pData = Load();
  pData->Create();
  const std::string strClean = DescribeAnswers(pData);
  RoleBaseDataDestroy();
  ASSERT_TRUE(CreateFailingAt(RoleBaseDataQuery(), 0));
  const long nTotal = g_nAllocations;
  RoleBaseDataDestroy();
  ASSERT_GT(nTotal, 50);  // the load's heap allocations are counted (large blocks are pages)
  const long nStep = nTotal / 400 + 1;
  for (long nFailAt = 1; nFailAt <= nTotal; nFailAt += nStep) {
    ClearLog();
    pData = RoleBaseDataQuery();
    ASSERT_TRUE(CreateFailingAt(pData, nFailAt)) << "allocation " << nFailAt << " of " << nTotal;
    EXPECT_GE(1, LogCount("out of memory while loading ")) << nFailAt;
    DescribeAnswers(pData);
    pData->Create();
    EXPECT_EQ(strClean, DescribeAnswers(pData)) << "allocation " << nFailAt;
    RoleBaseDataDestroy();
  }
}

}  // namespace
