#include "app/search/win32/search_field.h"

#include <vector>

#include "platform/win32/window.h"
#include "search/clip_query.h"

CSearchField::CSearchField(HWND parent, int id, HFONT font, CSearchFieldPort& port) : port_(port) {
  edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 0, 0,
                          parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          GetModuleHandleW(nullptr), nullptr);
  if (edit_ == nullptr) return;
  SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // The query looks no further; a longer paste is cut where the field shows it.
  SendMessageW(edit_, EM_SETLIMITTEXT, CClipQuery::kMaxQueryLength, 0);
  SetWindowLongPtrW(edit_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  editProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditProc)));
}

CSearchField::~CSearchField() {
  if (edit_ != nullptr && IsWindow(edit_) && editProc_ != nullptr) {
    SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc_));
    SetWindowLongPtrW(edit_, GWLP_USERDATA, 0);
  }
}

std::u16string CSearchField::Text() const {
  const int length = GetWindowTextLengthW(edit_);
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
  const int got = GetWindowTextW(edit_, buffer.data(), length + 1);
  return {reinterpret_cast<const char16_t*>(buffer.data()), static_cast<std::size_t>(got)};
}

void CSearchField::SetText(const std::u16string& text) {
  SetWindowTextW(edit_, reinterpret_cast<const wchar_t*>(text.c_str()));
}

void CSearchField::Append(wchar_t character) {
  const int end = GetWindowTextLengthW(edit_);
  SendMessageW(edit_, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
  const wchar_t text[2] = {character, L'\0'};
  SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

namespace {

// The field's own timer and message for RequestSettle and RequestLater; the edit control's
// timers are its to number, and it uses no message of the application's range.
constexpr UINT_PTR kSearchSettleTimer = 0x5153;
constexpr UINT kSearchSettleMessage = WM_APP + 0x5153;

bool InputWaiting() {
  return HIWORD(GetQueueStatus(QS_INPUT)) != 0;
}

}  // namespace

void CSearchField::RequestSettle() {
  settleDue_ = true;
  // A posted message comes before the input that arrives after it: it settles at once when
  // no key waits, and otherwise hands over to the timer, which waits for the keys.
  if (!settlePosted_) settlePosted_ = PostMessageW(edit_, kSearchSettleMessage, 0, 0) != FALSE;
  if (!settlePosted_) RequestLater();
}

void CSearchField::RequestLater() {
  settleDue_ = true;
  SetTimer(edit_, kSearchSettleTimer, USER_TIMER_MINIMUM, nullptr);
}

void CSearchField::CancelSettle() {
  settleDue_ = false;
  KillTimer(edit_, kSearchSettleTimer);
}

void CSearchField::Settle() {
  KillTimer(edit_, kSearchSettleTimer);
  if (!settleDue_) return;
  settleDue_ = false;
  port_.SearchFieldSettled();
}

LRESULT CALLBACK CSearchField::EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardedProcedure<LRESULT>(0, [&]() -> LRESULT {
    auto* self = reinterpret_cast<CSearchField*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->editProc_ == nullptr) {
      return DefWindowProcW(window, message, wParam, lParam);
    }
    const WNDPROC editProc = self->editProc_;
    if (message == WM_KEYDOWN) {
      switch (wParam) {
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
          self->port_.SearchFieldNavigate(wParam);
          return 0;
        case VK_RETURN:
          self->port_.SearchFieldEnter();
          return 0;
        case VK_ESCAPE:
          self->port_.SearchFieldEscape();
          return 0;
        case VK_F2:  // the list's editor keys act on its selected row from here too
          self->port_.SearchFieldNavigate(wParam);
          return 0;
        case 'N':
          if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) break;
          self->port_.SearchFieldNavigate(wParam);
          return 0;
        default:
          break;
      }
    }
    if (message == WM_TIMER && wParam == kSearchSettleTimer) {
      self->Settle();
      return 0;
    }
    if (message == kSearchSettleMessage) {
      self->settlePosted_ = false;
      if (InputWaiting()) {
        if (self->settleDue_) self->RequestLater();
      } else {
        self->Settle();
      }
      return 0;
    }
    // Their characters would beep.
    if (message == WM_CHAR && (wParam == L'\r' || wParam == 0x1B)) return 0;
    return CallWindowProcW(editProc, window, message, wParam, lParam);
  });
}
