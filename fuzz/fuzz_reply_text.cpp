// Fuzz target for the MCI reply readers: NextWord, LeadingNumber,
// RoundToInt16 and WholeNumber, each checked against what must hold for
// every text, and the number readers against reference readings.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>

#include "FuzzText.h"
#include "mci/NumberText.h"
#include "mci/ReplyText.h"

namespace kvs::fuzz {
namespace {

// The regular-expression references are checked on texts up to this long
// (std::regex recurses per character).
constexpr std::size_t kReferenceLength = 300;

bool IsMovableMark(char16_t c) { return c == u'.' || c == u',' || c == u'?' || c == u'!'; }

// Splitting a text word by word gives back exactly that text: each call
// takes a non-empty piece off its front, or puts one moved mark back in
// front of an empty rest, which the next call returns.
void CheckNextWord(const std::u16string& text) {
  std::u16string rest = text;
  std::u16string joined;
  std::size_t calls = 0;
  while (!rest.empty()) {
    const std::u16string before = rest;
    const std::u16string word = NextWord(rest);
    KVS_FUZZ_CHECK(word + rest == before);
    KVS_FUZZ_CHECK(!word.empty());
    KVS_FUZZ_CHECK(rest.size() < before.size());
    const std::size_t space = word.find(u' ');
    KVS_FUZZ_CHECK(space == std::u16string::npos || space + 1 == word.size());
    if (!rest.empty() && space == std::u16string::npos) {
      KVS_FUZZ_CHECK(rest.size() == 1 && IsMovableMark(rest[0]) &&
                     word.size() + 1 == before.size());
    }
    joined += word;
    ++calls;
  }
  KVS_FUZZ_CHECK(joined == text);
  KVS_FUZZ_CHECK(calls <= text.size());
  KVS_FUZZ_CHECK(NextWord(rest).empty() && rest.empty());
}

std::u16string WithoutSkippedCharacters(std::u16string_view text) {
  std::u16string squeezed;
  for (const char16_t c : text) {
    if (c != u' ' && c != u'\t' && c != u'\n') squeezed.push_back(c);
  }
  return squeezed;
}

double WithoutNegativeZero(double value) { return value == 0.0 ? 0.0 : value; }

// strtod (C locale) on the longest number form at the start of the
// squeezed text, the exponent letter D read as E.
double ReferenceLeadingNumber(std::u16string_view text) {
  static const std::regex kNumber(R"([+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eEdD][+-]?[0-9]+)?)");
  const std::u16string squeezed = WithoutSkippedCharacters(text.substr(0, text.find(u'\0')));
  const std::string narrow = NarrowText(squeezed);
  std::smatch match;
  if (!std::regex_search(narrow, match, kNumber, std::regex_constants::match_continuous)) return 0;
  std::string number = match.str();
  for (char& c : number) {
    if (c == 'd' || c == 'D') c = 'e';
  }
  return WithoutNegativeZero(std::strtod(number.c_str(), nullptr));
}

// Rounding half to even in the default rounding mode, which the fuzzer
// keeps, is what nearbyint does.
void CheckRoundToInt16(double value) {
  const std::optional<std::int16_t> rounded = RoundToInt16(value);
  const double reference = std::nearbyint(value);
  const bool fits = reference >= -32768.0 && reference <= 32767.0;  // false for NaN
  KVS_FUZZ_CHECK(rounded.has_value() == fits);
  if (rounded) KVS_FUZZ_CHECK(*rounded == reference);
}

void CheckLeadingNumber(const std::u16string& text) {
  const double value = LeadingNumber(text);
  KVS_FUZZ_CHECK(!std::isnan(value));
  KVS_FUZZ_CHECK(!(value == 0.0 && std::signbit(value)));
  // A NUL ends the reading; skipped characters change nothing wherever they stand.
  KVS_FUZZ_CHECK(LeadingNumber(text.substr(0, text.find(u'\0'))) == value);
  KVS_FUZZ_CHECK(LeadingNumber(WithoutSkippedCharacters(text)) == value);
  if (text.size() <= kReferenceLength) KVS_FUZZ_CHECK(value == ReferenceLeadingNumber(text));
  CheckRoundToInt16(value);
}

void CheckWholeNumber(const std::u16string& text) {
  const std::optional<double> value = WholeNumber(text);
  if (value) KVS_FUZZ_CHECK(*value == LeadingNumber(text));
  if (text.size() > kReferenceLength) return;
  static const std::regex kWhole(R"([ \t]*([+-]?([0-9]+\.?[0-9]*|\.[0-9]+))[ \t]*)");
  const std::string narrow = NarrowText(text);
  std::smatch match;
  const bool matches = std::regex_match(narrow, match, kWhole);
  KVS_FUZZ_CHECK(value.has_value() == matches);
  if (matches) {
    KVS_FUZZ_CHECK(*value == WithoutNegativeZero(std::strtod(match.str(1).c_str(), nullptr)));
  }
}

}  // namespace
}  // namespace kvs::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kvs::fuzz;
  const std::u16string text = DecodeText(data, size);
  CheckNextWord(text);
  CheckLeadingNumber(text);
  CheckWholeNumber(text);
  if (size >= 1 + sizeof(double)) {  // the same bytes as a double, NaNs and all
    double raw = 0;
    std::memcpy(&raw, data + 1, sizeof raw);
    CheckRoundToInt16(raw);
  }
  return 0;
}
