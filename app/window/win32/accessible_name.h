#pragma once
// Names for screen readers of controls whose window text is not their name (an edit field's
// text is what the user typed): the system's direct annotation of an accessible element.

#include "platform/windows_api.h"

// Has assistive programs name `control` (a window of the calling thread) `name` from now
// on. False when the system offers no annotation (it does not under Wine); the control then
// goes without a name, as it did before.
bool SetAccessibleName(HWND control, const wchar_t* name);
