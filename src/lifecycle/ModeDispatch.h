// The backdrop's load handler: the mode the command line asks for.
#pragma once

namespace kvs {

class Window;

// Switches the screen-saver flag off, then in run mode shows the backdrop,
// hides the cursor and shows the video window; in every other mode closes
// the backdrop again at once.
void DispatchMode(Window& backdrop, Window& video);

}  // namespace kvs
