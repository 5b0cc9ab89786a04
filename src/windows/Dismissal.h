// Ending the saver on user input.
#pragma once

namespace kvs {

class Window;

// Sends "Close VidClip" on the window's own channel, then closes that window
// and after it the other one.
void DismissSaver(Window& window);

}  // namespace kvs
