// The command line as the saver reads it: the argument text and its mode key.
#include "lifecycle/ArgumentText.h"

#include <algorithm>

namespace kvs {
namespace {

constexpr std::u16string_view kBlanks = u" \t";

// Where the program's path ends: after its closing quote when it is quoted
// (the whole line when that quote is missing), else at the first blank.
std::size_t PathEnd(std::u16string_view commandLine) {
  if (!commandLine.empty() && commandLine.front() == u'"') {
    const std::size_t closingQuote = commandLine.find(u'"', 1);
    return closingQuote == std::u16string_view::npos ? commandLine.size() : closingQuote + 1;
  }
  return std::min(commandLine.find_first_of(kBlanks), commandLine.size());
}

char16_t ToUpperAscii(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

}  // namespace

std::u16string_view ArgumentText(std::u16string_view commandLine) {
  const std::u16string_view afterPath = commandLine.substr(PathEnd(commandLine));
  const std::size_t argumentStart = afterPath.find_first_not_of(kBlanks);
  return afterPath.substr(std::min(argumentStart, afterPath.size()));
}

std::u16string ModeKey(std::u16string_view argumentText) {
  std::u16string key(argumentText.substr(0, 2));
  std::transform(key.begin(), key.end(), key.begin(), ToUpperAscii);
  return key;
}

Mode ModeOf(std::u16string_view modeKey) {
  if (modeKey == u"/P") return Mode::Preview;
  if (modeKey == u"/S") return Mode::Run;
  return Mode::Other;
}

}  // namespace kvs
