// The Timer1 tick.
#include "playback/PlaybackLoop.h"

#include "mci/MciChannel.h"
#include "mci/NumberText.h"

namespace kvs {

void RestartClipWhenDue(MciPort& port) {
  MciChannel tick;
  tick.mciCommand = u"Status Vidclip Position";
  SendMciCommand(tick, port);

  const std::optional<double> position = WholeNumber(tick.mciReply.ReplyText());
  if (!position || *position < kRestartFrame) return;

  tick.mciCommand = u"play VidClip From 0";
  SendMciCommand(tick, port);
}

}  // namespace kvs
