// Twips <-> pixels with the screen's logical pixels per inch.
#pragma once

namespace kvs {

class PixelScale {
 public:
  // Reads LOGPIXELSX and LOGPIXELSY from the screen's device context.
  static PixelScale OfScreen();

  PixelScale(int dpiX, int dpiY) : dpiX_(dpiX), dpiY_(dpiY) {}

  float XToTwips(int pixels) const { return ToTwips(pixels, dpiX_); }
  float YToTwips(int pixels) const { return ToTwips(pixels, dpiY_); }
  int XToPixels(float twips) const { return ToPixels(twips, dpiX_); }
  int YToPixels(float twips) const { return ToPixels(twips, dpiY_); }

 private:
  static constexpr float kTwipsPerInch = 1440.0f;

  static float ToTwips(int pixels, int dpi);
  static int ToPixels(float twips, int dpi);

  int dpiX_;
  int dpiY_;
};

}  // namespace kvs
