// mci_probe.exe <clip.avi>: opens the clip through Win32Platform and
// SendMciCommand, asks for its destination rectangle and closes it. Exit 0
// when the rectangle is "0 0 320 240", the size of the test clip.
#include <windows.h>

#include <cstdio>
#include <string>

#include "ProbeChecks.h"
#include "mci/MciChannel.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Platform.h"

namespace {

void Send(kvs::MciChannel& channel, kvs::Platform& platform, std::u16string command) {
  channel.mciCommand = std::move(command);
  kvs::SendMciCommand(channel, platform);
  std::printf("mci_probe: \"%s\" -> result %d, reply \"%s\"\n",
              kvs::probe::Printable(channel.mciCommand).c_str(), channel.mciResult,
              kvs::probe::Printable(channel.mciReply.ReplyText()).c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: mci_probe <clip.avi>\n", stderr);
    return 2;
  }
  const std::u16string clip = kvs::ToUtf16(argv[1]);
  kvs::Win32Platform platform;
  kvs::MciChannel channel;

  Send(channel, platform, u"open \"" + clip + u"\" alias probeclip");
  Send(channel, platform, u"where probeclip destination");
  const std::u16string destination(channel.mciReply.ReplyText());
  const std::int32_t result = channel.mciResult;
  Send(channel, platform, u"close probeclip");

  kvs::probe::Checks checks("mci_probe");
  checks.Expect(
      result == 0 && destination == u"0 0 320 240",
      "the clip's destination rectangle reads \"0 0 320 240\"",
      "read \"" + kvs::probe::Printable(destination) + "\", result " + std::to_string(result));
  return checks.Finish();
}
