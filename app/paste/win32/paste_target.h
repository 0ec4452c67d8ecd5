#pragma once
// Pasting into another program, once the clip is on the clipboard: by the paste message
// to the focused control of the target's thread or by the paste keystroke, as the paste
// method and the focused control say (paste_method.h).

#include "app/paste/paste_method.h"
#include "platform/windows_api.h"

// Handles the messages waiting in this thread's queue (the capture of the clip just put on
// the clipboard, among them). A WM_QUIT met there is put back for the message loop.
void ProcessWaitingMessages();

// The paste of quick paste and per-clip hot keys, into the window in front: waiting
// messages first, then 10 ms for the clipboard to settle, then the paste. True when a
// paste was sent (posted, or typed: then keys went into the key state).
bool PasteToFocusedControl(EPasteMethod method);

// Brings `window` to the front: asked first; should the system refuse (another program is
// in front), once more after an Alt press, which lifts the foreground lock. Waits a bounded
// time for the system to have done it; true once `window` is in front.
bool BringToFront(HWND window);

// The popup's paste into `target`, the window that was in front when the popup opened
// (the popup itself has the focus now). Brings `target` to the front and waits, a bounded
// time, for the system to have put it there; then as PasteToFocusedControl into it. The
// keystroke is typed only when `target` did come to the front, so that it never lands in
// another window; the message needs no focus and is posted either way.
bool PasteIntoTarget(HWND target, EPasteMethod method);
