#pragma once
// CPasteAsRestore: after a "Paste as" the clipboard gets back what it held before. The
// target reads the clipboard when it handles the paste, a moment after the keystroke or
// message was sent, so the content goes back only once that moment has passed and no
// program holds the clipboard open; should someone copy meanwhile, their copy stays and
// nothing is put back.

#include <optional>

#include "app/paste/clipboard_snapshot.h"
#include "platform/windows_api.h"

class CPasteAsRestore {
 public:
  // How long the target is given to read the pasted text, and how long after that a
  // clipboard that stays open or refuses the put-back is tried again.
  static constexpr DWORD kArrivalMilliseconds = 500;
  static constexpr DWORD kPatienceMilliseconds = 5000;

  enum class EStep {
    kIdle,      // nothing to put back
    kWaiting,   // not yet
    kRestored,  // the content before is back
    kReplaced,  // another copy came meanwhile: it stays
    kFailed,    // the clipboard would not take the content back in time
  };

  // Keeps `before` to be put back after the text put on the clipboard at `now`, when the
  // clipboard's sequence number was `sequenceOfPut`. One armed before is dropped.
  void Arm(CClipboardSnapshot before, DWORD sequenceOfPut, DWORD now);
  bool Pending() const { return pending_.has_value(); }
  // Each tick: puts the content back through `owner` when it is time.
  EStep Tick(HWND owner, DWORD now);

 private:
  struct Armed {
    CClipboardSnapshot before;
    DWORD sequence = 0;
    DWORD since = 0;
  };
  std::optional<Armed> pending_;
};
