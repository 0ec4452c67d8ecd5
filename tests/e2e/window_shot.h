#pragma once
// Pictures of the program's windows as the screen shows them, kept for a person to look at
// (the before and after of a change to how the window looks), never compared by a test.

#include <string>

#include "platform/windows_api.h"

// Writes what the screen shows of `window` (its whole rectangle) to NAME.png in the folder
// that the environment variable QUILLERY_E2E_SHOTS names, NAME prefixed with
// QUILLERY_E2E_SHOT_PREFIX and a dash when that is set. Does nothing without the folder;
// a picture that cannot be written is left out, as nothing depends on it.
void KeepWindowShot(HWND window, const std::string& name);
