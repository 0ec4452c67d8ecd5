#include "platform/win32/notify_reflection.h"

namespace {

// A window property: it goes with the control's window, and a control of another program
// or without a wrapper simply has none.
constexpr wchar_t kReceiverProperty[] = L"Quillery.NotifyReceiver";

}  // namespace

void SetNotifyReceiver(HWND control, CNotifyReceiver* receiver) {
  if (control == nullptr) return;
  if (receiver == nullptr) {
    RemovePropW(control, kReceiverProperty);
  } else {
    SetPropW(control, kReceiverProperty, receiver);
  }
}

bool ReflectNotify(LPARAM lParam, LRESULT& result) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header == nullptr || header->hwndFrom == nullptr) return false;
  auto* receiver = static_cast<CNotifyReceiver*>(GetPropW(header->hwndFrom, kReceiverProperty));
  return receiver != nullptr && receiver->OnReflectedNotify(*header, result);
}
