// Closing the saver as a whole.
#pragma once

namespace kvs {

class Window;

// Closes the given window, then the other one. Closing a window that is no
// longer open does nothing, so this is safe to repeat.
void CloseSaver(Window& window);

}  // namespace kvs
