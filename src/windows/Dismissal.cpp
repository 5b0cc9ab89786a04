// DismissSaver: close the clip, then both windows.
#include "windows/Dismissal.h"

#include "lifecycle/CloseSaver.h"
#include "windows/Window.h"

namespace kvs {

void DismissSaver(Window& window) {
  window.mci.mciCommand = u"Close VidClip";
  SendMciCommand(window.mci, window.platform());
  CloseSaver(window);
}

}  // namespace kvs
