#include "app/window/display_state.h"

CDisplayState::CDisplayState(ScreenPoint place, int headerHeight, const Settings& settings)
    : settings_(settings), headerHeight_(headerHeight) {
  layout_.bounds = {place.x, place.y, place.x + settings.width, place.y + headerHeight};
  layout_.alpha = settings.transparency;
  layout_.windowVisible = settings.monitorVisible;
  SetExpanded(false);
}

void CDisplayState::ApplySettings(const Settings& settings) {
  settings_ = settings;
  layout_.bounds.right = layout_.bounds.left + settings.width;
}

void CDisplayState::Rescale(const Settings& settings, int headerHeight, ScreenPoint place) {
  settings_ = settings;
  headerHeight_ = headerHeight;
  layout_.bounds = {place.x, place.y, place.x + settings.width, place.y};
  SetExpanded(expanded_);
}

void CDisplayState::SetExpanded(bool expanded) {
  expanded_ = expanded;
  const int height = expanded ? settings_.expandedHeight : headerHeight_;
  layout_.bounds.bottom = layout_.bounds.top + height;
  layout_.pinVisible = expanded && !popupMode_;
  layout_.treeVisible = expanded;
}

bool CDisplayState::ShowPopup(ScreenPoint cursor, const ScreenRect& workArea) {
  if (popupMode_ && expanded_) return false;
  keyboardHeld_ = false;
  if (!popupMode_) saved_ = {layout_.bounds.left, layout_.bounds.top};
  popupMode_ = true;
  layout_.openButtonVisible = false;
  layout_.autoPasteVisible = true;
  layout_.labelVisible = false;
  const ScreenPoint place =
      PopupPosition(cursor, settings_.width, settings_.expandedHeight, workArea);
  layout_.bounds = {place.x, place.y, place.x + settings_.width, place.y};
  SetExpanded(true);
  layout_.windowVisible = true;
  return true;
}

bool CDisplayState::HidePopup() {
  if (!popupMode_) return false;
  layout_.windowVisible = settings_.monitorVisible;
  layout_.openButtonVisible = true;
  layout_.autoPasteVisible = false;
  layout_.labelVisible = true;
  layout_.bounds = {saved_.x, saved_.y, saved_.x + settings_.width, saved_.y};
  popupMode_ = false;
  SetExpanded(openDown_);
  return true;
}

void CDisplayState::PopupPasted(bool byKeyboard) {
  SetExpanded(false);
  if (byKeyboard) HidePopup();
}

void CDisplayState::ToggleOpen() {
  openDown_ = !openDown_;
  SetExpanded(openDown_);
}

void CDisplayState::MovedTo(ScreenPoint place) {
  const int height = layout_.bounds.Height();
  layout_.bounds = {place.x, place.y, place.x + settings_.width, place.y + height};
}

void CDisplayState::CursorNear() {
  layout_.alpha = 255;
}

void CDisplayState::OpenForKeyboard() {
  HidePopup();
  keyboardHeld_ = true;
  openDown_ = true;
  SetExpanded(true);
  layout_.alpha = 255;
  layout_.windowVisible = true;
}

void CDisplayState::CursorAway() {
  if (keyboardHeld_) return;
  layout_.alpha = settings_.transparency;
  HidePopup();
  if (!pinDown_ && openDown_) {
    openDown_ = false;
    SetExpanded(false);
  }
}

void CDisplayState::EnforceVisibility() {
  if (!popupMode_) layout_.windowVisible = settings_.monitorVisible || keyboardHeld_;
}

ScreenPoint CDisplayState::DockedPlace() const {
  if (popupMode_) return saved_;
  return {layout_.bounds.left, layout_.bounds.top};
}
