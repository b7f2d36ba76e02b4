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

// Texts shaped like numbers and like near-numbers: signs, points, exponents, long digit runs,
// values past the limits, hexadecimal and words.
std::vector<std::string> NumberTexts() {
  std::vector<std::string> texts = {
      "0", "-0", "+7", "1.5", "-.5", ".", "-.", "+.", "1e", "1e+", "2E-3", "1.5e2x", "007", "00x1",
      "0x1p3", "0X10", "inf", "-INF", "nan", "infinity", "1e39", "-1e39", "1e-46", "1.4e-45",
      "3.4028235e38", "3.4028236e38", "9223372036854775807", "9223372036854775808",
      "-9223372036854775808", "-9223372036854775809", "99999999999999999999999", "+-1", "--1",
      "12abc", "1.17549435e-38", "0.1", "0.30000001", "123456789012345678901234567890.5",
      "-000000000000000000000000000000000001"};
  uint32_t nRandom = 99;
  auto Next = [&nRandom]() {
    nRandom = nRandom * 1103515245u + 12345u;
    return nRandom >> 8;
  };
  static const char CHARS[] = "0123456789012345678901234567890123456789.-+eE";
  for (int n = 0; n < 20000; ++n) {
    std::string str;
    size_t nLength = 1 + Next() % 24;
    for (size_t i = 0; i < nLength; ++i) str.push_back(CHARS[Next() % (sizeof(CHARS) - 1)]);
    texts.push_back(str);
  }
  return texts;
}

// The integer rule of the ini fields, spelt with the runtime's conversions: "0" not followed by
// x is decimal, else strtoll's base detection; saturated to 32 bits. Unsigned: the magnitude,
// saturated, a minus sign negating it modulo 2^32.
int32_t ExpectedInteger(const char* psz) {
  const char* p = psz;
  while (*p != '\0' && strchr(" \t\n\v\f\r", *p) != nullptr) ++p;
  int nBase = p[0] == '0' && p[1] != 'x' && p[1] != 'X' ? 10 : 0;
  long long nValue = strtoll(psz, nullptr, nBase);
  return nValue > INT32_MAX ? INT32_MAX : nValue < INT32_MIN ? INT32_MIN : static_cast<int32_t>(nValue);
}
uint32_t ExpectedUnsigned(const char* psz) {
  const char* p = psz;
  while (*p != '\0' && strchr(" \t\n\v\f\r", *p) != nullptr) ++p;
  int nBase = p[0] == '0' && p[1] != 'x' && p[1] != 'X' ? 10 : 0;
  bool bNegative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  if (*p == '+' || *p == '-' || (*p != '\0' && strchr(" \t\n\v\f\r", *p) != nullptr)) return 0;
  unsigned long long nMagnitude = strtoull(p, nullptr, nBase);
  if (nMagnitude > 0xFFFFFFFFull) return UINT32_MAX;
  uint32_t nValue = static_cast<uint32_t>(nMagnitude);
  return bNegative ? 0u - nValue : nValue;
}

TEST(ZorIniIntegerTest, IntegerFieldsFollowTheIniRule) {
  std::vector<std::string> texts = {"0x1F", "-0x1F", "+0X10", "010", "-010", "0", "-0", "08",
                                    "-08", "0x", "-0x", "0xG", " \t-12", "4294967296",
                                    "-4294967296", "99999999999", "-2147483648", "2147483648",
                                    "0x7FFFFFFF", "0x80000000", "-", "+", "abc", "0 12", "--1"};
  uint32_t nRandom = 7;
  static const char CHARS[] = "0123456789012345678901234567890123456789-+xXabF ";
  for (int n = 0; n < 20000; ++n) {
    std::string str;
    size_t nLength = 1 + (nRandom = nRandom * 1103515245u + 12345u) % 14;
    for (size_t i = 0; i < nLength; ++i) {
      nRandom = nRandom * 1103515245u + 12345u;
      str.push_back(CHARS[(nRandom >> 8) % (sizeof(CHARS) - 1)]);
    }
    texts.push_back(str);
  }
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
