#pragma once
// Sizes are designed at 96 dots per inch and scaled to the dpi of the monitor that shows
// them (platform/dpi_scale.h holds the rules). The program is aware of each monitor's dpi
// (per-monitor v2, see the manifest): a window takes the dpi of its monitor when it opens
// and follows WM_DPICHANGED. The calls that say a window's or a monitor's dpi came with
// Windows 8.1 and 10; on older systems every monitor has the system's dpi.

#include <string_view>

#include "platform/dpi_scale.h"
#include "platform/win32/gdi.h"

// The system's dpi (that of the primary monitor at logon); 96 when the system cannot say.
int ScreenDpi();

// The dpi the system gives `window` now: that of its monitor, for a program aware of each
// monitor's dpi.
int DpiOfWindow(HWND window);

// The dpi of the monitor nearest to `point` or to `rect` (screen coordinates).
int DpiAtPoint(POINT point);
int DpiOfRect(const RECT& rect);

// The side of a small icon (the tray's, a window's caption) at `dpi`.
int SmallIconSide(int dpi);

// AdjustWindowRectEx with the frame of `dpi`.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);

// Keeps the dialog manager from scaling `dialog` itself on WM_DPICHANGED (Windows 10
// 1703 and later do so for dialogs): ours are laid out in code and scale their own
// controls and fonts from their design values.
void LeaveDpiScalingToDialog(HWND dialog);

// The font `face` with the design height `designHeight` (negative: character height, as a
// form's font height), scaled to `dpi`. Null when the system refuses.
UniqueFont MakeFont(std::wstring_view face, int designHeight, int dpi, bool bold = false);
