// Tests of the number texts of MCI commands and of WholeNumber.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "mci/NumberText.h"

namespace kvs {
namespace {

using testing::PrintToString;

TEST(DecimalTextTest, WritesPlainAndBlankLedDecimals) {
  struct Row {
    std::int32_t value;
    std::u16string plain;
    std::u16string blankLed;
  };
  const Row rows[] = {
      {0, u"0", u" 0"},
      {5, u"5", u" 5"},
      {320, u"320", u" 320"},
      {-1, u"-1", u"-1"},  // a negative value has its sign and no blank
      {-5, u"-5", u"-5"},
      {std::numeric_limits<std::int32_t>::max(), u"2147483647", u" 2147483647"},
      {std::numeric_limits<std::int32_t>::min(), u"-2147483648", u"-2147483648"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.value);
    EXPECT_EQ(PlainDecimal(row.value), row.plain);
    EXPECT_EQ(BlankLedDecimal(row.value), row.blankLed);
  }
}

TEST(WholeNumberTest, ReadsADecimalThatIsTheWholeText) {
  struct Row {
    std::u16string text;
    double value;
  };
  const Row rows[] = {
      {u"180", 180},   {u"0", 0},
      {u"007", 7},     {u" 180 ", 180},
      {u"\t42\t", 42}, {u"+7", 7},
      {u"-7", -7},     {u"179.75", 179.75},
      {u"5.", 5},      {u".5", 0.5},
      {u"-.5", -0.5},  {u"9" + std::u16string(400, u'9'), std::numeric_limits<double>::infinity()},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(PrintToString(row.text));
    EXPECT_EQ(WholeNumber(row.text), row.value);
  }
}

TEST(WholeNumberTest, RejectsEveryOtherText) {
  const std::u16string rows[] = {
      u"",
      u" ",
      u"\t",
      u"abc",
      u"180x",
      u"x180",
      u"1 2",  // a second number
      u"1 .5",
      u"5 .",
      u"1e5",  // no exponents
      u"1E5",
      u"1d5",
      u".",
      u"+",
      u"-",
      u"+-5",
      u"- 5",
      u"5-",
      u"1,5",
      u"1.2.3",
      std::u16string(u"18\0"
                     u"0",
                     4),  // a NUL inside
      std::u16string(u"180\0", 4),
      u"\n180",  // only spaces and tabs count as blanks
      u"180\r",
      u"\u00A0"
      u"180",
      u"&H10",
      u"0x10",
      u"inf",
      u"nan",
      u"\uFF11\uFF18\uFF10",  // full-width digits
  };
  for (const std::u16string& text : rows) {
    SCOPED_TRACE(PrintToString(text));
    EXPECT_EQ(WholeNumber(text), std::nullopt);
  }
}

}  // namespace
}  // namespace kvs
