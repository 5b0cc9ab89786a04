// Mode dispatch from the command line.
#include "lifecycle/ModeDispatch.h"

#include "lifecycle/ArgumentText.h"
#include "windows/Window.h"

namespace kvs {

void DispatchMode(Window& backdrop, Window& video) {
  Platform& platform = backdrop.platform();
  platform.SetScreenSaverActive(false);

  const std::u16string commandLine = platform.CommandLine();
  if (ModeOf(ModeKey(ArgumentText(commandLine))) != Mode::Run) {
    backdrop.Close();  // preview and everything else: nothing is shown
    return;
  }
  backdrop.Show();
  platform.ShowCursor(false);
  video.Show();
}

}  // namespace kvs
