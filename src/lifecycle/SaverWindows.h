// The saver's two windows, the only state of the program.
#pragma once

#include "platform/Platform.h"
#include "windows/Backdrop.h"
#include "windows/VideoWindow.h"

namespace kvs {

struct SaverWindows {
  explicit SaverWindows(Platform& platform);
  SaverWindows(const SaverWindows&) = delete;
  SaverWindows& operator=(const SaverWindows&) = delete;

  // Creates the backdrop hidden and runs its load handler.
  void Start();
  // Start, then hand events to the windows while one of them is open.
  void Run(Platform& platform);
  bool AnyOpen() const { return ssaver1.IsOpen() || ssaver2.IsOpen(); }

  Backdrop ssaver1;
  VideoWindow ssaver2;
};

}  // namespace kvs
