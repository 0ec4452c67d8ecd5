#pragma once
// The texts in a picture of the screen and how far each stands out from what is behind it,
// found from the pixels alone, the way a person checking a screenshot would: each scan line's
// most common colour is its background, and each patch of other pixels drawn in one colour
// (with its anti-aliased edges between that colour and the background) is a text mark.
// Patches of many colours (icons, pictures), filled shapes, long thin lines (frames,
// separators) and specks (the dots of a focus rectangle) are counted apart and not judged.

#include <cstdint>
#include <vector>

// Pixels as 0xRRGGBB, row by row from the top.
struct ScreenImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  std::uint32_t At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
};

// Half-open: left and top inside, right and bottom outside.
struct ImageRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct TextMark {
  ImageRect bounds;
  std::uint32_t ink = 0;         // the mark's own colour: its pixel farthest from the background
  std::uint32_t background = 0;  // behind that pixel
  double contrast = 1;           // of the two
};

struct ScreenTextMarks {
  std::vector<TextMark> texts;
  int otherMarks = 0;  // icons, pictures and lines, not judged
};

// The marks inside `region` (clipped to the image).
ScreenTextMarks FindTextMarks(const ScreenImage& image, ImageRect region);
