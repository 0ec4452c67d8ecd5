#pragma once
// The skin: the strip of row backgrounds that the clip trees paint their rows with. Four
// bands of 26 pixel rows, each a vertical gradient, every pixel row of one colour; a band
// is copied, stretched, into a row's rectangle. 50 x 104 pixels at 24 bits.
//
//   band 0, rows  0-25,  orange:      a dark line on row 0, then a gradient from row 1
//   band 1, rows 26-51,  light blue
//   band 2, rows 52-77,  pale blue
//   band 3, rows 78-103, strong blue
//
// Each gradient runs linearly through three colours: on its first row, 12 rows below the
// band's top, and on its last row.

#include <cstdint>

#include "foundation/bitmap.h"

inline constexpr int kSkinWidth = 50;
inline constexpr int kSkinBandRows = 26;
inline constexpr int kSkinBands = 4;
inline constexpr int kSkinHeight = kSkinBandRows * kSkinBands;

// The colour of a pixel row of the skin as 0x00RRGGBB; 0 outside 0..103.
std::uint32_t SkinRowColour(int row);

// The skin picture that the program's bitmap resource "MAIN_SKIN" holds.
TBitmap MakeSkinImage();

// The skin as the program has it: on Windows read from the resource "MAIN_SKIN" of the
// executable, natively made by MakeSkinImage. Throws CPictureError when the resource is
// missing or is not a bitmap the program can read.
TBitmap LoadSkinImage();
