#pragma once
// The two toggle buttons of the main window's header, drawn by the window itself
// (owner-drawn buttons): a pushpin, and an arrow that points down while the list is
// folded and up while it is shown. A button that is down looks pressed in.

#include "app/theme/theme_palette.h"
#include "platform/windows_api.h"

enum class EHeaderGlyph { kPin, kOpenList };

// The buttons' window texts: drawn by no one, they are the names that screen readers say.
inline constexpr wchar_t kPinButtonName[] = L"Pin the list";
inline constexpr wchar_t kOpenButtonName[] = L"Show or hide the list";

// Draws the button of `draw` (from WM_DRAWITEM) with its glyph, down or up, in the header's
// `colours`, and a focus rectangle while it has the keyboard.
void DrawHeaderButton(const DRAWITEMSTRUCT& draw, EHeaderGlyph glyph, bool down,
                      const HeaderColours& colours);
