// The video window's load handler: size, show and centre the window, then
// open, bind, measure, place and play the clip.
#pragma once

namespace kvs {

class VideoWindow;

void StartClip(VideoWindow& window);

}  // namespace kvs
