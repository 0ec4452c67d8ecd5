#include "app/editor/win32/clip_editor_form.h"

#include <algorithm>
#include <utility>

#include "app/theme/win32/system_theme.h"
#include "foundation/question_box.h"
#include "platform/win32/dpi.h"
#include "platform/win32/window.h"
// After windows.h, which it needs.
#include <commctrl.h>

namespace {

constexpr int kIdEditorText = 101;
constexpr int kIdEditorHint = 102;
constexpr UINT_PTR kEditorSubclassId = 0x5145;

// Design sizes at 96 dpi.
constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

bool CtrlOnly() {
  return GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0;
}

}  // namespace

TClipEditorForm::TClipEditorForm(CDataBase& store, CClipEditorTarget target, const EditorRect& list,
                                 const ThemePalette& palette)
    : store_(store),
      editor_(*this, std::move(target)),
      list_(list),
      look_(palette.look),
      colours_(EditorColoursFor(palette)) {
  if (colours_) {
    background_.reset(CreateSolidBrush(ToColorRef(colours_->background)));
    editBackground_.reset(CreateSolidBrush(ToColorRef(colours_->editBackground)));
  }
  const std::u16string title = editor_.Title();
  SetForm(std::wstring(title.begin(), title.end()), kEditorWidth, kEditorHeight, L"Tahoma", -13);
}

int TClipEditorForm::Execute(HWND owner) {
  Run(owner);
  return editor_.SavedClipId();
}

bool TClipEditorForm::OnInit() {
  // The dialog is made with a fixed frame; the editor may be resized.
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
  SetWindowLongPtrW(
      Handle(), GWL_STYLE,
      static_cast<LONG_PTR>((style & ~DWORD{DS_MODALFRAME}) | WS_THICKFRAME | WS_MAXIMIZEBOX));
  edit_ = AddControl(WC_EDITW, {},
                     WS_TABSTOP | WS_VSCROLL | WS_BORDER | ES_MULTILINE | ES_WANTRETURN |
                         ES_AUTOVSCROLL | ES_NOHIDESEL,
                     kMargin, kMargin, kEditorWidth - 2 * kMargin,
                     kEditorHeight - 3 * kMargin - kButtonHeight, kIdEditorText);
  const int buttonsTop = kEditorHeight - kMargin - kButtonHeight;
  AddControl(L"STATIC", L"Ctrl+Enter saves, Esc closes", SS_LEFT | SS_CENTERIMAGE, kMargin,
             buttonsTop, 190, kButtonHeight, kIdEditorHint);
  AddControl(L"BUTTON", L"&Save", WS_TABSTOP | BS_DEFPUSHBUTTON,
             kEditorWidth - 2 * kMargin - 2 * kButtonWidth, buttonsTop, kButtonWidth, kButtonHeight,
             IDOK);
  AddControl(L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON,
             kEditorWidth - kMargin - kButtonWidth, buttonsTop, kButtonWidth, kButtonHeight,
             IDCANCEL);
  if (edit_ == nullptr) return false;
  ApplyLookToWindow(Handle(), edit_, look_);
  // A multi-line edit holds 32 K units unless told otherwise.
  SendMessageW(edit_, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
  SetWindowTextW(edit_, AsWide(editor_.InitialText().c_str()));
  SetWindowSubclass(edit_, &TClipEditorForm::EditProc, kEditorSubclassId,
                    reinterpret_cast<DWORD_PTR>(this));

  // Beside the list, at the size of this monitor's dpi, with the frame the new style has.
  RECT frame{0, 0, Scale(kEditorWidth), Scale(kEditorHeight)};
  AdjustWindowRectForDpi(frame, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)),
                         static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)), Dpi());
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  const RECT listRect{list_.left, list_.top, list_.right, list_.bottom};
  GetMonitorInfoW(MonitorFromRect(&listRect, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& area = monitor.rcWork;
  const EditorRect place = PlaceEditor(list_, frame.right - frame.left, frame.bottom - frame.top,
                                       {area.left, area.top, area.right, area.bottom});
  SetWindowPos(Handle(), nullptr, place.left, place.top, place.Width(), place.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  Layout();

  SetFocus(edit_);
  const auto end = static_cast<WPARAM>(GetWindowTextLengthW(edit_));
  SendMessageW(edit_, EM_SETSEL, end, static_cast<LPARAM>(end));
  SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
  return true;
}

void TClipEditorForm::Layout() {
  RECT clientRect{};
  GetClientRect(Handle(), &clientRect);
  const RECT client{0, 0, static_cast<int>(clientRect.right), static_cast<int>(clientRect.bottom)};
  const int margin = Scale(kMargin);
  const int buttonWidth = Scale(kButtonWidth);
  const int buttonHeight = Scale(kButtonHeight);
  const int buttonsTop = client.bottom - margin - buttonHeight;
  MoveWindow(edit_, margin, margin, std::max(0, static_cast<int>(client.right) - 2 * margin),
             std::max(0, buttonsTop - 2 * margin), TRUE);
  MoveWindow(Item(IDCANCEL), client.right - margin - buttonWidth, buttonsTop, buttonWidth,
             buttonHeight, TRUE);
  MoveWindow(Item(IDOK), client.right - 2 * margin - 2 * buttonWidth, buttonsTop, buttonWidth,
             buttonHeight, TRUE);
  MoveWindow(Item(kIdEditorHint), margin, buttonsTop,
             std::max(0, static_cast<int>(client.right) - 4 * margin - 2 * buttonWidth),
             buttonHeight, TRUE);
}

bool TClipEditorForm::OnCommand(int id, int, HWND) {
  if (id == IDOK) {
    editor_.Save();
    return true;
  }
  if (id == IDCANCEL) {  // Escape, the close box, "Cancel"
    editor_.Cancel();
    return true;
  }
  return false;
}

bool TClipEditorForm::ColourControl(UINT message, HDC dc, INT_PTR& result) const {
  if (!colours_ || !background_ || !editBackground_) return false;
  switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORBTN:  // the corners around a push button
      result = reinterpret_cast<INT_PTR>(background_.get());
      return true;
    case WM_CTLCOLORSTATIC:
      SetTextColor(dc, ToColorRef(colours_->hint));
      SetBkColor(dc, ToColorRef(colours_->background));
      result = reinterpret_cast<INT_PTR>(background_.get());
      return true;
    case WM_CTLCOLOREDIT:
      SetTextColor(dc, ToColorRef(colours_->text));
      SetBkColor(dc, ToColorRef(colours_->editBackground));
      result = reinterpret_cast<INT_PTR>(editBackground_.get());
      return true;
    default:
      return false;
  }
}

bool TClipEditorForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (ColourControl(message, reinterpret_cast<HDC>(wParam), result)) return true;
  if (message == WM_SIZE) {
    Layout();
    result = 0;
    return true;
  }
  if (message == WM_GETMINMAXINFO) {
    RECT least{0, 0, Scale(kEditorMinWidth), Scale(kEditorMinHeight)};
    AdjustWindowRectForDpi(least, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)),
                           static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)), Dpi());
    auto& info = *reinterpret_cast<MINMAXINFO*>(lParam);
    info.ptMinTrackSize = {least.right - least.left, least.bottom - least.top};
    result = 0;
    return true;
  }
  return false;
}

