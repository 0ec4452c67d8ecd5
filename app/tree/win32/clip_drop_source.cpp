#include "app/tree/win32/clip_drop_source.h"

#include "app/tree/drag_out.h"

HRESULT CClipDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState) {
  switch (DragOutStepFor(escapePressed != FALSE, (keyState & MK_LBUTTON) != 0,
                         (keyState & MK_RBUTTON) != 0)) {
    case EDragOutStep::kCancel:
      return DRAGDROP_S_CANCEL;
    case EDragOutStep::kDrop:
      return DRAGDROP_S_DROP;
    case EDragOutStep::kGoOn:
      break;
  }
  return S_OK;
}

HRESULT CClipDropSource::GiveFeedback(DWORD) {
  return DRAGDROP_S_USEDEFAULTCURSORS;
}
