// Fuzz target for the command-line reading: ArgumentText, ModeKey, ModeOf.
#include <algorithm>
#include <cstdint>
#include <string>

#include "FuzzText.h"
#include "lifecycle/ArgumentText.h"

namespace kvs::fuzz {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

char16_t LowerAscii(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

// The argument text worked out character by character.
std::u16string ReferenceArgument(std::u16string_view line) {
  std::size_t i = 0;
  if (i < line.size() && line[i] == u'"') {
    ++i;
    while (i < line.size() && line[i] != u'"') ++i;
    if (i == line.size()) return u"";
    ++i;  // the closing quote
  } else {
    while (i < line.size() && !IsBlank(line[i])) ++i;
  }
  while (i < line.size() && IsBlank(line[i])) ++i;
  return std::u16string(line.substr(i));
}

}  // namespace
}  // namespace kvs::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kvs;
  using namespace kvs::fuzz;
  const std::u16string line = DecodeText(data, size);

  const std::u16string_view argument = ArgumentText(line);
  // A view on the end of the command line itself, not a copy.
  KVS_FUZZ_CHECK(argument.size() <= line.size());
  KVS_FUZZ_CHECK(argument.data() == line.data() + (line.size() - argument.size()));
  KVS_FUZZ_CHECK(argument.empty() || !IsBlank(argument.front()));
  KVS_FUZZ_CHECK(argument == ReferenceArgument(line));

  const std::u16string key = ModeKey(argument);
  KVS_FUZZ_CHECK(key.size() == std::min<std::size_t>(2, argument.size()));
  for (std::size_t i = 0; i < key.size(); ++i) {
    const char16_t c = argument[i];
    const bool lowerLetter = c >= u'a' && c <= u'z';
    KVS_FUZZ_CHECK(key[i] == (lowerLetter ? c - u'a' + u'A' : c));
  }

  const Mode mode = ModeOf(key);
  KVS_FUZZ_CHECK((mode == Mode::Run) == (key == u"/S"));
  KVS_FUZZ_CHECK((mode == Mode::Preview) == (key == u"/P"));

  // Letter case in the argument does not matter.
  std::u16string lowered(argument);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(), LowerAscii);
  KVS_FUZZ_CHECK(ModeOf(ModeKey(lowered)) == mode);
  return 0;
}
