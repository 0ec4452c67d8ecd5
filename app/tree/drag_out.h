#pragma once
// A clip dragged out of the window: when a drag with the left button leaves the window for
// another program, and what that program is given when the clip is dropped there.

#include <vector>

#include "platform/windows_api.h"
#include "store/clipboard_blocks.h"

class CBaseItem;

// How far, in pixels on either axis, the pointer goes from where the button went down
// before the press is a drag.
inline constexpr int kClipDragThreshold = 10;

// DROPEFFECT_COPY, the one effect a drag out offers: the other program gets a copy and the
// clip stays where it is.
inline constexpr DWORD kDragOutEffect = 1;

// Pixels in one coordinate space; a rectangle excludes its right and bottom edges.
struct DragPoint {
  int x = 0;
  int y = 0;
};
struct DragRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

enum class EClipDragStage {
  kPressed,   // not yet far enough from where the button went down to be a drag
  kInWindow,  // a drag within the window: a drop on a category row moves the clip
  kOutside,   // beyond the window: the clip goes to another program by drag and drop
};

// Where a press on a clip stands with the pointer at `pointer`: `start` is where the
// button went down, `started` whether an earlier move made it a drag already (a drag that
// comes back near its start stays one), `window` the whole window's rectangle. All three in
// the same coordinates.
EClipDragStage ClipDragStageAt(DragPoint start, DragPoint pointer, bool started,
                               const DragRect& window);

enum class EDragOutStep { kGoOn, kDrop, kCancel };

// What a drag out does next with the keys and buttons as they are: Escape, or a press of
// the right button, cancels it; letting go of the left button drops the clip where the
// pointer is.
EDragOutStep DragOutStepFor(bool escapePressed, bool leftButtonDown, bool rightButtonDown);

// What a program that the clip is dropped on receives: the formats a paste from the
// clipboard would find (CBaseItem::TransferBlocks), with CF_TEXT beside CF_UNICODETEXT in
// the system's ANSI code page, as the clipboard would convert it, and a file list's drop
// effect, when it has one, saying copy. Empty for a clip that holds no content.
std::vector<CClipBlock> DragOutBlocks(const CBaseItem& clip);
