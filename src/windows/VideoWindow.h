// ssaver2, the window the clip plays in, with its clip geometry and Timer1.
#pragma once

#include "playback/ClipGeometry.h"
#include "windows/Window.h"

namespace kvs {

class VideoWindow final : public Window {
 public:
  explicit VideoWindow(Platform& platform);

  ClipGeometry clip;

 protected:
  void Load() override;
  void Unload() override;
  void Tick() override;  // Timer1
};

}  // namespace kvs
