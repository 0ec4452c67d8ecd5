#pragma once
// The image lists of the program's own icons, 32 bits with alpha and a mask: at 16 x 16
// (96 dpi) from the executable's bitmap resources, drawn by resources/make_icons.cpp; at any
// other side drawn by the same code (resources/icon_art.h) when they are loaded.

#include "platform/win32/gdi.h"

// The icons' side at 96 dots per inch.
inline constexpr int kCategoryIconDesignSide = 16;

// "CategoriesIcons": the category icons, one per image, in the order that a category's
// iconIndex counts (folder, star, heart, flag, code, mail, link, document, ...). Empty when
// the resource is missing.
UniqueImageList LoadCategoriesIcons(int side = 16);

// The category icons at `side`: `given` (not owned) when its images are that size, else
// the icons drawn at `side` into `own`, which the caller keeps while it shows them.
HIMAGELIST CategoryIconsOfSide(HIMAGELIST given, int side, UniqueImageList& own);

// "MoreIcons": the clip tree's extra marks; image 0 is the hot-key mark.
UniqueImageList LoadMoreIcons(int side = 16);
