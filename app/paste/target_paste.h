#pragma once
// The paste into another program once the clip is on the clipboard, as decisions apart
// from the system: whether the target is still there and in front, which way the paste
// goes, and what became of it. The system is reached through CPasteTargetPort, which
// app/paste/win32/paste_target.cpp implements for one window.

#include <optional>
#include <string>

#include "app/paste/paste_keystrokes.h"
#include "app/paste/paste_method.h"
#include "platform/windows_api.h"

// What became of a paste.
enum class EPasteResult {
  kPasted,      // the message posted, or the keystroke taken whole by the system
  kTargetGone,  // the target window closed before the paste reached it
  kKeptBehind,  // the system kept the target from the front: no keystroke was typed
  kRefused,     // the system refused the message or the keystroke, as it refuses
                // input meant for a program that runs as administrator
};

// What the user is told of a paste that did not arrive; none for one that did. The clip
// is on the clipboard either way.
std::optional<std::u16string> PasteFailureNotice(EPasteResult result);

// The target window of a paste and the system around it.
class CPasteTargetPort {
 public:
  virtual ~CPasteTargetPort() = default;
  // The target window still exists.
  virtual bool TargetExists() = 0;
  // The target window is the one in front.
  virtual bool TargetInFront() = 0;
  // Asks the system to put the target in front, restored if it is minimised; with
  // `liftLock`, after an Alt press, which lifts the lock that keeps another program from
  // taking the front.
  virtual void AskForFront(bool liftLock) = 0;
  // Handles the messages waiting in this thread's queue (the capture of the clip just put
  // on the clipboard among them).
  virtual void ProcessWaitingMessages() = 0;
  // The way `method` pastes into the target's focused control.
  virtual EPasteWay WayFor(EPasteMethod method) = 0;
  // Posts the paste message to the target's focused control; false when it has none or the
  // system refused the message.
  virtual bool PostPasteMessage() = 0;
  // Types `chord` into the window in front (SendPasteKeystrokes); false when the system
  // did not take it whole.
  virtual bool TypePasteChord(EPasteChord chord) = 0;
};

// How long the target may take to come to the front, half of it before the lock is lifted,
// and how often it is looked at meanwhile; how long the clipboard is given to settle.
inline constexpr DWORD kForegroundPatienceMilliseconds = 500;
inline constexpr DWORD kForegroundPollMilliseconds = 5;
inline constexpr DWORD kSettleMilliseconds = 10;

enum class ETargetFront { kInFront, kGone, kKeptBehind };

// Brings the target to the front: asked first; should the system not put it there within
// half the patience, asked again with the lock lifted. A target that does not exist is not
// asked for, and one that closes meanwhile ends the wait.
ETargetFront BringTargetToFront(CPasteTargetPort& target);

// The popup's paste into its target (the popup has the focus now): waiting messages first,
// the target brought to the front, 10 ms for the clipboard to settle, then the paste. The
// keystroke is typed only when the target did come to the front, so that it never lands
// in another window; the message needs no focus and is posted either way.
EPasteResult PasteIntoTarget(CPasteTargetPort& target, EPasteMethod method);

// The paste of quick paste and hot keys into the window in front, whatever it is: waiting
// messages first, 10 ms for the clipboard to settle, then the paste.
EPasteResult PasteIntoFront(CPasteTargetPort& front, EPasteMethod method);
