// ssaver1, the black backdrop: its load handler chooses the mode, its unload
// handler gives back the cursor and the screen-saver flag.
#pragma once

#include "windows/Window.h"

namespace kvs {

class Backdrop final : public Window {
 public:
  explicit Backdrop(Platform& platform);

 protected:
  void Load() override;
  void Unload() override;
};

}  // namespace kvs
