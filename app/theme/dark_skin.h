#pragma once
// The dark look's skin, made from the light one: the same bands in the same places (the rows
// still pick them by band), each colour a quarter as bright, so that light text reads on it.

#include "foundation/bitmap.h"

// A 24-bit picture of `light`'s size whose every pixel is `light`'s at a quarter of each
// channel. Empty for an empty `light`.
TBitmap MakeDarkSkin(const TBitmap& light);
