// CloseSaver: this window first, the other second.
#include "lifecycle/CloseSaver.h"

#include "windows/Window.h"

namespace kvs {

void CloseSaver(Window& window) {
  window.Close();
  window.Other().Close();
}

}  // namespace kvs
