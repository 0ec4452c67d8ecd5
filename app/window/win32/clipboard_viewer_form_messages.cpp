// The main window's messages: from the system, its controls, the tray icon and itself.

#include "app/window/win32/clipboard_viewer_form.h"

#include <windowsx.h>

#include <optional>
#include <utility>

#include "app/shell/win32/about_box.h"
#include "app/shell/update_check.h"
#include "app/theme/win32/system_theme.h"
#include "app/window/win32/header_button.h"
#include "app/window/win32/header_caption_paint.h"
#include "app/window/win32/main_window_ids.h"
#include "app/window/win32/main_window_messages.h"
#include "app/window/win32/system_input.h"
#include "foundation/error_box.h"
#include "foundation/settings_storage.h"
#include "platform/win32/notify_reflection.h"

namespace {

ScreenRect WindowRectOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

LRESULT TClipboardViewerForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Closed, the window only waits for the end of the process (Closed()): what is still
  // queued for it finds neither handler nor settings. A second close (a WM_CLOSE that
  // crossed the first) must not destroy it after all, row by row.
  if (closed_) return message == WM_CLOSE ? 0 : DefWindowProcW(Handle(), message, wParam, lParam);
  if (std::optional<LRESULT> result = OnOwnMessage(message, wParam)) return *result;
  if (std::optional<LRESULT> result = OnTrayMessage(message, lParam)) return *result;
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CLIPBOARDUPDATE:
      ClipboardChanged();
      return 0;
    case WM_DRAWCLIPBOARD:
      WMDrawClipboard(wParam, lParam);
      return 0;
    case WM_CHANGECBCHAIN:
      watch_.Chain().OnChangeChain(wParam, lParam);
      return 0;
    case WM_NCHITTEST:
      return WMNCHitTest(lParam);
    case WM_MOVE:
      if (state_) {
        const ScreenRect rect = WindowRectOf(Handle());
        state_->MovedTo({rect.left, rect.top});
      }
      return 0;
    case WM_SIZE:
      LayoutChildren(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_DPICHANGED: {
      // Dragged onto a monitor of another dpi, or that monitor's scale changed: the window
      // goes where the system suggests, at the sizes of the new dpi. A window that took the
      // dpi of its new place before it went there has it already.
      const auto& suggested = *reinterpret_cast<const RECT*>(lParam);
      if (LOWORD(wParam) != dpi_) {
        ChangeDpi(LOWORD(wParam), {suggested.left, suggested.top});
        ApplyLayout();
      }
      return 0;
    }
    case WM_TIMER:
      if (wParam == kTimerId) {
        Timer1Timer();
        FollowMouseHotKeys();
      }
      return 0;
    case kMouseHotKeyMessage:
      MouseHotKeyFired(static_cast<KeyCombination>(wParam));
      return 0;
    case WM_PAINT:
      PaintFrame();
      return 0;
    case WM_ERASEBKGND:
      if (!headerBrush_) return DefWindowProcW(Handle(), message, wParam, lParam);
      {
        RECT client{};
        GetClientRect(Handle(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, headerBrush_.get());
      }
      return 1;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_THEMECHANGED:
      if (IsSystemLookChange(message, wParam, lParam)) FollowTheme();
      return DefWindowProcW(Handle(), message, wParam, lParam);
    case WM_CTLCOLORSTATIC: {
      // The label and the check box show the window's own background.
      auto dc = reinterpret_cast<HDC>(wParam);
      SetBkMode(dc, TRANSPARENT);
      if (!headerBrush_) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      SetTextColor(dc, ToColorRef(palette_.header.caption));
      return reinterpret_cast<LRESULT>(headerBrush_.get());
    }
    case WM_DRAWITEM: {
      const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (draw.hwndItem == pinButton_)
        DrawHeaderButton(draw, EHeaderGlyph::kPin, state_->PinDown(), palette_.header);
      if (draw.hwndItem == label_) DrawHeaderCaption(draw, palette_.header);
      if (draw.hwndItem == openButton_) {
        DrawHeaderButton(draw, EHeaderGlyph::kOpenList, state_->OpenDown(), palette_.header);
      }
      return TRUE;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) KeyboardLeftWindow();
      return DefWindowProcW(Handle(), message, wParam, lParam);
    case WM_NOTIFY: {
      // The tree's notifications go back to its controller.
      LRESULT result = 0;
      if (ReflectNotify(lParam, result)) return result;
      return 0;
    }
    case WM_NCRBUTTONDOWN:
      // The header is a caption (WMNCHitTest). Wine's default handling of a right press on
      // a caption follows the button in a loop of its own and then judges the release by
      // the frame the window does not have, so no WM_CONTEXTMENU ever comes; the release
      // itself opens the menu instead, on both systems.
      if (wParam == HTCAPTION) return 0;
      return DefWindowProcW(Handle(), message, wParam, lParam);
    case WM_NCRBUTTONUP:
      if (wParam == HTCAPTION) {
        ShowMainPopupMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
      }
      return DefWindowProcW(Handle(), message, wParam, lParam);
    case WM_CONTEXTMENU:
      // The menu key, or a right click on the header that reached the window as a client
      // click (the label lets the mouse through to the window).
      if (reinterpret_cast<HWND>(wParam) == Handle()) {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (point.x == -1 && point.y == -1) GetCursorPos(&point);
        ShowMainPopupMenu(point);
      }
      return 0;
    case WM_CLOSE:
      Close(ECloseReason::kExit);
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam != FALSE) Close(ECloseReason::kSessionEnd);
      return 0;
    case WM_DESTROY:
      KillTimer(Handle(), kTimerId);
      mouseHook_.reset();  // no click is kept from other programs once the window is gone
      // The wait for the shell comes when the form goes, after the window.
      if (trayIcon_) trayIcon_->BeginRemoval();
      instance_.UnmarkMainWindow(Handle());
      return 0;
    default:
      return DefWindowProcW(Handle(), message, wParam, lParam);
  }
}

