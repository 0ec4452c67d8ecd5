#pragma once
// Pasting into another program, once the clip is on the clipboard: by the paste message
// to the focused control of the target's thread or by the paste keystroke, as the paste
// method and the focused control say (paste_method.h), with the decisions of
// target_paste.h.

#include "app/paste/paste_method.h"
#include "app/paste/target_paste.h"
#include "platform/windows_api.h"

// Handles the messages waiting in this thread's queue (the capture of the clip just put on
// the clipboard, among them). A WM_QUIT met there is put back for the message loop.
void ProcessWaitingMessages();

// The paste of quick paste and per-clip hot keys, into the window in front
// (PasteIntoFront).
EPasteResult PasteToFocusedControl(EPasteMethod method);

// Brings `window` to the front (BringTargetToFront); true once it is in front.
bool BringToFront(HWND window);

// The popup's paste into `target`, the window that was in front when the popup opened
// (PasteIntoTarget).
EPasteResult PasteIntoTarget(HWND target, EPasteMethod method);
