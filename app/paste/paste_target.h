#pragma once
// Pasting into another program: the clip is already on the clipboard; WM_PASTE goes to the
// control that has the keyboard focus in the target window's thread.

#include "platform/windows_api.h"

// Handles the messages waiting in this thread's queue (the capture of the clip just put on
// the clipboard, among them). A WM_QUIT met there is put back for the message loop.
void ProcessWaitingMessages();

// Posts WM_PASTE to the focused control of `target`'s thread. False when that thread has
// no focused control or cannot be asked (no such window).
bool PostPasteToFocus(HWND target);

// The paste of quick paste and per-clip hot keys: waiting messages first, then 10 ms for
// the clipboard to settle, then WM_PASTE to the foreground window's focused control.
void PasteToFocusedControl();

// The popup's paste into the window that was in front when the popup opened: brings it to
// the front, then as PasteToFocusedControl, into `target`.
void PasteIntoTarget(HWND target);
