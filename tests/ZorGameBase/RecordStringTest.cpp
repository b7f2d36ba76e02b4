// The record string: texts of every length kept exactly, read through the bytes of the
// Microsoft std::string layout, and copies and moves that own their storage.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

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

}  // namespace
