// Number texts in MCI commands and the whole-text reading of a position reply.
#include "mci/NumberText.h"

#include <array>
#include <charconv>

#include "mci/ReplyText.h"

namespace kvs {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Steps over the digits from `position`; returns how many there were.
std::size_t SkipDigits(std::u16string_view text, std::size_t& position) {
  const std::size_t start = position;
  while (position < text.size() && IsDigit(text[position])) ++position;
  return position - start;
}

// True when the whole text is "[blanks][sign]digits[.digits][blanks]", with
// digits on at least one side of the full stop.
bool IsWholeDecimal(std::u16string_view text) {
  std::size_t position = 0;
  while (position < text.size() && IsBlank(text[position])) ++position;
  if (position < text.size() && (text[position] == u'+' || text[position] == u'-')) ++position;
  std::size_t digits = SkipDigits(text, position);
  if (position < text.size() && text[position] == u'.') {
    ++position;
    digits += SkipDigits(text, position);
  }
  if (digits == 0) return false;
  while (position < text.size() && IsBlank(text[position])) ++position;
  return position == text.size();
}

}  // namespace

std::u16string PlainDecimal(std::int32_t value) {
  std::array<char, 16> digits{};
  const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), value);
  (void)error;  // 16 characters hold every 32-bit value
  return std::u16string(digits.data(), end);
}

std::u16string BlankLedDecimal(std::int32_t value) {
  return value < 0 ? PlainDecimal(value) : u" " + PlainDecimal(value);
}

std::optional<double> WholeNumber(std::u16string_view text) {
  if (!IsWholeDecimal(text)) return std::nullopt;
  // The accepted form is a subset of what LeadingNumber reads, and the
  // blanks around it are among the characters LeadingNumber skips.
  return LeadingNumber(text);
}

}  // namespace kvs
