// The one way the saver talks to MCI: a command text in, a reply text and a
// result code out, kept together in a small record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace kvs {

// A text of exactly 128 characters. Every store is a fixed-length
// assignment: shorter texts are filled up with spaces, longer ones cut.
class ReplyBuffer {
 public:
  static constexpr std::size_t kLength = 128;

  void Store(std::u16string_view text);
  const std::u16string& Text() const { return text_; }
  // The reply proper: the characters before the first NUL.
  std::u16string_view ReplyText() const;

 private:
  std::u16string text_ = std::u16string(kLength, u' ');
};

struct MciChannel {
  std::int32_t mciResult = 0;
  std::u16string mciCommand;
  ReplyBuffer mciReply;
};

// Sends channel.mciCommand through mciSendStringA with the whole reply buffer,
// in the ANSI code page, as the reply area; stores back the command as
// converted back, the whole reply area and the result code.
void SendMciCommand(MciChannel& channel, MciPort& port);

}  // namespace kvs