void TClipboardViewerForm::OnCommand(int id, int code) {
  switch (id) {
    case kIdOpenClipboard:
      if (code == BN_CLICKED) {
        state_->ToggleOpen();
        BtOpenClipboardClick();
      }
      break;
    case kIdPin:
      if (code == BN_CLICKED) {
        state_->SetPinDown(!state_->PinDown());
        BtOpenClipboardClick();
      }
      break;
    case kIdSearchField:
      if (code == EN_CHANGE) {
        if (treeController_) treeController_->HidePreview();
        listSearch_->TextChanged();
      }
      break;
    case kCommandSettings:
      Settings1Click();
      break;
    case kCommandCheckForUpdates:
      CheckForUpdates(Handle(), *settings_);
      break;
    case kCommandAbout:
      ShowAboutBox(Handle());
      break;
    case kCommandExit:
      Close(ECloseReason::kExit);
      break;
    case kCommandPauseCapture:
      SetCapturePaused(!capturePause_.Paused());
      break;
    case kCommandClearHistory:
      ClearHistory();
      break;
    case kCommandShowList:
      GiveListTheKeyboard();
      break;
  }
}

std::optional<LRESULT> TClipboardViewerForm::OnTrayMessage(UINT message, LPARAM lParam) {
  if (message == kTrayMessage) {
    if (LOWORD(lParam) == WM_LBUTTONUP) {
      TrayIconClicked(ETrayClick::kClick);
    } else if (LOWORD(lParam) == WM_LBUTTONDBLCLK) {
      TrayIconClicked(ETrayClick::kDoubleClick);
    } else if (LOWORD(lParam) == NIN_KEYSELECT) {
      // Enter or Space on the icon, reached with the keyboard in the notification area.
      GiveListTheKeyboard();
    } else if (LOWORD(lParam) == WM_RBUTTONUP || LOWORD(lParam) == WM_CONTEXTMENU) {
      POINT point{};
      GetCursorPos(&point);
      ShowTrayMenu(point);
    }
    return 0;
  }
  // The shell started anew (Explorer restarted): its notification area has no icon of ours.
  if (message == CTrayIcon::TaskbarCreatedMessage() && trayIcon_) {
    trayIcon_->Add();
    return 0;
  }
  return std::nullopt;
}

std::optional<LRESULT> TClipboardViewerForm::OnOwnMessage(UINT message, WPARAM wParam) {
  static const UINT showListMessage = RegisterWindowMessageW(kShowListMessageName);
  static const UINT pauseMessage = RegisterWindowMessageW(kPauseMessageName);
  switch (message) {
    case kFirstActivationMessage:
      FormActivate();
      return 0;
    case kDamagedNoticeMessage:
      if (damagedNotice_) {
        const std::u16string text = std::exchange(damagedNotice_, std::nullopt).value();
        MessageBoxW(Handle(), AsWide(text.c_str()), kMainWindowTitle, MB_OK | MB_ICONWARNING);
      }
      return 0;
    case kSettingsNoticeMessage:
      if (auto notice = settings_->TakeUnsavedNotice()) ShowErrorBox(*notice);
      return 0;
    case kDeferredCloseMessage:
      if (pendingClose_) Close(std::exchange(pendingClose_, std::nullopt).value());
      return 0;
    default:
      // A second start asks for the list.
      if (message == showListMessage) {
        ShowList();
        return 0;
      }
      // "quillery.exe /pause" or "/resume".
      if (message == pauseMessage) {
        SetCapturePaused(wParam != 0);
        return kPauseAnswer;
      }
      return std::nullopt;
  }
}

void TClipboardViewerForm::OnDestroyed() {
  PostQuitMessage(0);
}

void TClipboardViewerForm::PaintFrame() {
  PaintDc paint(Handle());
  RECT client{};
  GetClientRect(Handle(), &client);
  SelectGuard pen(paint.get(), framePen_.get());
  SelectGuard brush(paint.get(), GetStockObject(NULL_BRUSH));
  Rectangle(paint.get(), client.left, client.top, client.right, client.bottom);
}

LRESULT TClipboardViewerForm::WMNCHitTest(LPARAM lParam) const {
  const ScreenPoint point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const ScreenRect window = WindowRectOf(Handle());
  const ScreenRect pin = WindowRectOf(pinButton_);
  // The pin's place, whether it is shown or not.
  const int pinLeft = pin.left - window.left;
  const int pinHeight = pin.bottom - window.top;
  return IsInDragZone(point, {window.left, window.top}, pinLeft, pinHeight) ? HTCAPTION : HTCLIENT;
}

void TClipboardViewerForm::BtOpenClipboardClick() {
  state_->SetExpanded(state_->OpenDown());
  ApplyLayout();
}

void TClipboardViewerForm::TrayIcon1DblClick() {
  state_->ToggleOpen();
  ApplyLayout();
}

void TClipboardViewerForm::ShowMainPopupMenu(POINT point) {
  // Without this the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(Handle());
  TrackPopupMenuEx(mainPopupMenu_.get(), TPM_RIGHTBUTTON, point.x, point.y, Handle(), nullptr);
  PostMessageW(Handle(), WM_NULL, 0, 0);
}
