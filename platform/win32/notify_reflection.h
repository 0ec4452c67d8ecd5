#pragma once
// Notification reflection: a parent hands each WM_NOTIFY back to the wrapper of the control
// that sent it, found from the control's window, so that no parent needs to know which of
// its controls have wrappers or what they answer.

#include "platform/windows_api.h"

class CNotifyReceiver {
 public:
  // A notification of the control this receiver is registered for. True when answered,
  // with `result` as the message's result; false leaves it to the parent.
  virtual bool OnReflectedNotify(NMHDR& header, LRESULT& result) = 0;

 protected:
  ~CNotifyReceiver() = default;
};

// From now on `receiver` (not owned) hears `control`'s notifications; null stops that. A
// receiver stops before it goes, or before the control does.
void SetNotifyReceiver(HWND control, CNotifyReceiver* receiver);

// For a parent's WM_NOTIFY (`lParam` its NMHDR): hands the notification to the receiver of
// the control it came from. True, with `result`, when that receiver answered it.
bool ReflectNotify(LPARAM lParam, LRESULT& result);
