#pragma once
// Dragging a clip out of the window into another program with the system's drag and drop.

#include <vector>

#include "platform/windows_api.h"
#include "store/clipboard_blocks.h"

// OLE on the calling thread for the object's lifetime, which the system's drag and drop
// needs; a thread that is in OLE already stays as it was.
class COleThread {
 public:
  COleThread();
  ~COleThread();
  COleThread(const COleThread&) = delete;
  COleThread& operator=(const COleThread&) = delete;

  // False when the thread could not enter OLE (it is in COM's multithreaded apartment).
  bool Entered() const { return entered_; }

 private:
  bool entered_ = false;
};

// Runs the system's drag of `blocks` (DragOutBlocks) from where the pointer is until the
// user drops them or cancels, on a thread in OLE (COleThread) whose left button is down.
// Offers a copy only. The effect the target took: kDragOutEffect, or DROPEFFECT_NONE when
// the drop was cancelled, refused or made where nothing takes one, or when the drag could
// not start (logged).
DWORD DragClipOut(std::vector<CClipBlock> blocks);
