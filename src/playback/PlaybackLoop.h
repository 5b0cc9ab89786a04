// The Timer1 tick that keeps the clip looping.
#pragma once

#include "platform/Platform.h"

namespace kvs {

// Position at which the clip is started again from frame 0.
inline constexpr double kRestartFrame = 180;

// Asks for the clip's position on a channel of its own and restarts the clip
// from frame 0 once the position has reached kRestartFrame. A reply that is
// no number (the clip never opened, the device answered an error) counts as
// not reached.
void RestartClipWhenDue(MciPort& port);

}  // namespace kvs
