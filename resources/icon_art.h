#pragma once
// The program's own icons, drawn by code: the category icons, the extra marks of the clip
// tree and the application icon. Each is a small vector drawing on a 16-unit square,
// rasterised with 4 x 4 samples per pixel into 32-bit pixels with straight (not
// premultiplied) alpha in the fourth byte. make_icons writes the resource files from
// these pictures; a test checks that the files in the tree are its output.

#include <cstdint>
#include <string_view>
#include <vector>

#include "foundation/bitmap.h"

inline constexpr int kIconSide = 16;

// The names of the category icons, in image-list order ("folder", "star", ...).
const std::vector<std::string_view>& CategoryIconNames();

// The category icons side by side, `side` pixels each (16 in the resource, more at a higher
// dpi): (side x count) by side pixels, 32 bits.
TBitmap MakeCategoryIconsImage(int side = kIconSide);

// The extra marks of the clip tree side by side, `side` x `side` each. Image 0 is the
// hot-key mark.
TBitmap MakeMoreIconsImage(int side = kIconSide);

// The application icon drawn at `side` x `side` pixels, 32 bits.
TBitmap MakeMainIconImage(int side);

// An icon file (.ico) holding the application icon at 16, 20, 24, 32, 40 and 48 pixels (the
// small and large icons at 96, 120 and 144 dpi), 32 bits each with an AND mask, in that order.
std::vector<std::uint8_t> MakeMainIconFile();
