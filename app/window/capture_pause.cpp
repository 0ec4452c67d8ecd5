#include "app/window/capture_pause.h"

#include "store/database.h"

void CCapturePause::Resume(DWORD sequenceNow) {
  if (!paused_) return;
  paused_ = false;
  skippedSequence_ = sequenceNow;
}

bool CCapturePause::Toggle(DWORD sequenceNow) {
  if (paused_) {
    Resume(sequenceNow);
  } else {
    Pause();
  }
  return paused_;
}

bool CCapturePause::Takes(DWORD sequence) const {
  if (paused_) return false;
  // A number the system could not tell names no content: such a change is taken, as it
  // is without a pause.
  return skippedSequence_ == 0 || sequence != skippedSequence_;
}

bool CCapturePause::TakeChange(CDataBase& store, HWND ownWindow) const {
  const DWORD sequence = GetClipboardSequenceNumber();
  const bool seen = sequence != 0 && sequence == store.LastCaptureSequence();
  const bool own = ownWindow != nullptr && GetClipboardOwner() == ownWindow;
  if (seen || !(own || Takes(sequence))) return false;
  store.CaptureClipboard();
  return true;
}

std::wstring CCapturePause::TrayTip(std::wstring_view programTip) const {
  std::wstring tip(programTip);
  if (paused_) tip += L" \u2013 capture paused";
  return tip;
}

std::u16string CCapturePause::HeaderCaption(std::u16string_view caption) const {
  if (!paused_) return std::u16string(caption);
  std::u16string header = u"Capture paused";
  if (!caption.empty()) header.append(u" \u2013 ").append(caption);
  return header;
}
