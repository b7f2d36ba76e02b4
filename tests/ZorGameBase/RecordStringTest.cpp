// The record string: texts of every length kept exactly, read through the bytes of the
// Microsoft std::string layout, and copies and moves that own their storage.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "RecordString.h"

namespace {

// What a client of that layout reads: the text in the buffer while the capacity word is below
// 16, else through the pointer in its place; then the size and the capacity.
struct ClientView {
  const char* pszText;
  size_t nSize;
  size_t nCapacity;
};
ClientView Read(const CRecordString& str) {
  const unsigned char* pBytes = reinterpret_cast<const unsigned char*>(&str);
  ClientView view;
  memcpy(&view.nSize, pBytes + 16, sizeof(size_t));
  memcpy(&view.nCapacity, pBytes + 16 + sizeof(size_t), sizeof(size_t));
  if (view.nCapacity < 16) {
    view.pszText = reinterpret_cast<const char*>(pBytes);
  } else {
    memcpy(&view.pszText, pBytes, sizeof(char*));
  }
  return view;
}

TEST(RecordStringTest, ClientReadsEveryLengthThroughTheLayout) {
  for (size_t nLength : {0u, 1u, 15u, 16u, 259u}) {
    std::string strText(nLength, 'a');
    if (nLength > 0) strText[nLength - 1] = 'z';
    CRecordString str(strText.data(), strText.size());
    ClientView view = Read(str);
    EXPECT_EQ(strText, view.pszText) << nLength;
    EXPECT_EQ(nLength, view.nSize) << nLength;
    EXPECT_EQ(nLength < 16 ? 15u : nLength, view.nCapacity) << nLength;
    EXPECT_TRUE(str == strText.c_str()) << nLength;
  }
  EXPECT_TRUE(CRecordString(nullptr).empty());
  CRecordString zero("ab\0c", 4);  // bytes after a zero byte are kept
  EXPECT_EQ(4u, zero.size());
  EXPECT_EQ('c', zero.c_str()[3]);
}

// Each copy owns its text; a moved-from string is empty; assigning a string its own text
// (short or long) keeps it.
TEST(RecordStringTest, CopiesAndMovesOwnTheirText) {
  for (const char* pszText : {"short", "a text longer than the buffer"}) {
    CRecordString str(pszText);
    CRecordString copy(str);
    EXPECT_NE(str.c_str(), copy.c_str());
    CRecordString moved(std::move(copy));
    EXPECT_TRUE(copy.empty());
    EXPECT_TRUE(moved == str);
    CRecordString& self = moved;
    moved = self;
    moved = std::move(self);
    EXPECT_STREQ(pszText, moved.c_str());
    copy = str;
    str = "x";
    EXPECT_STREQ(pszText, copy.c_str());
    EXPECT_TRUE(copy != str);
  }
}

// Long texts placed in an arena read as any other; their strings leave the arena's room to the
// arena (freeing it would abort), and a copy has a block of its own.
TEST(RecordStringTest, ArenaTextsReadThroughTheLayoutAndStayTheArenas) {
  CRecordTextArena arena;
  std::vector<CRecordString> strings;
  strings.reserve(4);
  for (size_t nLength : {3u, 16u, 259u, 20000u}) {
    std::string strText(nLength, 'b');
    strText[nLength - 1] = 'z';
    strings.emplace_back(strText.data(), strText.size(), arena);
    ClientView view = Read(strings.back());
    EXPECT_EQ(strText, view.pszText) << nLength;
    EXPECT_EQ(nLength, view.nSize) << nLength;
    EXPECT_EQ(nLength < 16 ? 15u : nLength + 1, view.nCapacity) << nLength;
  }
  CRecordString copy(strings[2]);
  EXPECT_NE(strings[2].c_str(), copy.c_str());
  CRecordString moved(std::move(strings[3]));
  EXPECT_EQ(20000u, moved.size());
  strings.clear();
  EXPECT_EQ(Read(copy).nSize, Read(copy).nCapacity);
  EXPECT_EQ('z', copy.c_str()[258]);
}

}  // namespace
