// A small check list for the Win32 probes: prints every check and counts failures.
#pragma once

#include <cstdio>
#include <string>

namespace kvs::probe {

class Checks {
 public:
  explicit Checks(const char* program) : program_(program) {}

  // Prints "ok" or "FAIL" with what was checked; `detail` says what was seen.
  bool Expect(bool ok, const std::string& what, const std::string& detail = {}) {
    std::printf("%s: %-4s %s%s%s\n", program_, ok ? "ok" : "FAIL", what.c_str(),
                detail.empty() ? "" : "  -- ", detail.c_str());
    std::fflush(stdout);
    if (!ok) ++failures_;
    ++count_;
    return ok;
  }

  // The exit code of the probe: 0 when every check passed.
  int Finish() const {
    std::printf("%s: %d checks, %d failed\n", program_, count_, failures_);
    return failures_ == 0 ? 0 : 1;
  }

 private:
  const char* program_;
  int count_ = 0;
  int failures_ = 0;
};

// Printable form of a UTF-16 text: ASCII as it is, everything else as \uXXXX.
inline std::string Printable(std::u16string_view text) {
  std::string printable;
  for (char16_t unit : text) {
    if (unit >= 0x20 && unit < 0x7f) {
      printable += static_cast<char>(unit);
      continue;
    }
    char escaped[8];
    std::snprintf(escaped, sizeof(escaped), "\\u%04X", static_cast<unsigned>(unit));
    printable += escaped;
  }
  return printable;
}

}  // namespace kvs::probe
