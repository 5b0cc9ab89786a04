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

// The number at the start of `text`, read like Visual Basic's Val: blanks,
// tabs and line feeds are skipped wherever they stand ("1 2" is 12); then an
// optional sign, digits, optionally a full stop and more digits, optionally
// an exponent (E, e, D or d, an optional sign, digits; a marker without
// digits ends the number before it). Reading stops at the first character
// that cannot continue the number, a NUL among them. The full stop is the
// only decimal separator, whatever the locale; there are no hexadecimal or
// octal forms. 0 when there is no number; a value too large for a double is
// plus or minus infinity, one too small is 0 (never a negative zero).
double LeadingNumber(std::u16string_view text);

// Rounds half to even, whatever the floating-point rounding mode; no value
// for NaN or when the result lies outside -32768..32767 (the overflow the
// caller has to deal with).
std::optional<std::int16_t> RoundToInt16(double value);

// a when a is greater than b (signed comparison), otherwise b.
std::int16_t Larger(std::int16_t a, std::int16_t b);

}  // namespace kvs
