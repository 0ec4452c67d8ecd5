#pragma once
// The image lists of the program's own icons, made from the executable's bitmap resources
// (drawn by resources/make_icons.cpp): 16 x 16, 32 bits with alpha and a mask.

#include "platform/win32/gdi.h"

// "CategoriesIcons": the category icons, one per image, in the order that a category's
// iconIndex counts (folder, star, heart, flag, code, mail, link, document, ...). Empty when
// the resource is missing.
UniqueImageList LoadCategoriesIcons();

// "MoreIcons": the clip tree's extra marks; image 0 is the hot-key mark.
UniqueImageList LoadMoreIcons();
