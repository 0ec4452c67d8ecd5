#include "app/window/popup_keyboard.h"

void CPopupKeyboard::Opened() {
  wanted_ = true;
  Take();
}

void CPopupKeyboard::Tick() {
  Take();
  Hold();
}

void CPopupKeyboard::LetGo() {
  wanted_ = false;
  since_.reset();
}

void CPopupKeyboard::Closed() {
  LetGo();
  if (port_.WindowInFront()) port_.ActivateTarget();
}

void CPopupKeyboard::Take() {
  if (!wanted_ || port_.AnyKeyHeld()) return;
  wanted_ = false;
  since_ = port_.Now();
  if (port_.BringWindowToFront()) port_.FocusList();
}

void CPopupKeyboard::Hold() {
  if (!since_ || port_.Now() - *since_ > kHoldMilliseconds) {
    since_.reset();
    return;
  }
  if (port_.WindowInFront()) return;
  port_.AskToBeInFront();
  if (port_.WindowInFront()) port_.FocusSearchOrList();
}
