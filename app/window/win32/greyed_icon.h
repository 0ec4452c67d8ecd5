#pragma once
// The paused look of an icon, drawn at run time from the icon itself: its colours turned
// to a light grey, its shape and transparency kept.

#include "platform/win32/gdi.h"

// A new icon of the same size as `icon`; null when the system gives no colour pixels of it
// (a monochrome icon) or refuses the new one.
UniqueIcon MakeGreyedIcon(HICON icon);
