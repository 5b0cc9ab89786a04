// SendMciCommand: what goes to mciSendStringA and what comes back into the record.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "mci/MciChannel.h"
#include "platform/sim/SimPlatform.h"

namespace kvs::test {
namespace {

// An MCI port that answers every send with a scripted reply and result, and
// converts like the Windows ANSI code page does: a character outside the code
// page becomes '?', a surrogate pair one '?' (so the ANSI copy can be shorter
// than the wide text).
class ScriptedPort final : public MciPort {
 public:
  std::optional<std::string> reply;  // none: the reply area is left alone
  std::int32_t result = 0;
  std::string sentCommand;
  std::uint32_t sentSize = 0;
  std::uintptr_t sentNotify = 1;
  std::string areaSeen;

  std::string ToAnsi(std::u16string_view text) override {
    std::string ansi;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char16_t unit = text[i];
      if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size()) ++i;
      ansi += unit <= 0xFF ? static_cast<char>(unit) : '?';
    }
    return ansi;
  }
  std::u16string FromAnsi(std::string_view text) override { return sim_.FromAnsi(text); }
  std::int32_t SendMciString(const char* command, char* area, std::uint32_t size,
                             std::uintptr_t notify) override {
    sentCommand = command;
    sentSize = size;
    sentNotify = notify;
    areaSeen.assign(area, size + 1);
    if (reply) {
      std::memcpy(area, reply->c_str(), reply->size() + 1);
    }
    return result;
  }

 private:
  sim::SimPlatform sim_;
};

std::u16string Wide(std::string_view text) { return std::u16string(text.begin(), text.end()); }

TEST(MciChannelTest, NewRecordHasResultZeroAndA128CharacterBuffer) {
  const MciChannel channel;
  EXPECT_EQ(channel.mciResult, 0);
  EXPECT_TRUE(channel.mciCommand.empty());
  EXPECT_EQ(channel.mciReply.Text(), std::u16string(128, u' '));
}

TEST(MciChannelTest, SendPassesCommandWholeBufferSize127AndNoWindow) {
  ScriptedPort port;
  port.reply = "0 0 320 240";
  MciChannel channel;
  channel.mciCommand = u"Where VidClip destination";
  SendMciCommand(channel, port);

  EXPECT_EQ(port.sentCommand, "Where VidClip destination");
  EXPECT_EQ(port.sentSize, 127u);
  EXPECT_EQ(port.sentNotify, 0u);
  EXPECT_EQ(port.areaSeen, std::string(128, ' '));  // not cleared before the send
  EXPECT_EQ(channel.mciCommand, u"Where VidClip destination");
  EXPECT_EQ(channel.mciReply.ReplyText(), u"0 0 320 240");
  EXPECT_EQ(channel.mciReply.Text().size(), 128u);
}

// The reply area is copied back whole: a shorter reply leaves the tail of the
// longer one behind its NUL, where readers of the reply text do not see it.
TEST(MciChannelTest, ShorterReplyLeavesTheOldTailBehindItsNul) {
  ScriptedPort port;
  MciChannel channel;
  port.reply = "0 0 320 240";
  SendMciCommand(channel, port);
  port.reply = "17";
  SendMciCommand(channel, port);

  const std::u16string expected =
      std::u16string(u"17\0 320 240\0", 12) + std::u16string(128 - 12, u' ');
  EXPECT_EQ(channel.mciReply.Text(), expected);
  EXPECT_EQ(channel.mciReply.ReplyText(), u"17");
}

TEST(MciChannelTest, EmptyReplyChangesOnlyTheFirstPosition) {
  ScriptedPort port;
  MciChannel channel;
  port.reply = "abc";
  SendMciCommand(channel, port);
  port.reply = "";
  SendMciCommand(channel, port);
  EXPECT_EQ(channel.mciReply.Text(), std::u16string(u"\0bc\0", 4) + std::u16string(128 - 4, u' '));
  EXPECT_TRUE(channel.mciReply.ReplyText().empty());
}

// A failed send goes through the same steps; its result stays readable
// until the next send on the record.
TEST(MciChannelTest, FailedSendStoresResultAndStillCopiesBack) {
  ScriptedPort port;
  MciChannel channel;
  port.reply = std::nullopt;  // the device left the area alone
  port.result = 263;
  channel.mciCommand = u"Status Vidclip Position";
  SendMciCommand(channel, port);
  EXPECT_EQ(channel.mciResult, 263);
  EXPECT_EQ(channel.mciCommand, u"Status Vidclip Position");
  EXPECT_EQ(channel.mciReply.Text(), std::u16string(128, u' '));

  port.result = 0;
  port.reply = "5";
  SendMciCommand(channel, port);
  EXPECT_EQ(channel.mciResult, 0);
}

TEST(MciChannelTest, CharacterOutsideTheCodePageComesBackAsQuestionMark) {
  ScriptedPort port;
  port.reply = "";
  MciChannel channel;
  channel.mciCommand = u"Open \"C:\\Спас\\kvscrtel.avi\" alias VidClip";
  SendMciCommand(channel, port);
  EXPECT_EQ(port.sentCommand, "Open \"C:\\????\\kvscrtel.avi\" alias VidClip");
  EXPECT_EQ(channel.mciCommand, u"Open \"C:\\????\\kvscrtel.avi\" alias VidClip");
}

// A buffer whose ANSI copy is shorter than 128 bytes (surrogate pairs become
// one '?') still gets an area of 128 bytes, which the platform may fill.
TEST(MciChannelTest, ReplyAreaHolds128BytesEvenWhenTheAnsiCopyIsShorter) {
  ScriptedPort port;
  port.reply = std::string(127, '7');
  MciChannel channel;
  std::u16string pairs;
  for (int i = 0; i < 64; ++i) pairs += u"\U0001F600";
  channel.mciReply.Store(pairs);
  SendMciCommand(channel, port);
  EXPECT_EQ(channel.mciReply.Text(), Wide(std::string(127, '7')) + u'\0');
}

TEST(ReplyBufferTest, StoreIsAFixedLengthAssignment) {
  ReplyBuffer buffer;
  buffer.Store(u"abc");
  EXPECT_EQ(buffer.Text(), u"abc" + std::u16string(125, u' '));
  buffer.Store(std::u16string(200, u'x'));
  EXPECT_EQ(buffer.Text(), std::u16string(128, u'x'));
  buffer.Store(u"");
  EXPECT_EQ(buffer.Text(), std::u16string(128, u' '));
}

}  // namespace
}  // namespace kvs::test
