// Copies between the core's UTF-16 texts and the wchar_t texts of Win32.
#pragma once

#include <string>
#include <string_view>

namespace kvs {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide characters are UTF-16 units");

inline std::wstring ToWide(std::u16string_view text) {
  std::wstring wide(text.size(), L'\0');
  for (std::size_t i = 0; i < text.size(); ++i) wide[i] = static_cast<wchar_t>(text[i]);
  return wide;
}

inline std::u16string ToUtf16(std::wstring_view text) {
  std::u16string utf16(text.size(), u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) utf16[i] = static_cast<char16_t>(text[i]);
  return utf16;
}

}  // namespace kvs
