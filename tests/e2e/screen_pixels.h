#pragma once
// What the screen shows, as pixels a test can read.

#include "platform/windows_api.h"
#include "tests/support/screen_text_marks.h"

// The pixels of `rect` (screen coordinates) as the screen shows them now; empty when they
// cannot be read.
ScreenImage ScreenPixels(const RECT& rect);
