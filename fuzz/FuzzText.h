// Shared by the fuzz targets: turning fuzzer bytes into a UTF-16 text, and a
// check that stops the run with a message when an invariant fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#define KVS_FUZZ_CHECK(condition)                                                        \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

namespace kvs::fuzz {

// The first byte chooses the encoding of the rest: when it is even, every
// byte is one character (readable seeds, and most mutations stay ASCII);
// when it is odd, every two bytes are one UTF-16 unit, little-endian.
inline std::u16string DecodeText(const std::uint8_t* data, std::size_t size) {
  std::u16string text;
  if (size == 0) return text;
  const bool pairs = (data[0] & 1U) != 0;
  if (!pairs) {
    for (std::size_t i = 1; i < size; ++i) text.push_back(data[i]);
    return text;
  }
  for (std::size_t i = 1; i + 1 < size; i += 2) {
    text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  }
  return text;
}

// The text as 8-bit characters for the reference checks: characters beyond
// ASCII become '#', which is part of no number.
inline std::string NarrowText(std::u16string_view text) {
  std::string narrow;
  narrow.reserve(text.size());
  for (const char16_t c : text) narrow.push_back(c < 0x80 ? static_cast<char>(c) : '#');
  return narrow;
}

}  // namespace kvs::fuzz
