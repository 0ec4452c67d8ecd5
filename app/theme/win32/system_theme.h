#pragma once
// What Windows says of its look (the app theme, high contrast, its colours), and what the
// window asks of the system to match a look: a dark title bar and dark scroll bars.

#include "app/theme/theme_palette.h"
#include "platform/windows_api.h"

// True when the user chose the dark app theme (Personalize's AppsUseLightTheme is 0); false
// when the value is missing, as before Windows 10.
bool SystemAppsUseDarkTheme();

// True while the system's high contrast is on: SPI_GETHIGHCONTRAST, or the user's
// "Control Panel\Accessibility\HighContrast" Flags where the system does not answer.
bool SystemHighContrastOn();

// The system's colours now (GetSysColor).
SystemColours CurrentSystemColours();

// True for the messages after which the look may have changed: the system's colours, its
// app theme ("ImmersiveColorSet") or its high contrast.
bool IsSystemLookChange(UINT message, WPARAM wParam, LPARAM lParam);

// The title bar dark or light as `look` is (where the system has none to change, nothing
// happens), and `scrolled`'s scroll bars drawn dark for the dark look.
void ApplyLookToWindow(HWND window, HWND scrolled, EThemeLook look);
