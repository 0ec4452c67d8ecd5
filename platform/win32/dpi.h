#pragma once
// Sizes are designed at 96 dots per inch and scaled to the screen's where they are used.

#include <string_view>

#include "platform/win32/gdi.h"

// The screen's horizontal dots per inch; 96 when the system cannot say.
int ScreenDpi();

// A design value at 96 dots per inch, scaled to `dpi` (rounded, as MulDiv does).
inline int ScaleToDpi(int designValue, int dpi) { return MulDiv(designValue, dpi, 96); }

// The font `face` with the design height `designHeight` (negative: character height, as a
// form's font height), scaled to `dpi`. Null when the system refuses.
UniqueFont MakeFont(std::wstring_view face, int designHeight, int dpi, bool bold = false);
