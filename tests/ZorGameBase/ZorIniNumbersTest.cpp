// The reader's own 64-bit and floating-point conversions against the runtime's strtoll and
// strtof, which the field and key readers stand in for, over many generated number texts.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ModuleFixture.h"
#include "ZorIni.h"

using ZorGameBase::CZorIni;

namespace {

class ZorIniNumbersTest : public TempFolderTest {};

// The listed texts, then 20000 generated ones of 1 to nMaxLength characters from the set.
std::vector<std::string> WithGenerated(std::vector<std::string> texts, uint32_t nRandom,
                                       const std::string& strChars, uint32_t nMaxLength) {
  auto Next = [&nRandom]() { return (nRandom = nRandom * 1103515245u + 12345u) >> 8; };
  for (int n = 0; n < 20000; ++n) {
    std::string str;
    for (size_t i = 1 + Next() % nMaxLength; i > 0; --i) str += strChars[Next() % strChars.size()];
    texts.push_back(str);
  }
  return texts;
}

// Texts shaped like numbers and like near-numbers: signs, points, exponents, long digit runs,
// values past the limits, hexadecimal and words.
std::vector<std::string> NumberTexts() {
  return WithGenerated({
      "0", "-0", "+7", "1.5", "-.5", ".", "-.", "+.", "1e", "1e+", "2E-3", "1.5e2x", "007", "00x1",
      "0x1p3", "0X10", "inf", "-INF", "nan", "infinity", "1e39", "-1e39", "1e-46", "1.4e-45",
      "3.4028235e38", "3.4028236e38", "9223372036854775807", "9223372036854775808",
      "-9223372036854775808", "-9223372036854775809", "99999999999999999999999", "+-1", "--1",
      "12abc", "1.17549435e-38", "0.1", "0.30000001", "123456789012345678901234567890.5",
      "-000000000000000000000000000000000001"},
      99, "0123456789012345678901234567890123456789.-+eE", 24);
}

// The integer rule of the ini fields, spelt with the runtime's conversions: "0" not followed by
// x is decimal, else strtoll's base detection; saturated to 32 bits. Unsigned: the magnitude,
// saturated, a minus sign negating it modulo 2^32.
const char* SkipSpace(const char* p) {
  while (*p != '\0' && strchr(" \t\n\v\f\r", *p) != nullptr) ++p;
  return p;
}
int BaseOf(const char* p) { return p[0] == '0' && p[1] != 'x' && p[1] != 'X' ? 10 : 0; }
int32_t ExpectedInteger(const char* psz) {
  long long nValue = strtoll(psz, nullptr, BaseOf(SkipSpace(psz)));
  return nValue > INT32_MAX ? INT32_MAX : nValue < INT32_MIN ? INT32_MIN : static_cast<int32_t>(nValue);
}
uint32_t ExpectedUnsigned(const char* psz) {
  const char* p = SkipSpace(psz);
  int nBase = BaseOf(p);
  bool bNegative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  if (*p == '+' || *p == '-' || SkipSpace(p) != p) return 0;
  unsigned long long nMagnitude = strtoull(p, nullptr, nBase);
  if (nMagnitude > 0xFFFFFFFFull) return UINT32_MAX;
  uint32_t nValue = static_cast<uint32_t>(nMagnitude);
  return bNegative ? 0u - nValue : nValue;
}

TEST(ZorIniIntegerTest, IntegerFieldsFollowTheIniRule) {
  const std::vector<std::string> texts = WithGenerated(
      {"0x1F", "-0x1F", "+0X10", "010", "-010", "0", "-0", "08", "-08", "0x", "-0x", "0xG",
       " \t-12", "4294967296", "-4294967296", "99999999999", "-2147483648", "2147483648",
       "0x7FFFFFFF", "0x80000000", "-", "+", "abc", "0 12", "--1"},
      7, "0123456789012345678901234567890123456789-+xXabF ", 14);
  for (const std::string& str : texts) {
    ASSERT_EQ(ExpectedInteger(str.c_str()), ZorGameBase::ParseIniInteger(str.c_str())) << str;
    ASSERT_EQ(ExpectedUnsigned(str.c_str()), ZorGameBase::ParseIniUnsigned(str.c_str())) << str;
  }
}

TEST_F(ZorIniNumbersTest, SixtyFourBitAndFloatFieldsConvertAsStrtollAndStrtof) {
  std::vector<std::string> texts = NumberTexts();
  std::string strText;
  for (const std::string& str : texts) strText += str + " " + str + "\n";
  Write("n.ini", strText);
  CZorIni ini;
  ASSERT_TRUE(ini.Open("n.ini", false));
  for (const std::string& str : texts) {
    int64_t n64 = 0;
    float f = 0.0f;
    ASSERT_TRUE(ini.ReadFields(ZorGameBase::INI_INT64, &n64, ZorGameBase::INI_FLOAT, &f,
                               ZorGameBase::INI_END))
        << str;
    ASSERT_EQ(strtoll(str.c_str(), nullptr, 10), n64) << str;
    float fExpected = strtof(str.c_str(), nullptr);
    ASSERT_EQ(0, memcmp(&fExpected, &f, sizeof(f))) << str << " " << fExpected << " " << f;
  }
}

TEST_F(ZorIniNumbersTest, FloatKeysConvertAsStrtof) {
  std::vector<std::string> texts = NumberTexts();
  std::string strText;
  for (size_t i = 0; i < texts.size(); ++i) strText += "[" + std::to_string(i) + "]\nF= " + texts[i] + "\n";
  Write("f.ini", strText);
  CZorIni ini;
  ASSERT_TRUE(ini.Open("f.ini", false));
  for (const std::string& str : texts) {
    ASSERT_TRUE(ini.ReadSection());
    float f = 0.0f;
    ASSERT_TRUE(ini.ReadFloat("F", f)) << str;
    float fExpected = strtof(str.c_str(), nullptr);
    ASSERT_EQ(0, memcmp(&fExpected, &f, sizeof(f))) << str;
  }
}

}  // namespace
