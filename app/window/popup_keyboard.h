#pragma once
// CPopupKeyboard: when the popup takes the keyboard and gives it back. Opened from a hot
// key, the popup takes the keyboard into its list once every key is let go: the program in
// front then sees the keys go up itself, and keeps no Ctrl or Alt down that would spoil the
// paste's Ctrl+V. For a short while after, it takes the keyboard again if the program that
// was in front took it back (Wine gives the X input focus back a moment later). Closed, it
// gives the keyboard back to that program.

#include <cstdint>
#include <optional>

class CPopupKeyboardPort {
 public:
  virtual bool AnyKeyHeld() = 0;
  virtual std::uint32_t Now() = 0;
  virtual bool WindowInFront() = 0;
  // Brings the popup in front of the program that has the keyboard; false when refused.
  virtual bool BringWindowToFront() = 0;
  // Asks for the popup to be in front, as any program may (the system may refuse).
  virtual void AskToBeInFront() = 0;
  virtual void FocusList() = 0;
  // The search field when it is open, the list otherwise.
  virtual void FocusSearchOrList() = 0;
  // The program that was in front when the popup opened goes in front again, if it runs.
  virtual void ActivateTarget() = 0;

 protected:
  ~CPopupKeyboardPort() = default;
};

class CPopupKeyboard {
 public:
  // How long after taking the keyboard the popup takes it back.
  static constexpr std::uint32_t kHoldMilliseconds = 400;

  explicit CPopupKeyboard(CPopupKeyboardPort& port) : port_(port) {}

  // The popup opened: it takes the keyboard now or once the keys are let go.
  void Opened();
  // Each tick while the popup shows.
  void Tick();
  // A clip goes to the program that was in front: the popup neither takes the keyboard
  // nor holds it any more.
  void LetGo();
  // The popup closed: the keyboard goes back to the program that was in front, if the popup
  // still has it.
  void Closed();

 private:
  void Take();
  void Hold();

  CPopupKeyboardPort& port_;
  bool wanted_ = false;                 // to be taken once the keys are let go
  std::optional<std::uint32_t> since_;  // when it was taken
};
