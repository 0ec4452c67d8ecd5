#include "app/tree/win32/clip_drag_out.h"

#include <string>
#include <utility>

#include "app/tree/drag_out.h"
#include "app/tree/win32/clip_data_object.h"
#include "app/tree/win32/clip_drop_source.h"
#include "foundation/log.h"
// After windows.h, which it needs.
#include <ole2.h>

COleThread::COleThread() : entered_(SUCCEEDED(OleInitialize(nullptr))) {
  if (!entered_) LogError("Dragging clips out is not available: OLE could not be started");
}

COleThread::~COleThread() {
  if (entered_) OleUninitialize();
}

DWORD DragClipOut(std::vector<CClipBlock> blocks) {
  const CComRef<IDataObject> data = CClipDataObject::Make(std::move(blocks));
  const CComRef<IDropSource> source = CClipDropSource::Make();
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT result = DoDragDrop(data.get(), source.get(), kDragOutEffect, &effect);
  if (FAILED(result)) {
    LogError("The clip could not be dragged out (error " +
             std::to_string(static_cast<unsigned long>(result)) + ")");
    return DROPEFFECT_NONE;
  }
  return result == DRAGDROP_S_DROP ? (effect & kDragOutEffect) : DROPEFFECT_NONE;
}
