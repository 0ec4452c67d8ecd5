#pragma once
// CClipDropSource: the side of a drag out that the system asks, as the keys and buttons
// change, whether the drag goes on, and what the cursor shows.

#include "app/tree/win32/com_object.h"
// After windows.h, which it needs.
#include <oleidl.h>

// Made by Make().
class CClipDropSource final : public CComObject<CClipDropSource, IDropSource> {
 public:
  // DragOutStepFor: Escape or the right button cancels, releasing the left button drops.
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
  // The system's own cursors for each effect.
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;

 private:
  friend class CComObject<CClipDropSource, IDropSource>;
  CClipDropSource() = default;
};
