// ssaver2's definition and handlers.
#include "windows/VideoWindow.h"

#include "playback/ClipStartup.h"
#include "playback/PlaybackLoop.h"
#include "windows/Definitions.h"

namespace kvs {

VideoWindow::VideoWindow(Platform& platform) : Window(platform, kVideoDefinition) {}

void VideoWindow::Load() { StartClip(*this); }

void VideoWindow::Unload() { platform().SetScreenSaverActive(true); }

void VideoWindow::Tick() { RestartClipWhenDue(platform()); }

}  // namespace kvs
