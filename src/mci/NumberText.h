// Number texts in MCI commands and the whole-text reading of a position reply.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kvs {

// "-5", "0", "320": a minus sign for negative values, nothing before others.
std::u16string PlainDecimal(std::int32_t value);

// "-5", " 0", " 320": one blank before zero and positive values.
std::u16string BlankLedDecimal(std::int32_t value);

// The whole of `text` read as one decimal number: optional blanks (spaces
// and tabs) around it, an optional sign directly before the digits, digits
// with an optional fraction after a full stop. Digits on one side of the
// full stop are enough ("5." and ".5" are numbers, "." is not). Anything
// else is no number: the empty text, letters, a second number, a NUL, an
// exponent, other blanks. Locale-free; a value too large for a double is
// infinity.
std::optional<double> WholeNumber(std::u16string_view text);

}  // namespace kvs
