#include "tests/support/screen_text_marks.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "app/theme/contrast.h"

namespace {

// Below this a pixel differs from its background too little to be seen as part of a mark:
// the faintest edge pixels of anti-aliased text.
constexpr double kInkContrast = 1.2;
// How far (in 0-255 units) a pixel of a text mark may lie from the line between the
// background and the mark's colour, and the share of its pixels that must lie on it.
constexpr double kOnBlendLine = 40;
constexpr double kTextShare = 0.9;
// A mark at most this thin and at least this long is a line, not a letter.
constexpr int kLineThickness = 2;
constexpr int kLineLength = 16;
// Marks this small are specks (the dots of a focus rectangle, a full stop, the dot of an i),
// too small to judge a text's colour by.
constexpr int kSpeck = 2;
// A patch at least this big that covers more than this share of its box is a filled shape (an
// icon in one hue), not writing, whose strokes leave most of their box empty.
constexpr int kShapeSize = 8;
// The widest gap between two letters of one word, in pixels.
constexpr int kLetterGap = 1;
constexpr double kShapeFill = 0.6;

std::uint32_t MostCommonColour(const ScreenImage& image, int y, int left, int right) {
  std::unordered_map<std::uint32_t, int> counts;
  std::uint32_t best = image.At(left, y);
  int bestCount = 0;
  for (int x = left; x < right; ++x) {
    const int count = ++counts[image.At(x, y)];
    if (count > bestCount) {
      bestCount = count;
      best = image.At(x, y);
    }
  }
  return best;
}

double Channel(std::uint32_t rgb, int shift) {
  return static_cast<double>((rgb >> shift) & 0xFF);
}

// How far `pixel` lies from the blends of `background` and `ink`.
double DistanceFromBlendLine(std::uint32_t pixel, std::uint32_t background, std::uint32_t ink) {
  double along = 0;
  double length = 0;
  for (int shift : {16, 8, 0}) {
    const double towardsInk = Channel(ink, shift) - Channel(background, shift);
    along += (Channel(pixel, shift) - Channel(background, shift)) * towardsInk;
    length += towardsInk * towardsInk;
  }
  const double t = length == 0 ? 0 : std::clamp(along / length, 0.0, 1.0);
  double squared = 0;
  for (int shift : {16, 8, 0}) {
    const double blend =
        Channel(background, shift) + t * (Channel(ink, shift) - Channel(background, shift));
    const double off = Channel(pixel, shift) - blend;
    squared += off * off;
  }
  return std::sqrt(squared);
}

struct Patch {
  std::vector<std::pair<int, int>> pixels;
  ImageRect bounds;

  int Width() const { return bounds.right - bounds.left; }
  int Height() const { return bounds.bottom - bounds.top; }
  bool IsSpeck() const { return Width() <= kSpeck && Height() <= kSpeck; }
  bool IsLine() const {
    return (Width() <= kLineThickness && Height() >= kLineLength) ||
           (Height() <= kLineThickness && Width() >= kLineLength);
  }
};

// The patches of the `ink` mask (`width` pixels a row), each pixel joined to the others of
// `ink` up to `reach` columns and one row away.
std::vector<Patch> FindPatches(const std::vector<char>& ink, int width, int reach) {
  const int height = static_cast<int>(ink.size()) / width;
  auto index = [width](int x, int y) { return static_cast<std::size_t>(y) * width + x; };
  std::vector<char> seen(ink.size(), 0);
  std::vector<Patch> patches;
  for (int startY = 0; startY < height; ++startY) {
    for (int startX = 0; startX < width; ++startX) {
      if (!ink[index(startX, startY)] || seen[index(startX, startY)]) continue;
      Patch patch;
      patch.bounds = {startX, startY, startX + 1, startY + 1};
      std::vector<std::pair<int, int>> waiting{{startX, startY}};
      seen[index(startX, startY)] = 1;
      while (!waiting.empty()) {
        const auto [x, y] = waiting.back();
        waiting.pop_back();
        patch.pixels.emplace_back(x, y);
        patch.bounds.left = std::min(patch.bounds.left, x);
        patch.bounds.top = std::min(patch.bounds.top, y);
        patch.bounds.right = std::max(patch.bounds.right, x + 1);
        patch.bounds.bottom = std::max(patch.bounds.bottom, y + 1);
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -reach; dx <= reach; ++dx) {
            const int nx = x + dx;
            const int ny = y + dy;
            if (nx < 0 || ny < 0 || nx >= width || ny >= height) continue;
            if (!ink[index(nx, ny)] || seen[index(nx, ny)]) continue;
            seen[index(nx, ny)] = 1;
            waiting.emplace_back(nx, ny);
          }
        }
      }
      patches.push_back(std::move(patch));
    }
  }
  return patches;
}

}  // namespace

ScreenTextMarks FindTextMarks(const ScreenImage& image, ImageRect region) {
  region.left = std::max(region.left, 0);
  region.top = std::max(region.top, 0);
  region.right = std::min(region.right, image.width);
  region.bottom = std::min(region.bottom, image.height);
  ScreenTextMarks result;
  if (region.left >= region.right || region.top >= region.bottom) return result;
  const int width = region.right - region.left;
  const int height = region.bottom - region.top;

  std::vector<std::uint32_t> background(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y)
    background[y] = MostCommonColour(image, region.top + y, region.left, region.right);
  auto index = [&](int x, int y) { return static_cast<std::size_t>(y) * width + x; };
  std::vector<char> ink(static_cast<std::size_t>(width) * height, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      ink[index(x, y)] =
          ContrastRatio(image.At(region.left + x, region.top + y), background[y]) >= kInkContrast;
    }
  }

  // Specks and lines first, each pixel joined only to the eight around it, and taken out, so
  // that no text is joined to a focus rectangle or a divider beside it.
  for (const Patch& patch : FindPatches(ink, width, 1)) {
    if (!patch.IsSpeck() && !patch.IsLine()) continue;
    ++result.otherMarks;
    for (const auto& [x, y] : patch.pixels) ink[index(x, y)] = 0;
  }
  // Then words: letters joined across the gap of a pixel between them, so that a thin
  // letter whose anti-aliased stem never reaches the text's colour is judged with its word.
  for (const Patch& patch : FindPatches(ink, width, kLetterGap + 1)) {
    const int patchWidth = patch.Width();
    const int patchHeight = patch.Height();
    const bool shape =
        patchWidth >= kShapeSize && patchHeight >= kShapeSize &&
        static_cast<double>(patch.pixels.size()) > kShapeFill * patchWidth * patchHeight;
    TextMark mark;
    for (const auto& [x, y] : patch.pixels) {
      const std::uint32_t pixel = image.At(region.left + x, region.top + y);
      const double contrast = ContrastRatio(pixel, background[y]);
      if (contrast > mark.contrast) {
        mark.contrast = contrast;
        mark.ink = pixel;
        mark.background = background[y];
      }
    }
    std::size_t onLine = 0;
    for (const auto& [x, y] : patch.pixels) {
      onLine += DistanceFromBlendLine(image.At(region.left + x, region.top + y), background[y],
                                      mark.ink) <= kOnBlendLine;
    }
    const bool oneColour =
        static_cast<double>(onLine) >= kTextShare * static_cast<double>(patch.pixels.size());
    if (shape || !oneColour) {
      ++result.otherMarks;
      continue;
    }
    mark.bounds = {region.left + patch.bounds.left, region.top + patch.bounds.top,
                   region.left + patch.bounds.right, region.top + patch.bounds.bottom};
    result.texts.push_back(mark);
  }
  return result;
}
