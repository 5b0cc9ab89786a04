// Reading MCI replies: word splitting, leading-number reading, narrowing.
#include "mci/ReplyText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace kvs {
namespace {

constexpr std::u16string_view kMovableMarks = u".,?!";

bool IsSkippedInNumber(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsExponentMarker(char16_t c) { return c == u'E' || c == u'e' || c == u'D' || c == u'd'; }

// Walks a text while stepping over the characters a number may be spread
// across. A NUL reads as the end of the text.
class NumberCursor {
 public:
  explicit NumberCursor(std::u16string_view text) : text_(text) { SkipIgnored(); }

  char16_t Peek() const { return position_ < text_.size() ? text_[position_] : u'\0'; }
  void Advance() {
    ++position_;
    SkipIgnored();
  }
  bool Take(char16_t c) {
    if (Peek() != c) return false;
    Advance();
    return true;
  }

 private:
  void SkipIgnored() {
    while (position_ < text_.size() && IsSkippedInNumber(text_[position_])) ++position_;
  }

  std::u16string_view text_;
  std::size_t position_ = 0;
};

// The number as read: the significant digits (no leading zeros) and the
// power of ten that puts them after the decimal point, value = 0.digits * 10^order.
struct DecimalParts {
  bool negative = false;
  std::string digits;
  std::int64_t order = 0;
};

// Exponents beyond this are far outside the double range whatever the digits.
constexpr std::int64_t kExponentLimit = 1'000'000'000;

// Reads an exponent's digits after its marker and sign; saturates.
std::int64_t ReadExponentDigits(NumberCursor& cursor) {
  std::int64_t exponent = 0;
  while (IsDigit(cursor.Peek())) {
    if (exponent < kExponentLimit) exponent = exponent * 10 + (cursor.Peek() - u'0');
    cursor.Advance();
  }
  return exponent;
}

// Reads "[sign] digits [. digits] [marker [sign] digits]" from the start of
// the text; no value when there are no mantissa digits.
std::optional<DecimalParts> ReadDecimal(std::u16string_view text) {
  NumberCursor cursor(text);
  DecimalParts parts;
  if (!cursor.Take(u'+')) parts.negative = cursor.Take(u'-');

  bool sawDigit = false;
  std::int64_t integerDigits = 0;
  std::int64_t fractionLeadingZeros = 0;
  for (; IsDigit(cursor.Peek()); cursor.Advance()) {
    sawDigit = true;
    if (parts.digits.empty() && cursor.Peek() == u'0') continue;
    parts.digits.push_back(static_cast<char>(cursor.Peek()));
    ++integerDigits;
  }
  if (cursor.Take(u'.')) {
    for (; IsDigit(cursor.Peek()); cursor.Advance()) {
      sawDigit = true;
      if (parts.digits.empty() && cursor.Peek() == u'0') {
        ++fractionLeadingZeros;
        continue;
      }
      parts.digits.push_back(static_cast<char>(cursor.Peek()));
    }
  }
  if (!sawDigit) return std::nullopt;

  // A marker without digits after it is not part of the number; as nothing
  // is read after the number, that only means the exponent stays 0.
  std::int64_t exponent = 0;
  if (IsExponentMarker(cursor.Peek())) {
    cursor.Advance();
    bool negativeExponent = false;
    if (!cursor.Take(u'+')) negativeExponent = cursor.Take(u'-');
    exponent = ReadExponentDigits(cursor);
    if (negativeExponent) exponent = -exponent;
  }
  parts.order = (integerDigits > 0 ? integerDigits : -fractionLeadingZeros) + exponent;
  return parts;
}

// Beyond these orders a non-zero value certainly overflows or underflows.
constexpr std::int64_t kLargestOrder = 400;
constexpr std::int64_t kSmallestOrder = -400;

double ValueOf(const DecimalParts& parts) {
  if (parts.digits.empty()) return 0.0;
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  double magnitude = 0.0;
  if (parts.order > kLargestOrder) {
    magnitude = kInfinity;
  } else if (parts.order >= kSmallestOrder) {
    // from_chars reads the C form whatever the locale.
    const std::string decimal = "0." + parts.digits + "e" + std::to_string(parts.order);
    const auto [end, error] =
        std::from_chars(decimal.data(), decimal.data() + decimal.size(), magnitude);
    (void)end;
    if (error == std::errc::result_out_of_range) magnitude = parts.order > 0 ? kInfinity : 0.0;
  }
  if (magnitude == 0.0) return 0.0;  // no negative zero
  return parts.negative ? -magnitude : magnitude;
}

}  // namespace

std::u16string NextWord(std::u16string& text) {
  std::u16string word;
  const std::size_t space = text.find(u' ');
  if (space == std::u16string::npos) {
    word.swap(text);
  } else {
    word = text.substr(0, space + 1);
    text.erase(0, space + 1);
  }
  if (word.size() >= 2 && kMovableMarks.find(word.back()) != std::u16string_view::npos) {
    text.insert(text.begin(), word.back());
    word.pop_back();
  }
  return word;
}

double LeadingNumber(std::u16string_view text) {
  const std::optional<DecimalParts> parts = ReadDecimal(text);
  return parts ? ValueOf(*parts) : 0.0;
}

std::optional<std::int16_t> RoundToInt16(double value) {
  // Also rejects NaN and the infinities; keeps floor() exact below.
  if (!(value > -32770.0 && value < 32770.0)) return std::nullopt;
  const double below = std::floor(value);
  const double fraction = value - below;
  double rounded = below;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) rounded = below + 1.0;
  if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
  return static_cast<std::int16_t>(rounded);
}

std::int16_t Larger(std::int16_t a, std::int16_t b) { return a > b ? a : b; }

}  // namespace kvs
