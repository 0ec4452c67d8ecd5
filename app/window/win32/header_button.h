#pragma once
// The two toggle buttons of the main window's header, drawn by the window itself
// (owner-drawn buttons): a pushpin, and an arrow that points down while the list is
// folded and up while it is shown. A button that is down looks pressed in.

#include "platform/windows_api.h"

enum class EHeaderGlyph { kPin, kOpenList };

// Draws the button of `draw` (from WM_DRAWITEM) with its glyph, down or up.
void DrawHeaderButton(const DRAWITEMSTRUCT& draw, EHeaderGlyph glyph, bool down);
