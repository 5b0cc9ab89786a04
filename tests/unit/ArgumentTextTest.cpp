// Tests of the argument text, the mode key and the mode table.
#include <gtest/gtest.h>

#include <string>

#include "lifecycle/ArgumentText.h"

namespace kvs {
namespace {

using testing::PrintToString;

const char* NameOf(Mode mode) {
  switch (mode) {
    case Mode::Preview:
      return "Preview";
    case Mode::Run:
      return "Run";
    case Mode::Other:
      return "Other";
  }
  return "?";
}

TEST(ModeDispatchTest, CommandLineSelectsTheMode) {
  struct Row {
    std::u16string commandLine;
    std::u16string argument;
    Mode mode;
  };
  const Row rows[] = {
      {u"", u"", Mode::Other},
      {u"KVSsaver.scr", u"", Mode::Other},
      {u"KVSsaver.scr   ", u"", Mode::Other},
      {u"KVSsaver.scr /s", u"/s", Mode::Run},
      {u"KVSsaver.scr /S", u"/S", Mode::Run},
      {u"KVSsaver.scr /S 123", u"/S 123", Mode::Run},
      {u"KVSsaver.scr /sx", u"/sx", Mode::Run},  // only two characters count
      {u"KVSsaver.scr /p 1234", u"/p 1234", Mode::Preview},
      {u"KVSsaver.scr /P", u"/P", Mode::Preview},
      {u"KVSsaver.scr /c:1", u"/c:1", Mode::Other},
      {u"KVSsaver.scr -s", u"-s", Mode::Other},
      {u"KVSsaver.scr s", u"s", Mode::Other},
      {u"KVSsaver.scr /", u"/", Mode::Other},
      {u"KVSsaver.scr /x", u"/x", Mode::Other},
      {u"KVSsaver.scr / s", u"/ s", Mode::Other},
      {u"KVSsaver.scr /\u017F", u"/\u017F", Mode::Other},  // long s: ASCII upper-casing only
      {u"KVSsaver.scr /\uFF53", u"/\uFF53", Mode::Other},  // full-width s
      {u"\"C:\\Program Files\\KVS saver\\KVSsaver.scr\" /s", u"/s", Mode::Run},
      {u"\"C:\\odd /p dir\\KVSsaver.scr\" /s", u"/s", Mode::Run},  // the path hides its "/p"
      {u"\"C:\\a b\\KVSsaver.scr\"/s", u"/s", Mode::Run},          // no blank after the quote
      {u"\"\" /p", u"/p", Mode::Preview},
      {u"\"C:\\no closing quote\\KVSsaver.scr /s", u"", Mode::Other},
      {u"C:\\SAVERS\\KVSsaver.scr      /p", u"/p", Mode::Preview},
      {u"KVSsaver.scr\t/s", u"/s", Mode::Run},
      {u"KVSsaver.scr \t \t/S", u"/S", Mode::Run},
      {u"KVSsaver.scr\n/s", u"", Mode::Other},      // a line feed is no blank
      {u"KVSsaver.scr\u3000/s", u"", Mode::Other},  // nor an ideographic space
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(PrintToString(row.commandLine));
    const std::u16string_view argument = ArgumentText(row.commandLine);
    EXPECT_EQ(argument, row.argument);
    const Mode mode = ModeOf(ModeKey(argument));
    EXPECT_EQ(mode, row.mode) << NameOf(mode) << " instead of " << NameOf(row.mode);
  }
}

TEST(ModeKeyTest, TakesUpToTwoCharactersUpperCased) {
  struct Row {
    std::u16string argument;
    std::u16string key;
  };
  const Row rows[] = {
      {u"", u""},          {u"s", u"S"},
      {u"/", u"/"},        {u"/s", u"/S"},
      {u"/p 1234", u"/P"}, {u"az", u"AZ"},
      {u"@[", u"@["},  // neighbours of the letters stay as they are
      {u"`{", u"`{"},      {u"\u00E9\u00DF", u"\u00E9\u00DF"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(PrintToString(row.argument));
    EXPECT_EQ(ModeKey(row.argument), row.key);
  }
}

TEST(ModeOfTest, ComparesTheKeyExactly) {
  EXPECT_EQ(ModeOf(u"/P"), Mode::Preview);
  EXPECT_EQ(ModeOf(u"/S"), Mode::Run);
  for (const std::u16string_view key : {u"", u"/", u"/p", u"/s", u"S", u"/SX", u"\\S"}) {
    SCOPED_TRACE(PrintToString(std::u16string(key)));
    EXPECT_EQ(ModeOf(key), Mode::Other);
  }
}

}  // namespace
}  // namespace kvs