bool TClipEditorForm::EditorKey(WPARAM key) {
  if ((key == VK_RETURN || key == 'S') && CtrlOnly()) {
    editor_.Save();
    return true;
  }
  if (key == 'A' && CtrlOnly()) {
    SendMessageW(edit_, EM_SETSEL, 0, -1);
    return true;
  }
  if (key == VK_ESCAPE) {
    editor_.Cancel();
    return true;
  }
  return false;
}

LRESULT CALLBACK TClipEditorForm::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR form) {
  return GuardedProcedure(LRESULT{0}, [&]() -> LRESULT {
    auto* self = reinterpret_cast<TClipEditorForm*>(form);
    if (message == WM_NCDESTROY) {
      RemoveWindowSubclass(edit, &TClipEditorForm::EditProc, kEditorSubclassId);
    } else if (message == WM_KEYDOWN && self->EditorKey(wParam)) {
      return 0;
    } else if (message == WM_CHAR &&
               (wParam == 0x0A || wParam == 0x13 || wParam == 0x01 || wParam == 0x1B)) {
      return 0;  // the characters of Ctrl+Enter, Ctrl+S, Ctrl+A and Escape, taken above
    }
    return DefSubclassProc(edit, message, wParam, lParam);
  });
}

std::u16string TClipEditorForm::EditedText() {
  const int length = GetWindowTextLengthW(edit_);
  if (length <= 0) return {};
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  const int read = GetWindowTextW(edit_, AsWide(text.data()), length + 1);
  text.resize(static_cast<std::size_t>(std::max(read, 0)));
  return text;
}

bool TClipEditorForm::AskYesNo(std::u16string_view question) {
  return ::AskYesNo(Handle(), question);
}

void TClipEditorForm::Tell(std::u16string_view message) {
  const std::u16string text(message);
  MessageBoxW(Handle(), AsWide(text.c_str()), AsWide(u"Quillery"), MB_OK | MB_ICONINFORMATION);
}

int TClipEditorForm::ReplaceClipText(int clipId, std::u16string text) {
  return store_.ReplaceClipText(clipId, std::move(text));
}

int TClipEditorForm::AddNote(int categoryId, std::u16string text) {
  return store_.AddNote(categoryId, std::move(text));
}

void TClipEditorForm::CloseEditor() {
  EndDialog(Handle(), IDOK);
}
