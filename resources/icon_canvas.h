#pragma once
// What the program's icons are drawn with: shapes as signed distance functions on the
// 16-unit square (negative inside), colours, and a canvas that paints them with 4 x 4
// samples per pixel.

#include <cstdint>
#include <functional>
#include <vector>

#include "foundation/bitmap.h"

namespace IconDrawing {

inline constexpr int kUnits = 16;  // the square every icon is drawn on

struct Pt {
  double x;
  double y;
};

using Shape = std::function<double(Pt)>;

Shape Circle(double cx, double cy, double r);
Shape Ellipse(double cx, double cy, double rx, double ry);
Shape Box(double x0, double y0, double x1, double y1, double r = 0);
Shape Line(std::vector<Pt> points, double w);
Shape Polygon(std::vector<Pt> points);
Shape Union(std::vector<Shape> shapes);
Shape Minus(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);
Shape Rotate(Shape shape, double degrees, double cx, double cy);
Shape Rim(Shape shape, double w);
Shape Inset(Shape shape, double w);
Shape Star(double cx, double cy, double outer, double inner, int points);

struct Colour {
  int r;
  int g;
  int b;
  double a = 1.0;
};

constexpr Colour Hex(std::uint32_t rgb, double a = 1.0) {
  return {static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF),
          static_cast<int>(rgb & 0xFF), a};
}

inline const Colour kWhite = Hex(0xFFFFFF);
inline const Colour kInk = Hex(0x263238);

// Pixels with premultiplied channels while drawing; `side` pixels show the 16 units.
class CCanvas {
 public:
  explicit CCanvas(int side) : side_(side), scale_(side / double{kUnits}), pixels_(side * side) {}

  // Paints `colour` wherever the shape covers the pixel, by the share of the 16 samples
  // that fall inside it.
  void Paint(const Shape& shape, Colour colour);

  // The shape in `fill` with a rim of `line`, `width` units wide, inside its boundary.
  void Outlined(const Shape& shape, Colour fill, Colour line, double width = 1.0);

  // Copies the picture into `target` at (left, top), with straight alpha.
  void CopyTo(TBitmap& target, int left, int top) const;

 private:
  struct Pixel {
    double r = 0;
    double g = 0;
    double b = 0;
    double a = 0;
  };
  int side_;
  double scale_;
  std::vector<Pixel> pixels_;
};

}  // namespace IconDrawing
