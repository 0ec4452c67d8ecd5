#include "app/paste/paste_as_restore.h"

#include <utility>

void CPasteAsRestore::Arm(CClipboardSnapshot before, DWORD sequenceOfPut, DWORD now) {
  pending_ = Armed{std::move(before), sequenceOfPut, now};
}

CPasteAsRestore::EStep CPasteAsRestore::Tick(HWND owner, DWORD now) {
  if (!pending_) return EStep::kIdle;
  if (GetClipboardSequenceNumber() != pending_->sequence) {
    pending_.reset();
    return EStep::kReplaced;
  }
  const DWORD waited = now - pending_->since;
  if (waited < kArrivalMilliseconds) return EStep::kWaiting;
  const bool late = waited >= kArrivalMilliseconds + kPatienceMilliseconds;
  // A program that has the clipboard open may be the target still reading the text.
  if (GetOpenClipboardWindow() != nullptr && !late) return EStep::kWaiting;
  if (pending_->before.Restore(owner)) {
    pending_.reset();
    return EStep::kRestored;
  }
  if (!late) return EStep::kWaiting;
  pending_.reset();
  return EStep::kFailed;
}
