#include "tests/e2e/ole_drop_target.h"

#include <chrono>
#include <string>

#include "app/tree/win32/com_object.h"
#include "platform/handles.h"
#include "tests/e2e/desktop.h"
// After windows.h, which they need.
#include <ole2.h>

// Takes CF_UNICODETEXT into the edit; counts what it hears.
class COleDropTargetWindow::CTarget final : public CComObject<CTarget, IDropTarget> {
 public:
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    ++owner_.enters_;
    owner_.allowed_ = *effect;
    FORMATETC text = TextFormat();
    canTake_ = accept_ && data->QueryGetData(&text) == S_OK;
    *effect = Answer(*effect);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect = Answer(*effect);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    *effect = Answer(*effect);
    if (*effect == DROPEFFECT_NONE) return S_OK;
    FORMATETC text = TextFormat();
    STGMEDIUM medium{};
    if (data->GetData(&text, &medium) != S_OK) {
      *effect = DROPEFFECT_NONE;
      return S_OK;
    }
    {
      GlobalLockGuard lock(medium.hGlobal);
      if (lock.data() != nullptr) {
        SetWindowTextW(owner_.edit_, static_cast<const wchar_t*>(lock.data()));
      }
    }
    ReleaseStgMedium(&medium);
    ++owner_.drops_;
    return S_OK;
  }

 private:
  friend class CComObject<CTarget, IDropTarget>;
  CTarget(COleDropTargetWindow& owner, bool accept) : owner_(owner), accept_(accept) {}

  static FORMATETC TextFormat() {
    return FORMATETC{CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  }
  DWORD Answer(DWORD allowed) const {
    return canTake_ ? (allowed & DROPEFFECT_COPY) : DROPEFFECT_NONE;
  }

  COleDropTargetWindow& owner_;
  bool accept_;
  bool canTake_ = false;
};

COleDropTargetWindow::COleDropTargetWindow(RECT area, bool accept)
    : thread_([this, area, accept] { Run(area, accept); }) {
  PumpUntil([&] { return ready_ || finished_; });
}

COleDropTargetWindow::~COleDropTargetWindow() {
  PumpUntil([&] { return threadId_ != 0 || finished_; });
  if (!finished_) PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
  // Pumped while it ends: the window's destruction may send to this thread's windows.
  PumpUntil([&] { return finished_.load(); });
  thread_.join();
}

std::u16string COleDropTargetWindow::Text() const {
  return edit_ != nullptr ? WindowText(edit_) : std::u16string();
}

void COleDropTargetWindow::Run(RECT area, bool accept) {
  threadId_ = GetCurrentThreadId();
  if (SUCCEEDED(OleInitialize(nullptr))) {
    HWND frame = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"Drop target", WS_POPUP | WS_VISIBLE,
                                 area.left, area.top, area.right - area.left,
                                 area.bottom - area.top, nullptr, nullptr, nullptr, nullptr);
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE,
                                0, 0, area.right - area.left, area.bottom - area.top, frame,
                                nullptr, nullptr, nullptr);
    edit_ = edit;
    const CComRef<IDropTarget> target = CTarget::Make(*this, accept);
    if (frame != nullptr && edit != nullptr && SUCCEEDED(RegisterDragDrop(edit, target.get()))) {
      ready_ = true;
      MSG message;
      while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      RevokeDragDrop(edit);
    }
    edit_ = nullptr;
    if (frame != nullptr) DestroyWindow(frame);
    OleUninitialize();
  }
  finished_ = true;
}
