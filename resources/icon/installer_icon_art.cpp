#include "resources/icon/installer_icon_art.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "tests/e2e/driver/png_writer.h"

namespace tidemark {
namespace {

// The button tiles' blue and its light end (resources/buttons/button_art.cpp).
constexpr Rgb kBlue{31, 145, 214};
constexpr Rgb kAmber{214, 128, 31};
constexpr Rgb kLight{248, 252, 254};

// Shapes are drawn on a 32-unit square whatever the pixel size.
using Shape = std::function<bool(double x, double y)>;

// Fraction of the pixel's 4 x 4 sample points inside `shape`.
double Coverage(const Shape& shape, int x, int y, double scale) {
  int inside = 0;
  for (int sy = 0; sy < 4; ++sy) {
    for (int sx = 0; sx < 4; ++sx) {
      if (shape((x + (sx + 0.5) / 4) * scale, (y + (sy + 0.5) / 4) * scale)) ++inside;
    }
  }
  return inside / 16.0;
}

bool Arrow(double x, double y) {
  const bool shaft = std::abs(x - 16) <= 2.6 && y >= 5 && y <= 14;
  const bool head = y >= 13 && y <= 20.5 && std::abs(x - 16) <= 20.5 - y;
  return shaft || head;
}

bool Tray(double x, double y) {
  const bool bottom = x >= 7 && x <= 25 && y >= 23 && y <= 25.5;
  const bool sides =
      (std::abs(x - 8.25) <= 1.25 || std::abs(x - 23.75) <= 1.25) && y >= 17 && y <= 25.5;
  return bottom || sides;
}

}  // namespace

Canvas DrawInstallerIcon(int size, IconTone tone) {
  Canvas canvas(size, size);
  const double scale = 32.0 / size;
  const Rgb kRim = tone == IconTone::kStubBlue ? kBlue : kAmber;
  const Rgb mid = Mix(kRim, kLight, 0.45);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      // As the buttons: flat over the upper part, brightening downwards,
      // a sheen from the top-left corner, and a rim of the dark blue.
      const double v = (y + 0.5) / size;
      Rgb colour = Mix(mid, kLight, v < 0.45 ? 0.0 : std::pow((v - 0.45) / 0.55, 1.3) * 0.85);
      const double sheen = std::hypot((x + 0.5) * scale - 4, (y + 0.5) * scale - 3) / 15.0;
      if (sheen < 1.0) colour = Mix(colour, {255, 255, 255}, 0.55 * (1 - sheen * sheen));
      const bool edge = x == 0 || y == 0 || x == size - 1 || y == size - 1;
      canvas.Set(x, y, edge ? kRim : colour);
      canvas.Blend(x, y, {0, 0, 0}, Coverage(Arrow, x, y, scale) + Coverage(Tray, x, y, scale));
    }
  }
  return canvas;
}

std::vector<uint8_t> EncodeIconFile(const std::vector<Canvas>& images) {
  std::vector<uint8_t> out;
  const auto put16 = [&](uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
  };
  const auto put32 = [&](uint32_t v) {
    put16(v & 0xffff);
    put16(v >> 16);
  };
  put16(0);  // reserved
  put16(1);  // an icon
  put16(static_cast<uint32_t>(images.size()));
  std::vector<std::vector<uint8_t>> bodies;
  size_t offset = 6 + 16 * images.size();
  for (const Canvas& image : images) {
    bodies.push_back(e2e::EncodePngRgba(image.width(), image.height(), image.pixels()));
    out.push_back(static_cast<uint8_t>(image.width()));  // width and height, one byte each
    out.push_back(static_cast<uint8_t>(image.height()));
    put16(0);   // colour count, reserved
    put16(1);   // planes
    put16(32);  // bits per pixel
    put32(static_cast<uint32_t>(bodies.back().size()));
    put32(static_cast<uint32_t>(offset));
    offset += bodies.back().size();
  }
  for (const std::vector<uint8_t>& body : bodies) out.insert(out.end(), body.begin(), body.end());
  return out;
}

}  // namespace tidemark
