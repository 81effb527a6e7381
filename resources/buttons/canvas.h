// A small RGBA drawing surface for the button images: straight (not
// premultiplied) alpha, rows top to bottom, 4 bytes per pixel (R, G, B, A).
#pragma once

#include <cstdint>
#include <vector>

namespace tidemark {

struct Rgb {
  double r = 0, g = 0, b = 0;
};

// Linear blend: t = 0 gives `from`, t = 1 gives `to`.
Rgb Mix(const Rgb& from, const Rgb& to, double t);

class Canvas {
 public:
  Canvas(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<uint8_t>& pixels() const { return pixels_; }

  void Set(int x, int y, const Rgb& colour, uint8_t alpha = 255);
  Rgb Get(int x, int y) const;
  // Covers the pixel's colour with `colour` by `coverage` (0..1); alpha stays.
  void Blend(int x, int y, const Rgb& colour, double coverage);

 private:
  int width_;
  int height_;
  std::vector<uint8_t> pixels_;
};

}  // namespace tidemark
