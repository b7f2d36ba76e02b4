// The storage under the tables: blocks of system pages for large tables, heap blocks for small
// ones, and record lists that grow block by block without moving a record.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "HashedTable.h"
#include "TableBlock.h"

namespace {

using ZorGameBase::CTableBlock;

TEST(TableStorageTest, BlocksOfEverySizeAreZeroedWritableAndMoveTheirMemory) {
  for (size_t nBytes : {size_t{100}, CTableBlock::PAGED - 1, CTableBlock::PAGED, size_t{5} << 20}) {
    CTableBlock block(nBytes, true);
    ASSERT_EQ(nBytes, block.Size());
    EXPECT_EQ(0, block.Bytes()[0]) << nBytes;
    EXPECT_EQ(0, block.Bytes()[nBytes - 1]) << nBytes;
    block.Bytes()[nBytes - 1] = 'x';
    CTableBlock moved(std::move(block));
    EXPECT_EQ(nullptr, block.Bytes());
    EXPECT_EQ('x', moved.Bytes()[nBytes - 1]) << nBytes;
  }
}

// Records of 64 bytes: the first block holds 512 of them unless more were reserved, and a
// million of them reach the blocks of system pages.
struct Record {
  uint64_t anValue[8];
};

TEST(TableStorageTest, RecordListsKeepEveryRecordInPlaceAsTheyGrowAndShrink) {
  for (size_t nReserved : {size_t{0}, size_t{3000}, size_t{1} << 20}) {
    CStableList<Record> list;
    list.Reserve(nReserved);
    std::vector<const Record*> vecAddress;
    const size_t nCount = 1000003;
    for (size_t i = 0; i < nCount; ++i) vecAddress.push_back(&list.Emplace(Record{{i, i * 7}}));
    ASSERT_EQ(nCount, list.Size());
    // The pages past the last record go back; the records stay, and the list grows on.
    list.ReleaseSpare();
    list.Emplace(Record{{nCount, nCount * 7}});
    for (size_t i = 0; i <= nCount; i += 997) {
      ASSERT_EQ(i * 7, list[i].anValue[1]) << nReserved << " " << i;
    }
    EXPECT_EQ(nCount * 7, list[nCount].anValue[1]);
    list.PopBack(1);
    for (size_t i = 0; i < nCount; i += 997) ASSERT_EQ(vecAddress[i], &list[i]) << nReserved << " " << i;
    // Back across block boundaries, then forward again into blocks taken anew.
    list.PopBack(nCount - 511);
    EXPECT_EQ(vecAddress[510], &list[510]);
    for (size_t i = 511; i < 5000; ++i) list.Emplace(Record{{i, i + 1}});
    EXPECT_EQ(4999u + 1, list[4999].anValue[1]) << nReserved;
    EXPECT_EQ(vecAddress[100], &list[100]) << nReserved;
    list.Clear();
    EXPECT_TRUE(list.Empty());
  }
}

}  // namespace
