// Where the clip is drawn inside the video window, in pixels.
#pragma once

#include <cstdint>

namespace kvs {

struct ClipGeometry {
  std::int16_t clipWidth = 0;
  std::int16_t clipHeight = 0;
  std::int16_t clipLeft = 0;
  std::int16_t clipTop = 0;
  std::int16_t priorWidth = 0;  // clipWidth before the clip was measured
  std::int16_t priorHeight = 0;
};

}  // namespace kvs
