// The operations of kestrin query: every slot reachable by name and number, arguments read by
// their type, answers as JSON.
#include <gtest/gtest.h>

#include <set>

#include "Operations.h"

namespace {

// Every slot once, in order, by name and by number (the tool's own list walks them all).
TEST(OperationsTest, EverySlotOnceInOrderByNameAndNumber) {
  const std::vector<Operation>& operations = Operations();
  ASSERT_EQ(62u, operations.size());
  std::set<std::string> names;
  for (size_t i = 0; i < operations.size(); ++i) {
    const Operation& op = operations[i];
    EXPECT_TRUE(op.nSlot == static_cast<int>(i) + 1 && names.insert(op.pszName).second &&
                FindOperation(op.pszName) == &op && FindOperation(std::to_string(op.nSlot)) == &op)
        << op.pszName;
  }
  EXPECT_STREQ("SetListenerPos", FindOperation("16")->pszName);
  EXPECT_STREQ("SetListenerPosRef", FindOperation("17")->pszName);
  for (const char* pszNone : {"Create", "0", "63", "getlookscale"})
    EXPECT_EQ(nullptr, FindOperation(pszNone)) << pszNone;
}

TEST(OperationsTest, ArgumentsAreReadByTheirType) {
  const struct {
    ArgType type;
    const char* pszText;
    bool bParsed;
    int64_t nNumber;
  } cases[] = {
      {ArgType::UInt32, "4294967295", true, 4294967295},
      {ArgType::UInt32, "-1", true, -1},  // the 32-bit pattern of 4294967295
      {ArgType::UInt32, "0x10", true, 16},
      {ArgType::UInt32, "4294967296", false, 0},
      {ArgType::UInt32, "-2147483649", false, 0},
      {ArgType::UInt32, "12x", false, 0},
      {ArgType::UInt32, "", false, 0},
      {ArgType::Int32, "-2147483648", true, INT32_MIN},
      {ArgType::Int32, "2147483648", false, 0},
      {ArgType::Int32, "+7", true, 7},
      {ArgType::Int64, "-9223372036854775808", true, INT64_MIN},
      {ArgType::Int64, "9223372036854775807", true, INT64_MAX},
      {ArgType::Int64, "9223372036854775808", false, 0},
      {ArgType::Bool, "true", true, 1},
      {ArgType::Bool, "0", true, 0},
      {ArgType::Bool, "yes", false, 0},
  };
  for (const auto& c : cases) {
    ArgValue value;
    std::string strError;
    bool bParsed = ParseArg({"arg", c.type}, c.pszText, value, strError);
    EXPECT_EQ(c.bParsed, bParsed) << c.pszText;
    if (bParsed) {
      EXPECT_EQ(c.nNumber, value.nNumber) << c.pszText;
    } else {
      EXPECT_NE(std::string::npos, strError.find("arg must be")) << c.pszText;
    }
  }
  ArgValue text;
  std::string strError;
  ASSERT_TRUE(ParseArg({"name", ArgType::Text}, "@null", text, strError));
  EXPECT_EQ(nullptr, text.Text());
  ASSERT_TRUE(ParseArg({"name", ArgType::Text}, "hit", text, strError));
  EXPECT_STREQ("hit", text.Text());
}

TEST(OperationsTest, GbkTextsShowAsUtf8AndOtherBytesAsHex) {
  const struct {
    const char* pszGbk;
    const char* pszShown;
  } cases[] = {
      {"plain", "plain"},
      {"\xB1\xB1\xB7\xBD", "\u5317\u65B9"},           // two GBK characters
      {"\xA1\xEF-x", "\u2605-x"},                     // a GBK symbol before ASCII
      {"\xB1\xB1\xFF\xB7\xBD", "\u5317\\xff\u65B9"},  // 0xFF is never GBK
      {"\x80", "\\x80"},                              // nor 0x80 alone
      {"\xB1-\xB1", "\\xb1-\\xb1"},                   // a lead byte without its pair
      {"caf\xC3\xA9", "caf\u8305"},  // UTF-8 read as the GBK it is taken for: visibly wrong
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.pszShown, ReadableText(c.pszGbk)) << c.pszShown;
    EXPECT_EQ(Json(c.pszShown), JsonText(c.pszGbk)) << c.pszShown;
  }
  EXPECT_TRUE(JsonText(static_cast<const char*>(nullptr)).is_null());
  const char achFull[4] = {'a', 'b', 'c', 'd'};  // a field without a terminator stops at its end
  EXPECT_EQ(Json("abcd"), JsonChars(achFull));
  const char achShort[4] = {'a', '\0', 'c', 'd'};
  EXPECT_EQ(Json("a"), JsonChars(achShort));
  EXPECT_EQ(Json(0.1), JsonFloat(0.1f));
  EXPECT_EQ(Json(1.25), JsonFloat(1.25f));
}

}  // namespace
