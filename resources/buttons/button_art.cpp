#include "resources/buttons/button_art.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace tidemark {
namespace {

struct Point {
  double x, y;
};

// The darkest and the lightest colour of a tile; the rim uses the first, the
// bottom edge brightens almost to the second.
struct TonePair {
  Rgb dark;
  Rgb light;
};

TonePair TonesOf(TileTone tone) {
  if (tone == TileTone::kBlue) return {{31, 145, 214}, {248, 252, 254}};
  return {{122, 122, 122}, {252, 252, 252}};
}

double DistanceToSegment(Point p, Point a, Point b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 == 0 ? 0 : ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Signed distance to a rounded square centred at `centre` (negative inside).
double RoundedSquareDistance(Point p, Point centre, double half, double radius) {
  const double qx = std::abs(p.x - centre.x) - (half - radius);
  const double qy = std::abs(p.y - centre.y) - (half - radius);
  const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
  return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

bool InsideTriangle(Point p, Point a, Point b, Point c) {
  auto side = [](Point p1, Point p2, Point q) {
    return (p2.x - p1.x) * (q.y - p1.y) - (p2.y - p1.y) * (q.x - p1.x);
  };
  const double d1 = side(a, b, p), d2 = side(b, c, p), d3 = side(c, a, p);
  const bool negative = d1 < 0 || d2 < 0 || d3 < 0;
  const bool positive = d1 > 0 || d2 > 0 || d3 > 0;
  return !(negative && positive);
}

using Shape = std::function<bool(Point)>;

Shape SymbolShape(ButtonSymbol symbol) {
  switch (symbol) {
    case ButtonSymbol::kForwardTriangle:
      return [](Point p) { return InsideTriangle(p, {11.5, 8}, {11.5, 24}, {23, 16}); };
    case ButtonSymbol::kBoxedCross:
      return [](Point p) {
        const bool outline = std::abs(RoundedSquareDistance(p, {16, 16}, 9.5, 3)) <= 1.0;
        const bool cross = DistanceToSegment(p, {12, 12}, {20, 20}) <= 1.1 ||
                           DistanceToSegment(p, {20, 12}, {12, 20}) <= 1.1;
        return outline || cross;
      };
    case ButtonSymbol::kCheckMark:
      return [](Point p) {
        return DistanceToSegment(p, {8.5, 16.5}, {13.5, 21.5}) <= 1.7 ||
               DistanceToSegment(p, {13.5, 21.5}, {23.5, 10}) <= 1.7;
      };
  }
  return [](Point) { return false; };
}

// Fraction of the pixel's 4 x 4 sample points that lie in `shape`, so that
// slanted edges are smoothed.
double Coverage(const Shape& shape, int x, int y) {
  int inside = 0;
  for (int sy = 0; sy < 4; ++sy) {
    for (int sx = 0; sx < 4; ++sx) {
      if (shape({x + (sx + 0.5) / 4, y + (sy + 0.5) / 4})) ++inside;
    }
  }
  return inside / 16.0;
}

void PaintTile(Canvas& canvas, const TonePair& tones) {
  const int size = canvas.width();
  const Rgb mid = Mix(tones.dark, tones.light, 0.45);
  const Rgb& rim = tones.dark;
  for (int y = 0; y < size; ++y) {
    // Flat mid tone over the upper part, then brightening towards the bottom.
    const double v = (y + 0.5) / size;
    const double brighten = v < 0.45 ? 0.0 : std::pow((v - 0.45) / 0.55, 1.3) * 0.93;
    for (int x = 0; x < size; ++x) {
      Rgb colour = Mix(mid, tones.light, brighten);
      // Sheen: a soft highlight centred beyond the top-left corner.
      const double distance = std::hypot(x + 0.5 - 4, y + 0.5 - 3) / 15.0;
      if (distance < 1.0) colour = Mix(colour, {255, 255, 255}, 0.55 * (1 - distance * distance));
      const bool edge = x == 0 || y == 0 || x == size - 1 || y == size - 1;
      canvas.Set(x, y, edge ? rim : colour);
    }
  }
  // The bottom-left pixel is the image list's transparent colour.
  canvas.Set(0, size - 1, {0, 0, 0}, 0);
}

}  // namespace

Canvas DrawButtonImage(const ButtonImageSpec& spec) {
  Canvas canvas(kButtonImageSize, kButtonImageSize);
  PaintTile(canvas, TonesOf(spec.tone));
  const Shape symbol = SymbolShape(spec.symbol);
  for (int y = 1; y < kButtonImageSize - 1; ++y) {
    for (int x = 1; x < kButtonImageSize - 1; ++x) {
      canvas.Blend(x, y, {0, 0, 0}, Coverage(symbol, x, y));
    }
  }
  return canvas;
}

}  // namespace tidemark
