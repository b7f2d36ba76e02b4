// The memory scanner against the formatted input it stands in for, with the shipping platform's
// results where glibc's formatted input differs ("%I64d" is no glibc conversion; glibc reads
// "inf", "nan" and hexadecimal floats and clamps an overflowing "%d"): fixed values, the same on
// every build.
#include "TextScan.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "ModuleFixture.h"

using ZorGameBase::CTextScan;

namespace {

struct IntCase {
  const char* pszText;
  bool bOk;
  int64_t nInt32;   // as "%d" stores it
  uint32_t nUInt32;  // as "%u" stores it
  const char* pszRest;
};

TEST(TextScanTest, IntegerConversions) {
  const IntCase cases[] = {
      {"42", true, 42, 42u, ""},          {"  -7x", true, -7, 4294967289u, "x"},
      {"+5.", true, 5, 5u, "."},          {"\n\t 010", true, 10, 10u, ""},
      {"4294967297", true, 1, 1u, ""},    {"2147483648", true, -2147483648LL, 2147483648u, ""},
      {"-", false, 0, 0u, "-"},           {"  x1", false, 0, 0u, "x1"},
      {"", false, 0, 0u, ""},
  };
  for (const IntCase& c : cases) {
    CTextScan scan32{std::string_view(c.pszText)}, scanU{std::string_view(c.pszText)};
    int32_t n32 = 0;
    uint32_t nU = 0;
    EXPECT_EQ(c.bOk, scan32.Int32(n32)) << c.pszText;
    EXPECT_EQ(c.bOk, scanU.UInt32(nU)) << c.pszText;
    if (c.bOk) {
      EXPECT_EQ(c.nInt32, n32) << c.pszText;
      EXPECT_EQ(c.nUInt32, nU) << c.pszText;
      EXPECT_EQ(c.pszRest, scan32.Rest()) << c.pszText;
    }
  }
}

TEST(TextScanTest, SixtyFourBitAndHexConversions) {
  CTextScan scan(std::string_view(" -9223372036854775808 12345678901 ff 0x1F -1"));
  int64_t n64a = 0, n64b = 0;
  uint32_t nHex[3] = {};
  ASSERT_TRUE(scan.Int64(n64a) && scan.Int64(n64b) && scan.Hex32(nHex[0]) &&
              scan.Hex32(nHex[1]) && scan.Hex32(nHex[2]));
  EXPECT_EQ(INT64_MIN, n64a);
  EXPECT_EQ(12345678901LL, n64b);
  EXPECT_EQ((std::vector<uint32_t>{0xFFu, 0x1Fu, 0xFFFFFFFFu}),
            (std::vector<uint32_t>{nHex[0], nHex[1], nHex[2]}));
}

struct FloatCase {
  const char* pszText;
  bool bOk;
  float fValue;
  const char* pszRest;
};

// The word search against the C locale's white space, for a byte below '!' that is white space
// or not at every place of texts long enough for the wide steps.
TEST(TextScanTest, FindSpaceStopsAtTheFirstWhiteSpaceOnly) {
  for (char chStop : {' ', '\t', '\n', '\r', '\x01', '\x1f', '\x80'}) {
    for (size_t nLength = 1; nLength <= 40; ++nLength) {
      for (size_t nAt = 0; nAt < nLength; ++nAt) {
        std::string text(nLength, 'w');
        text[nAt] = chStop;
        if (nAt + 3 < nLength) text[nAt + 3] = '\v';
        size_t nExpected = 0;
        while (nExpected < text.size() && !isspace(static_cast<unsigned char>(text[nExpected]))) ++nExpected;
        const char* pFound = CTextScan::FindSpace(text.data(), text.data() + text.size());
        EXPECT_EQ(nExpected, static_cast<size_t>(pFound - text.data())) << int(chStop) << " " << nLength << " " << nAt;
      }
    }
  }
}

TEST(TextScanTest, FloatConversions) {
  const FloatCase cases[] = {
      {"1.25", true, 1.25f, ""},      {"-.5x", true, -0.5f, "x"},   {"3.", true, 3.0f, ""},
      {"2e3", true, 2000.0f, ""},     {"2e", true, 2.0f, "e"},      {"2e+", true, 2.0f, "e+"},
      {"1E-2;", true, 0.01f, ";"},    {".", false, 0, "."},          {"inf", false, 0, "inf"},
      {"0x10", true, 0.0f, "x10"},    {"1e99", true, INFINITY, ""}, {"1e-99", true, 0.0f, ""},
  };
  for (const FloatCase& c : cases) {
    CTextScan scan{std::string_view(c.pszText)};
    float f = -1.0f;
    EXPECT_EQ(c.bOk, scan.Float(f)) << c.pszText;
    if (c.bOk) {
      EXPECT_EQ(c.fValue, f) << c.pszText;
      EXPECT_EQ(c.pszRest, scan.Rest()) << c.pszText;
    }
  }
}

class ReadFileImageTest : public TempFolderTest {};

// Text mode joins line ends and stops at Ctrl-Z; a missing file or a folder fails. A file
// image ends in a zero byte.
TEST_F(ReadFileImageTest, TextOrBytesAndFailureWithoutAFile) {
  Write("ini/a.ini", std::string("a\r\nb\rc\r\n\x1A" "after", 14));
  std::string image;
  ASSERT_TRUE(ZorGameBase::ReadFileImage("ini/a.ini", image, true));
  EXPECT_EQ("a\nb\rc\n", image);
  ASSERT_TRUE(ZorGameBase::ReadFileImage("ini/a.ini", image, false));
  EXPECT_EQ(14u, image.size());
  EXPECT_FALSE(ZorGameBase::ReadFileImage("ini/none.ini", image, true));
  EXPECT_TRUE(image.empty());
  Write("ini/dir/x", "");
  EXPECT_FALSE(ZorGameBase::ReadFileImage("ini/dir", image, true));
  EXPECT_FALSE(ZorGameBase::ReadFileImage(nullptr, image, true));
  ZorGameBase::CFileImage fileImage;
  ASSERT_TRUE(fileImage.Read("ini/a.ini", true));
  EXPECT_EQ("a\nb\rc\n", fileImage.View());
  EXPECT_EQ('\0', fileImage.Data()[fileImage.Size()]);  // behind the shortened text
}

// During a load, a large image's block serves the next large image that fits; each reads back
// exactly its own file, followed by a zero byte, whatever the block held before.
TEST_F(ReadFileImageTest, ALoadsImagesShareOneBlockAndReadBackExactly) {
  const size_t MB = size_t{1} << 20;
  const struct {
    size_t nBytes;
    char ch;
    bool bSameBlock;
  } files[] = {
      {3 * MB, 'a', false}, {MB + 5, 'b', true}, {3 * MB - 4096, 'c', true}, {4 * MB, 'd', false}};
  ZorGameBase::CImageReuse reuse;
  const char* pPrevious = nullptr;
  for (const auto& f : files) {
    std::string strText(f.nBytes, f.ch);
    strText.back() = '\n';
    Write("ini/t.ini", strText);
    ZorGameBase::CFileImage image;
    ASSERT_TRUE(image.Read("ini/t.ini", false)) << f.nBytes;
    EXPECT_TRUE(image.View() == strText) << f.nBytes;
    EXPECT_EQ('\0', image.Data()[image.Size()]) << f.nBytes;  // also in a block that held more
    if (f.bSameBlock) {
      EXPECT_EQ(pPrevious, image.Data()) << f.nBytes;
    }
    pPrevious = image.Data();
  }
}

}  // namespace
