// The containers behind the tables: the hashed table, its loads, the name arena and the list
// of records that never move.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "HashedTable.h"

namespace {

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
  ASSERT_EQ(2u, table.Size());
  EXPECT_EQ("first", table.EntryAt(0).value);
  EXPECT_EQ("last", table.EntryAt(1).value);
}

// A load that appends many entries, some keys twice, enters each key once: the last value of a
// key stands (and keeps the address the key had before the load), and every key is found.
TEST(HashedTableTest, AppendedEntriesAreEnteredAsIfOneAfterTheOther) {
  for (uint64_t nCount : {10u, 5000u, 120000u}) {  // below and above the batch that is sorted
    CHashedTable<uint64_t, uint64_t> table;
    table.FindOrAdd(uint64_t{3}) = 1000;
    const uint64_t* pThree = table.Find(uint64_t{3});
    for (uint64_t i = 0; i < nCount; ++i) {
      table.Append(i * 7) = i;
      if (i % 3 == 0) table.Append(i * 7) = i + 1;  // the next line repeats the key
    }
    EXPECT_EQ(nullptr, table.Find(uint64_t{7})) << "appended entries wait for the index";
    table.IndexAppended([](uint64_t& nKept, uint64_t& nAdded) { nKept = nAdded; });
    ASSERT_EQ(nCount + 1, table.Size()) << nCount;
    EXPECT_EQ(pThree, table.Find(uint64_t{3}));
    for (uint64_t i = 0; i < nCount; ++i) {
      const uint64_t* pValue = table.Find(i * 7);
      ASSERT_NE(nullptr, pValue) << i;
      ASSERT_EQ(i % 3 == 0 ? i + 1 : i, *pValue) << i;
      ASSERT_EQ(nullptr, table.Find(i * 7 + 1)) << i;
      ASSERT_EQ(i * 7, table.EntryAt(i + 1).key) << "entries keep the order of their keys";
    }
  }
}

TEST(HashedTableTest, NamesAreCopiedAndStayWhereTheyAre) {
  CNameArena names;
  std::string strLong(70000, 'x');
  const char* pszShort = names.Add("short");
  const char* pszLong = names.Add(strLong);
  const char* pszAfter = names.Add(std::string_view("a\0b", 3));
  EXPECT_STREQ("short", pszShort);
  EXPECT_EQ(strLong, pszLong);
  EXPECT_EQ(0, memcmp("a\0b", pszAfter, 4));
  CNameArena::Mark mark = names.GetMark();
  for (int i = 0; i < 5000; ++i) names.Add("filler filler filler");
  names.Rollback(mark);
  EXPECT_STREQ("short", pszShort);
  EXPECT_STREQ("next", names.Add("next"));
}

TEST(HashedTableTest, NamesOfEveryShortLengthAreCopiedAndFoundByEveryByte) {
  CNameArena names;
  CNamedTable<int> table;
  std::string strText;
  std::vector<std::pair<std::string, const char*>> vecCopies;
  for (int nLength = 0; nLength <= 40; ++nLength) {
    strText.assign(static_cast<size_t>(nLength), '\0');
    for (int i = 0; i < nLength; ++i) strText[static_cast<size_t>(i)] = static_cast<char>('A' + (nLength + i) % 50);
    vecCopies.emplace_back(strText, names.Add(strText));
    // The same length with one byte changed, at each place: another name.
    table.Add(strText) = nLength * 100;
    for (int i = 0; i < nLength; ++i) {
      std::string strOther = strText;
      strOther[static_cast<size_t>(i)] = '#';
      table.Add(strOther) = nLength * 100 + i + 1;
    }
  }
  table.EndLoad();
  for (const auto& copy : vecCopies) {
    EXPECT_EQ(copy.first, std::string(copy.second)) << "a later copy wrote over an earlier one";
    int nLength = static_cast<int>(copy.first.size());
    const int* pValue = table.Find(copy.first);
    ASSERT_NE(nullptr, pValue) << nLength;
    EXPECT_EQ(nLength * 100, *pValue);
    for (int i = 0; i < nLength; ++i) {
      std::string strOther = copy.first;
      strOther[static_cast<size_t>(i)] = '#';
      pValue = table.Find(strOther);
      ASSERT_NE(nullptr, pValue) << nLength << " " << i;
      EXPECT_EQ(nLength * 100 + i + 1, *pValue);
    }
  }
  EXPECT_EQ(1u + 40u * 41u / 2u + 40u, table.Size());
}

}  // namespace
