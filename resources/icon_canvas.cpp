#include "resources/icon_canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace IconDrawing {

namespace {

double Length(double x, double y) {
  return std::sqrt(x * x + y * y);
}

double SegmentDistance(Pt p, Pt a, Pt b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double lengthSquared = dx * dx + dy * dy;
  double t = lengthSquared > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared : 0;
  t = std::clamp(t, 0.0, 1.0);
  return Length(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

}  // namespace

Shape Circle(double cx, double cy, double r) {
  return [=](Pt p) { return Length(p.x - cx, p.y - cy) - r; };
}

// Exact on the boundary's sign; the distance is an estimate, which is all outlines need.
Shape Ellipse(double cx, double cy, double rx, double ry) {
  return [=](Pt p) { return (Length((p.x - cx) / rx, (p.y - cy) / ry) - 1) * std::min(rx, ry); };
}

// The rectangle (x0, y0)-(x1, y1) with corners rounded by `r`.
Shape Box(double x0, double y0, double x1, double y1, double r) {
  return [=](Pt p) {
    const double qx = std::abs(p.x - (x0 + x1) / 2) - ((x1 - x0) / 2 - r);
    const double qy = std::abs(p.y - (y0 + y1) / 2) - ((y1 - y0) / 2 - r);
    return Length(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - r;
  };
}

// A stroke of width `w` with round ends through the points.
Shape Line(std::vector<Pt> points, double w) {
  return [points = std::move(points), w](Pt p) {
    double best = 1e9;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
      best = std::min(best, SegmentDistance(p, points[i], points[i + 1]));
    }
    return best - w / 2;
  };
}

Shape Polygon(std::vector<Pt> points) {
  return [points = std::move(points)](Pt p) {
    double best = 1e9;
    bool inside = false;
    for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      const Pt a = points[j];
      const Pt b = points[i];
      best = std::min(best, SegmentDistance(p, a, b));
      if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
        inside = !inside;
      }
    }
    return inside ? -best : best;
  };
}

Shape Union(std::vector<Shape> shapes) {
  return [shapes = std::move(shapes)](Pt p) {
    double best = 1e9;
    for (const Shape& shape : shapes) best = std::min(best, shape(p));
    return best;
  };
}

Shape Minus(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](Pt p) { return std::max(a(p), -b(p)); };
}

Shape Intersect(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](Pt p) { return std::max(a(p), b(p)); };
}

// The shape turned by `degrees` (clockwise on the screen) about (cx, cy).
Shape Rotate(Shape shape, double degrees, double cx, double cy) {
  const double angle = degrees * std::numbers::pi / 180;
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  return [shape = std::move(shape), c, s, cx, cy](Pt p) {
    const double dx = p.x - cx;
    const double dy = p.y - cy;
    return shape(Pt{cx + dx * c + dy * s, cy - dx * s + dy * c});
  };
}

// A band of width `w` along the shape's boundary, inside it.
Shape Rim(Shape shape, double w) {
  return [shape = std::move(shape), w](Pt p) {
    const double d = shape(p);
    return std::max(d, -d - w);
  };
}

// The shape shrunk by `w` all round.
Shape Inset(Shape shape, double w) {
  return [shape = std::move(shape), w](Pt p) { return shape(p) + w; };
}

// A regular star of `points` points about (cx, cy), the first pointing up.
Shape Star(double cx, double cy, double outer, double inner, int points) {
  std::vector<Pt> corners;
  for (int i = 0; i < points * 2; ++i) {
    const double r = i % 2 == 0 ? outer : inner;
    const double angle = std::numbers::pi * i / points - std::numbers::pi / 2;
    corners.push_back({cx + r * std::cos(angle), cy + r * std::sin(angle)});
  }
  return Polygon(std::move(corners));
}

void CCanvas::Paint(const Shape& shape, Colour colour) {
  constexpr int kSamples = 4;
  for (int y = 0; y < side_; ++y) {
    for (int x = 0; x < side_; ++x) {
      int covered = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const Pt p{(x + (sx + 0.5) / kSamples) / scale_, (y + (sy + 0.5) / kSamples) / scale_};
          if (shape(p) <= 0) ++covered;
        }
      }
      if (covered == 0) continue;
      const double alpha = colour.a * covered / (kSamples * kSamples);
      Pixel& pixel = pixels_[static_cast<std::size_t>(y * side_ + x)];
      pixel.r = colour.r * alpha + pixel.r * (1 - alpha);
      pixel.g = colour.g * alpha + pixel.g * (1 - alpha);
      pixel.b = colour.b * alpha + pixel.b * (1 - alpha);
      pixel.a = alpha + pixel.a * (1 - alpha);
    }
  }
}

void CCanvas::Outlined(const Shape& shape, Colour fill, Colour line, double width) {
  Paint(shape, line);
  Paint(Inset(shape, width), fill);
}

void CCanvas::CopyTo(TBitmap& target, int left, int top) const {
  for (int y = 0; y < side_; ++y) {
    std::uint8_t* row = target.Row(top + y) + static_cast<std::size_t>(left) * 4;
    for (int x = 0; x < side_; ++x) {
      const Pixel& pixel = pixels_[static_cast<std::size_t>(y * side_ + x)];
      const int alpha = static_cast<int>(std::lround(pixel.a * 255));
      auto channel = [&](double value) {
        if (alpha == 0) return std::uint8_t{0};
        return static_cast<std::uint8_t>(std::clamp(std::lround(value / pixel.a), 0L, 255L));
      };
      row[x * 4 + 0] = channel(pixel.b);
      row[x * 4 + 1] = channel(pixel.g);
      row[x * 4 + 2] = channel(pixel.r);
      row[x * 4 + 3] = static_cast<std::uint8_t>(alpha);
    }
  }
}

}  // namespace IconDrawing
