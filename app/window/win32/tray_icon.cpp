#include "app/window/win32/tray_icon.h"

#include <future>
#include <memory>
#include <system_error>
#include <thread>
#include <utility>

CTrayIcon::CTrayIcon(HWND window, UINT id, UINT callbackMessage, HICON icon, std::wstring tip)
    : window_(window),
      id_(id),
      callbackMessage_(callbackMessage),
      icon_(icon),
      tip_(std::move(tip)) {}

CTrayIcon::~CTrayIcon() {
  Remove(kRemovalPatience);
}

void CTrayIcon::Remove(std::chrono::milliseconds patience) {
  BeginRemoval();
  if (removal_.valid()) removal_.wait_until(removalBegun_ + patience);
}

void CTrayIcon::BeginRemoval() {
  removing_ = true;
  if (!added_) return;
  added_ = false;
  removalBegun_ = std::chrono::steady_clock::now();
  NOTIFYICONDATAW data = Data();
  auto answered = std::make_shared<std::promise<void>>();
  removal_ = answered->get_future();
  try {
    std::thread([data, answered]() mutable {
      Shell_NotifyIconW(NIM_DELETE, &data);
      answered->set_value();
    }).detach();
  } catch (const std::system_error&) {
    Shell_NotifyIconW(NIM_DELETE, &data);  // no thread to be had: wait as long as it takes
    removal_ = {};
  }
}

NOTIFYICONDATAW CTrayIcon::Data() const {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window_;
  data.uID = id_;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = callbackMessage_;
  data.hIcon = icon_;
  tip_.substr(0, std::size(data.szTip) - 1).copy(data.szTip, std::size(data.szTip) - 1);
  return data;
}

bool CTrayIcon::Add() {
  if (removing_) return false;
  NOTIFYICONDATAW data = Data();
  // After an Explorer restart the old icon is gone and NIM_ADD is right; while it is still
  // there, NIM_MODIFY is.
  added_ =
      Shell_NotifyIconW(NIM_ADD, &data) != FALSE || Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
  return added_;
}

bool CTrayIcon::ShowBalloon(const std::u16string& text) {
  if (!added_) return false;
  NOTIFYICONDATAW data = Data();
  data.uFlags = NIF_INFO;
  data.dwInfoFlags = NIIF_INFO;
  const std::wstring wide(text.begin(), text.end());
  wide.substr(0, std::size(data.szInfo) - 1).copy(data.szInfo, std::size(data.szInfo) - 1);
  tip_.substr(0, std::size(data.szInfoTitle) - 1)
      .copy(data.szInfoTitle, std::size(data.szInfoTitle) - 1);
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void CTrayIcon::SetIcon(HICON icon) {
  icon_ = icon;
  if (!added_) return;
  NOTIFYICONDATAW data = Data();
  Shell_NotifyIconW(NIM_MODIFY, &data);
}

void CTrayIcon::SetIcon(HICON icon, std::wstring tip) {
  tip_ = std::move(tip);
  SetIcon(icon);
}

UINT CTrayIcon::TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}
