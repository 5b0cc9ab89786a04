// SendMciCommand and the fixed-length reply buffer.
#include "mci/MciChannel.h"

#include <algorithm>

namespace kvs {

void ReplyBuffer::Store(std::u16string_view text) {
  const std::size_t kept = std::min(text.size(), kLength);
  text_.assign(text.substr(0, kept));
  text_.resize(kLength, u' ');
}

std::u16string_view ReplyBuffer::ReplyText() const {
  const std::u16string_view all(text_);
  return all.substr(0, all.find(u'\0'));
}

void SendMciCommand(MciChannel& channel, MciPort& port) {
  const auto replySize = static_cast<std::uint32_t>(channel.mciReply.Text().size() - 1);

  // The reply area is an ANSI copy of the whole buffer, never cleared first.
  // A code page may need fewer bytes than characters (a surrogate pair becomes
  // one '?'), so the area is padded with NULs until it holds replySize + 1
  // bytes: the platform may write that many.
  std::string replyArea = port.ToAnsi(channel.mciReply.Text());
  if (replyArea.size() < replySize + std::size_t{1}) replyArea.resize(replySize + std::size_t{1});

  std::string command = port.ToAnsi(channel.mciCommand);
  const std::int32_t result = port.SendMciString(command.c_str(), replyArea.data(), replySize, 0);

  channel.mciCommand = port.FromAnsi(command);
  channel.mciReply.Store(port.FromAnsi(replyArea));
  channel.mciResult = result;
}

}  // namespace kvs
