// Reading MCI replies: split a word off a text, read the number a text
// begins with, narrow it to 16 bits, take the larger of two values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kvs {

// Returns the first word of `text` and leaves the rest in `text`. A word
// ends after the first space and keeps that space. When the word ran to the
// end of the text, has two characters or more and ends in one of ".,?!",
// that mark moves to the front of the (then empty) rest.
std::u16string NextWord(std::u16string& text);

// The number at the start of `text`: blanks, tabs and line feeds are skipped
// wherever they stand, the full stop is the only decimal separator, an
// exponent may follow (E or D), reading stops at the first character that
// cannot continue the number (a NUL among them). 0 when there is no number.
double LeadingNumber(std::u16string_view text);

// Rounds half to even; no value when the result lies outside -32768..32767.
std::optional<std::int16_t> RoundToInt16(double value);

std::int16_t Larger(std::int16_t a, std::int16_t b);

}  // namespace kvs
