#include "bench/program/bare_clipboard_viewer.h"

namespace {

constexpr wchar_t kViewerClass[] = L"QuilleryBareClipboardViewer";

}  // namespace

CBareClipboardViewer::CBareClipboardViewer() {
  static const ATOM registered = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kViewerClass;
    return RegisterClassW(&windowClass);
  }();
  (void)registered;
  window_.reset(CreateWindowExW(0, kViewerClass, L"Bare clipboard viewer", 0, 0, 0, 0, 0,
                                HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr));
  if (!window_) return;
  SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  listening_ = AddClipboardFormatListener(window_.get()) != FALSE;
}

CBareClipboardViewer::~CBareClipboardViewer() {
  if (listening_) RemoveClipboardFormatListener(window_.get());
}

LRESULT CALLBACK CBareClipboardViewer::Proc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  if (message == WM_CLIPBOARDUPDATE) {
    auto* viewer =
        reinterpret_cast<CBareClipboardViewer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (viewer != nullptr) viewer->ReadClipboard();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void CBareClipboardViewer::ReadClipboard() {
  if (!OpenClipboard(window_.get())) return;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* text = static_cast<const char16_t*>(GlobalLock(data))) {
      const SIZE_T bytes = GlobalSize(data);
      std::u16string read(text, bytes / sizeof(char16_t));
      read.resize(read.find(u'\0') == std::u16string::npos ? read.size() : read.find(u'\0'));
      texts_.insert(std::move(read));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
}
