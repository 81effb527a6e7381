#include "resources/buttons/canvas.h"

#include <algorithm>
#include <cmath>

namespace tidemark {
namespace {

uint8_t ToByte(double channel) {
  return static_cast<uint8_t>(std::lround(std::clamp(channel, 0.0, 255.0)));
}

}  // namespace

Rgb Mix(const Rgb& from, const Rgb& to, double t) {
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t};
}

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height * 4, 0) {}

void Canvas::Set(int x, int y, const Rgb& colour, uint8_t alpha) {
  uint8_t* pixel = &pixels_[(static_cast<size_t>(y) * width_ + x) * 4];
  pixel[0] = ToByte(colour.r);
  pixel[1] = ToByte(colour.g);
  pixel[2] = ToByte(colour.b);
  pixel[3] = alpha;
}

Rgb Canvas::Get(int x, int y) const {
  const uint8_t* pixel = &pixels_[(static_cast<size_t>(y) * width_ + x) * 4];
  return {double(pixel[0]), double(pixel[1]), double(pixel[2])};
}

void Canvas::Blend(int x, int y, const Rgb& colour, double coverage) {
  const uint8_t alpha = pixels_[(static_cast<size_t>(y) * width_ + x) * 4 + 3];
  Set(x, y, Mix(Get(x, y), colour, std::clamp(coverage, 0.0, 1.0)), alpha);
}

}  // namespace tidemark
