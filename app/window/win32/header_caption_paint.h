#pragma once
// The header's caption label, drawn by the window itself (an owner-drawn static), so that
// it takes the look's colours and its text stands in the middle of the header's height.

#include "app/theme/theme_palette.h"
#include "platform/windows_api.h"

// Draws the label of `draw` (from WM_DRAWITEM): its window text in its font and the header's
// `colours`, broken at words and centred in the label's height.
void DrawHeaderCaption(const DRAWITEMSTRUCT& draw, const HeaderColours& colours);
