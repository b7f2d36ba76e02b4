// The hashed lookup table behind the effect and sound tables.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "HashedTable.h"

namespace {

TEST(HashedTableTest, EmptyTableFindsNothing) {
  CHashedTable<uint64_t, int> table;
  EXPECT_EQ(nullptr, table.Find(uint64_t{0}));
  EXPECT_TRUE(table.Empty());
}

TEST(HashedTableTest, EveryKeyStaysFoundWhileTheTableGrows) {
  CHashedTable<uint64_t, uint64_t> table;
  // Packed decimal keys that differ only in their low fields, as the tables hold them.
  for (uint64_t i = 0; i < 50000; ++i) table.FindOrAdd(i * 1000 + 999) = i;
  EXPECT_EQ(50000u, table.Size());
  for (uint64_t i = 0; i < 50000; ++i) {
    const uint64_t* pValue = table.Find(i * 1000 + 999);
    ASSERT_NE(nullptr, pValue) << i;
    ASSERT_EQ(i, *pValue);
    ASSERT_EQ(nullptr, table.Find(i * 1000 + 998)) << i;
  }
  EXPECT_EQ(nullptr, table.Find(~uint64_t{0}));
}

TEST(HashedTableTest, FindOrAddTellsWhetherItEntered) {
  CHashedTable<uint32_t, std::string> table;
  bool bInserted = false;
  table.FindOrAdd(7, &bInserted) = "first";
  EXPECT_TRUE(bInserted);
  EXPECT_EQ("first", table.FindOrAdd(7, &bInserted));
  EXPECT_FALSE(bInserted);
  table.FindOrAdd(0xFFFFFFFFu) = "last";
  ASSERT_EQ(2u, table.Values().size());
  EXPECT_EQ("first", table.Values()[0]);
  EXPECT_EQ("last", table.Values()[1]);
}

TEST(HashedTableTest, NamesAreFoundByViewByteForByte) {
  CHashedTable<std::string, int> table;
  table.FindOrAdd(" a ") = 1;
  table.FindOrAdd("A") = 2;
  table.FindOrAdd(std::string("z\0z", 3)) = 3;
  EXPECT_EQ(1, *table.Find(std::string_view(" a ")));
  EXPECT_EQ(2, *table.Find(std::string_view("A")));
  EXPECT_EQ(nullptr, table.Find(std::string_view("a")));
  EXPECT_EQ(nullptr, table.Find(std::string_view("z")));
  EXPECT_EQ(3, *table.Find(std::string_view("z\0z", 3)));
}

TEST(HashedTableTest, ClearForgetsEverything) {
  CHashedTable<uint64_t, int> table;
  for (uint64_t i = 0; i < 100; ++i) table.FindOrAdd(i) = 1;
  table.Clear();
  EXPECT_EQ(nullptr, table.Find(uint64_t{5}));
  table.FindOrAdd(5) = 2;
  EXPECT_EQ(2, *table.Find(uint64_t{5}));
  EXPECT_EQ(1u, table.Size());
}

}  // namespace
