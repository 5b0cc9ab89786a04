// Twips <-> pixels with the screen's logical pixels per inch.
#include "platform/win32/PixelScale.h"

#include <windows.h>

#include <cmath>

namespace kvs {

namespace {
constexpr int kFallbackDpi = 96;  // when the screen cannot tell
}

PixelScale PixelScale::OfScreen() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return PixelScale(kFallbackDpi, kFallbackDpi);
  const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
  const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return PixelScale(dpiX > 0 ? dpiX : kFallbackDpi, dpiY > 0 ? dpiY : kFallbackDpi);
}

float PixelScale::ToTwips(int pixels, int dpi) {
  return static_cast<float>(pixels) * kTwipsPerInch / static_cast<float>(dpi);
}

int PixelScale::ToPixels(float twips, int dpi) {
  return static_cast<int>(std::lround(twips * static_cast<float>(dpi) / kTwipsPerInch));
}

}  // namespace kvs
