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
// and tabs) around it, an optional sign, digits with an optional fraction
// after a full stop. Anything else, the empty text included, is no number.
std::optional<double> WholeNumber(std::u16string_view text);

}  // namespace kvs
