// Tests of the MCI reply readers: NextWord, LeadingNumber, RoundToInt16, Larger.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>
#include <string>

#include "mci/ReplyText.h"

namespace kvs {
namespace {

using testing::PrintToString;

constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(NextWordTest, SplitsOneWordPerCall) {
  struct Row {
    std::u16string before;
    std::u16string word;
    std::u16string after;
  };
  const Row rows[] = {
      {u"", u"", u""},
      {u"abc", u"abc", u""},
      {u"abc def", u"abc ", u"def"},  // the word keeps the space that ended it
      {u"abc ", u"abc ", u""},
      {u" abc", u" ", u"abc"},
      {u"a  b", u"a ", u" b"},  // each further space is a word of its own
      {u"stop.", u"stop", u"."},
      {u".", u".", u""},  // one character stays whole, even a mark
      {u"ab.", u"ab", u"."},
      {u"wait, go", u"wait, ", u"go"},  // a mark before a space stays in its word
      {u"why?!", u"why?", u"!"},        // only one mark moves
      {u".,", u".", u","},
      {u"a;", u"a;", u""},                // ';' is no movable mark
      {u"a\tb\nc d", u"a\tb\nc ", u"d"},  // only the space ends a word
      {std::u16string(u"24\0 x", 5), std::u16string(u"24\0 ", 4), u"x"},  // so does not NUL
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(PrintToString(row.before));
    std::u16string text = row.before;
    EXPECT_EQ(NextWord(text), row.word);
    EXPECT_EQ(text, row.after);
  }
}

TEST(NextWordTest, MovedMarkIsTheNextWord) {
  std::u16string text = u"stop.";
  EXPECT_EQ(NextWord(text), u"stop");
  EXPECT_EQ(NextWord(text), u".");
  EXPECT_EQ(text, u"");
  EXPECT_EQ(NextWord(text), u"");
}

TEST(NextWordTest, SplitsARectangleReplyInFourCalls) {
  std::u16string text = u"0 0 320 240";
  EXPECT_EQ(NextWord(text), u"0 ");
  EXPECT_EQ(NextWord(text), u"0 ");
  EXPECT_EQ(NextWord(text), u"320 ");
  EXPECT_EQ(NextWord(text), u"240");
  EXPECT_EQ(text, u"");
}

// The reply buffer is filled up with spaces behind the NUL that ends the
// reply, so the last word carries the NUL and a space; the number stops at it.
TEST(NextWordTest, ReadsWidthAndHeightFromAPaddedReplyBuffer) {
  std::u16string reply(u"0 0 320 240\0", 12);
  reply.resize(128, u' ');
  NextWord(reply);
  NextWord(reply);
  const std::u16string widthWord = NextWord(reply);
  const std::u16string heightWord = NextWord(reply);
  EXPECT_EQ(heightWord, std::u16string(u"240\0 ", 5));
  EXPECT_EQ(RoundToInt16(LeadingNumber(widthWord)), 320);
  EXPECT_EQ(RoundToInt16(LeadingNumber(heightWord)), 240);
}

TEST(LeadingNumberTest, ReadsTheNumberAtTheStart) {
  struct Row {
    std::u16string text;
    double value;
  };
  const Row rows[] = {
      {u"320 ", 320},
      {std::u16string(u"240\0 7", 6), 240},  // a NUL ends the number
      {std::u16string(u"\0"
                      u"5",
                      2),
       0},
      {u"  42", 42},
      {u"1 2", 12},  // blanks are skipped inside the number too
      {u"\t1\n2\t", 12},
      {u" - 3", -3},
      {u"\r7", 0},  // a carriage return is not skipped
      {u"12.5x", 12.5},
      {u"-3", -3},
      {u"+4", 4},
      {u"1,5", 1},  // the comma is no decimal separator
      {u"1.2.3", 1.2},
      {u"", 0},
      {u" ", 0},
      {u"abc", 0},
      {u"-", 0},
      {u".", 0},
      {u"+.5", 0.5},
      {u"5.", 5},
      {u"--3", 0},
      {u"1-2", 1},
      {u"00012", 12},
      {u"0.1", 0.1},
      {u"123456789012345678901234567890", 123456789012345678901234567890.0},
      {u"2E3", 2000},
      {u"2e3", 2000},
      {u"2D3", 2000},
      {u"2d-1", 0.2},
      {u"1.5e+2x", 150},
      {u"1 e 3", 1000},
      {u"1e", 1},  // a marker without digits is not read
      {u"1e+", 1},
      {u"1e-x", 1},
      {u"1f3", 1},
      {u"1e5e6", 100000},
      {u"&H10", 0},  // no hexadecimal or octal forms
      {u"0x10", 0},
      {u"\uFF11", 0},  // only ASCII digits
      {u"1.7976931348623157e308", std::numeric_limits<double>::max()},
      {u"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
      {u"1.8e308", kInfinity},  // too large: infinity
      {u"-1e400", -kInfinity},
      {u"1e99999999999999999999999", kInfinity},
      {u"1" + std::u16string(400, u'0'), kInfinity},
      {u"2e-324", 0},  // too small: zero
      {u"1e-99999999999999999999999", 0},
      {u"0." + std::u16string(400, u'0') + u"1e400", 0.1},
      {u"0e99999", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(PrintToString(row.text));
    EXPECT_EQ(LeadingNumber(row.text), row.value);
  }
}

TEST(LeadingNumberTest, GivesNoNegativeZero) {
  EXPECT_FALSE(std::signbit(LeadingNumber(u"-0")));
  EXPECT_FALSE(std::signbit(LeadingNumber(u"-1e-400")));
}

TEST(RoundToInt16Test, RoundsHalfToEvenWithinRange) {
  struct Row {
    double value;
    std::optional<std::int16_t> result;
  };
  const Row rows[] = {
      {0.5, 0},
      {1.5, 2},
      {2.5, 2},
      {3.5, 4},
      {-2.5, -2},
      {-0.5, 0},
      {-1.5, -2},
      {0.49999999999999994, 0},  // floor(x + 0.5) would give 1
      {2.5000000000000004, 3},
      {-2.4, -2},
      {32767.4, 32767},
      {-32768.5, -32768},
      {32767.5, std::nullopt},
      {-32768.6, std::nullopt},
      {32768, std::nullopt},
      {-32769, std::nullopt},
      {4503599627370497.0, std::nullopt},
      {kInfinity, std::nullopt},
      {-kInfinity, std::nullopt},
      {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.value);
    EXPECT_EQ(RoundToInt16(row.value), row.result);
  }
}

// A rounding built on the current rounding mode (rint, nearbyint) would
// follow it; the halves must go to the even neighbour in every mode.
TEST(RoundToInt16Test, IgnoresTheFloatingPointRoundingMode) {
  const int savedMode = std::fegetround();
  for (const int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    SCOPED_TRACE(mode);
    ASSERT_EQ(std::fesetround(mode), 0);
    EXPECT_EQ(RoundToInt16(2.5), 2);
    EXPECT_EQ(RoundToInt16(3.5), 4);
    EXPECT_EQ(RoundToInt16(-2.5), -2);
    EXPECT_EQ(RoundToInt16(1.4), 1);
    EXPECT_EQ(RoundToInt16(-1.6), -2);
  }
  std::fesetround(savedMode);
}

TEST(LargerTest, ReturnsTheSignedMaximum) {
  struct Row {
    std::int16_t a;
    std::int16_t b;
    std::int16_t larger;
  };
  const Row rows[] = {
      {5, 3, 5}, {3, 5, 5}, {0, -7, 0}, {-7, 0, 0}, {4, 4, 4}, {-32768, 32767, 32767},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.a << ", " << row.b);
    EXPECT_EQ(Larger(row.a, row.b), row.larger);
  }
}

}  // namespace
}  // namespace kvs
