#pragma once
// CCapturePause: whether the user has stopped capture for a while, and which announced
// clipboard changes are taken because of it. While paused no change is taken; after a
// resume the content copied meanwhile is not taken either, however the watch announces it
// again, only the next copy is. The state lives with the run: a new start captures.

#include <string>
#include <string_view>

#include "platform/windows_api.h"

class CDataBase;

class CCapturePause {
 public:
  bool Paused() const { return paused_; }

  void Pause() { paused_ = true; }
  // `sequenceNow`: the clipboard's sequence number at the resume (GetClipboardSequenceNumber;
  // 0 when the system cannot tell), whose content stays untaken.
  void Resume(DWORD sequenceNow);
  // Pauses, or resumes as Resume does; returns whether it is paused now.
  bool Toggle(DWORD sequenceNow);

  // Whether the change announced while the clipboard's sequence number is `sequence` is
  // taken.
  bool Takes(DWORD sequence) const;

  // A change announced by the clipboard watch: the clipboard is captured into `store` when
  // the pause lets the change be taken and the content is not the one the store read last
  // (a watch started again, or a repeated notice, announces it anew). A content that
  // `ownWindow` put there, a clip put back from the list, is taken also while paused: it is
  // nothing new, and a history clip leaves the store while it is put, to come back as the
  // capture. True when captured.
  bool TakeChange(CDataBase& store, HWND ownWindow) const;

  // The tray icon's tip for `programTip`: said to be paused while it is.
  std::wstring TrayTip(std::wstring_view programTip) const;
  // The header's caption for the newest clip's `caption`: said to be paused while it is.
  std::u16string HeaderCaption(std::u16string_view caption) const;

 private:
  bool paused_ = false;
  // The content on the clipboard at the last resume; 0 before any, or when unknown.
  DWORD skippedSequence_ = 0;
};
