// The loaders' text helpers against the foundation calls whose results they stand in for, over
// many generated lines: blanks of every kind, comments, GBK double-byte characters (also with
// a blank or a comment sign as second byte), zero bytes and long lines.
#include "TableText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ZorCommon.h"
#include "ZorIni.h"

namespace {

// Lines made of the bytes that matter to the helpers, seeded so every run sees the same ones.
std::vector<std::string> GeneratedLines(size_t nCount, size_t nMaxLength, bool bZeros) {
  static const char PIECES[] = {' ',  '\t', '\r', '\n', '\v', '\f', ';', '/', '=', ']',
                                'a',  'K',  '1',  '[',  '\x81', '\xB0', '\xFE', '\xFF',
                                '\x80', '\x7F', '\0'};
  size_t nPieces = sizeof(PIECES) - (bZeros ? 0 : 1);
  std::vector<std::string> lines;
  uint32_t nRandom = 12345;
  auto Next = [&nRandom]() {
    nRandom = nRandom * 1103515245u + 12345u;
    return nRandom >> 8;
  };
  for (size_t n = 0; n < nCount; ++n) {
    std::string str;
    size_t nLength = Next() % (nMaxLength + 1);
    for (size_t i = 0; i < nLength; ++i) {
      // Mostly ordinary letters, as lines are, with the special bytes sprinkled in.
      str.push_back(Next() % 3 == 0 ? PIECES[Next() % nPieces] : static_cast<char>('a' + Next() % 26));
    }
    lines.push_back(str);
  }
  return lines;
}

TEST(TableTextTest, TrimSettingLineLeavesWhatTheTwoTrimmersLeave) {
  for (const std::string& strLine : GeneratedLines(20000, 40, false)) {
    std::string strC = strLine;
    ZorGameBase::TrimLineHead(strC.data());
    ZorGameBase::TrimLineTail(strC.data());
    ASSERT_EQ(std::string(strC.c_str()), std::string(TrimSettingLine(strLine))) << strLine;
  }
}

TEST(TableTextTest, FindCharGbkFindsWhatZorStrChrFinds) {
  for (const std::string& strLine : GeneratedLines(20000, 30, false)) {
    for (char ch : {'=', ']'}) {
      const char* pC = ZorGameBase::ZorStrChr(strLine.c_str(), static_cast<unsigned char>(ch));
      const char* pView = FindCharGbk(strLine, ch);
      ASSERT_EQ(pC == nullptr ? -1 : pC - strLine.c_str(), pView == nullptr ? -1 : pView - strLine.data())
          << strLine;
    }
  }
}

TEST(TableTextTest, LinePiecesAreTheFgetsPieces) {
  std::string strText;
  for (const std::string& strLine : GeneratedLines(3000, 70, true)) strText += strLine + "\n";
  strText += "last line without a line feed";
  for (size_t nCount : {2u, 5u, 64u, 1024u}) {
    ZorGameBase::CTextScan scan(strText);
    CLinePieces pieces(strText, nCount);
    std::string_view expected;
    std::string_view piece;
    while (scan.LinePiece(expected, nCount)) {
      ASSERT_TRUE(pieces.Next(piece)) << nCount;
      ASSERT_EQ(expected, piece) << nCount;
    }
    EXPECT_FALSE(pieces.Next(piece)) << nCount;
  }
}

TEST(TableTextTest, BufferLinesAreTheLinesOfReadBufferLine) {
  std::string strText;
  for (const std::string& strLine : GeneratedLines(3000, 70, true)) strText += strLine + "\r\n";
  strText += std::string(40, 'x') + "\n" + "end";
  for (unsigned nOutSize : {1u, 8u, 41u, 42u, 1024u}) {
    std::vector<char> out(nOutSize);
    unsigned nPosition = 0;
    CBufferLines lines(strText.data(), strText.size(), nOutSize);
    std::string_view line;
    for (;;) {
      bool bExpected = ZorGameBase::ReadBufferLine(strText.data(), static_cast<unsigned>(strText.size()),
                                                   nPosition, out.data(), nOutSize);
      ASSERT_EQ(bExpected, lines.Next(line)) << nOutSize << " at " << nPosition;
      if (!bExpected) break;
      ASSERT_EQ(std::string(out.data()), std::string(line)) << nOutSize;
    }
  }
}

TEST(TableTextTest, WordsAreTheScanfWordsCutAt1023) {
  std::string strText = "  a\tbb\n" + std::string(2500, 'w') + std::string(" c\0d e f\0g", 11);
  CWordStream words(strText);
  std::vector<std::string> found;
  for (std::string_view word; words.Next(word);) found.emplace_back(word);
  const std::vector<std::string> expected = {"a", "bb", std::string(1023, 'w'), std::string(1023, 'w'),
                                             std::string(454, 'w'), "c", "e", "f"};
  EXPECT_EQ(expected, found);
}

}  // namespace
