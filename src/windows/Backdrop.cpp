// ssaver1's definition and handlers.
#include "windows/Backdrop.h"

#include "lifecycle/ModeDispatch.h"
#include "windows/Definitions.h"

namespace kvs {

Backdrop::Backdrop(Platform& platform) : Window(platform, kBackdropDefinition) {}

void Backdrop::Load() { DispatchMode(*this, Other()); }

void Backdrop::Unload() {
  platform().ShowCursor(true);
  platform().SetScreenSaverActive(true);
}

}  // namespace kvs
