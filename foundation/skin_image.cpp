#include "foundation/skin_image.h"

namespace {

struct Rgb {
  int red;
  int green;
  int blue;
};

// A stretch of a gradient: from `from` on row `first` to `to` on row `last`.
struct Stretch {
  int first;
  int last;
  Rgb from;
  Rgb to;
};

constexpr int kMiddleOffset = 12;

constexpr Rgb kBand0Line{168, 124, 64};
constexpr Stretch kStretches[] = {
    {1, kMiddleOffset, {245, 200, 115}, {238, 186, 101}},
    {kMiddleOffset, 25, {238, 186, 101}, {224, 164, 80}},
    {26, 26 + kMiddleOffset, {202, 227, 248}, {186, 218, 246}},
    {26 + kMiddleOffset, 51, {186, 218, 246}, {163, 203, 243}},
    {52, 52 + kMiddleOffset, {226, 240, 250}, {216, 235, 250}},
    {52 + kMiddleOffset, 77, {216, 235, 250}, {202, 227, 248}},
    {78, 78 + kMiddleOffset, {103, 164, 229}, {80, 140, 221}},
    {78 + kMiddleOffset, 103, {80, 140, 221}, {45, 107, 213}},
};

// Rounds to the nearest, the halves away from `from`, so both ends come out exact.
int Between(int from, int to, int step, int steps) {
  const int scaled = (to - from) * step * 2;
  const int rounded =
      scaled >= 0 ? (scaled + steps) / (2 * steps) : -((-scaled + steps) / (2 * steps));
  return from + rounded;
}

std::uint32_t Pack(Rgb colour) {
  return static_cast<std::uint32_t>(colour.red << 16 | colour.green << 8 | colour.blue);
}

}  // namespace

std::uint32_t SkinRowColour(int row) {
  if (row == 0) return Pack(kBand0Line);
  for (const Stretch& stretch : kStretches) {
    if (row < stretch.first || row > stretch.last) continue;
    const int steps = stretch.last - stretch.first;
    const int step = row - stretch.first;
    return Pack({Between(stretch.from.red, stretch.to.red, step, steps),
                 Between(stretch.from.green, stretch.to.green, step, steps),
                 Between(stretch.from.blue, stretch.to.blue, step, steps)});
  }
  return 0;
}

TBitmap MakeSkinImage() {
  TBitmap skin(kSkinWidth, kSkinHeight, 24);
  for (int y = 0; y < kSkinHeight; ++y) {
    const std::uint32_t colour = SkinRowColour(y);
    std::uint8_t* pixel = skin.Row(y);
    for (int x = 0; x < kSkinWidth; ++x, pixel += 3) {
      pixel[0] = static_cast<std::uint8_t>(colour);        // blue
      pixel[1] = static_cast<std::uint8_t>(colour >> 8);   // green
      pixel[2] = static_cast<std::uint8_t>(colour >> 16);  // red
    }
  }
  return skin;
}
