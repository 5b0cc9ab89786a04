// Process entry.
#include "lifecycle/Saver.h"

#include "lifecycle/SaverWindows.h"

namespace kvs {

SaverWindows::SaverWindows(Platform& platform) : ssaver1(platform), ssaver2(platform) {
  ssaver1.PairWith(ssaver2);
  ssaver2.PairWith(ssaver1);
}

void SaverWindows::Start() { ssaver1.CreateAndLoad(); }

void SaverWindows::Run(Platform& platform) {
  Start();
  if (!AnyOpen()) return;
  platform.RunMessageLoop([this] { return AnyOpen(); });
}

void RunSaver(Platform& platform) { SaverWindows(platform).Run(platform); }

}  // namespace kvs
