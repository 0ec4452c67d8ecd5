// The main window's display states and the moves between them.

#include <gtest/gtest.h>

#include "app/window/display_state.h"

namespace {

constexpr int kHeader = 29;
const ScreenRect kWork{0, 0, 1280, 984};

class DisplayStateTest : public ::testing::Test {
 protected:
  CDisplayState::Settings settings_{200, 388, 180, true};
  CDisplayState state_{{900, 10}, kHeader, settings_};
  const WindowLayout& layout() const { return state_.Layout(); }
};

TEST_F(DisplayStateTest, StartsDockedAndFolded) {
  EXPECT_EQ(layout().bounds, (ScreenRect{900, 10, 1100, 10 + kHeader}));
  EXPECT_TRUE(layout().labelVisible && layout().openButtonVisible && layout().windowVisible);
  EXPECT_FALSE(layout().pinVisible || layout().treeVisible || layout().autoPasteVisible);
  EXPECT_EQ(layout().alpha, 180);
}

TEST_F(DisplayStateTest, TheOpenButtonUnfoldsWithThePinAndFoldsAgain) {
  state_.ToggleOpen();
  EXPECT_EQ(layout().bounds.Height(), 388);
  EXPECT_TRUE(layout().pinVisible && layout().treeVisible);
  state_.ToggleOpen();
  EXPECT_EQ(layout().bounds.Height(), kHeader);
  EXPECT_FALSE(layout().pinVisible || layout().treeVisible);
}

TEST_F(DisplayStateTest, CursorAwayFoldsUnlessPinned) {
  state_.ToggleOpen();
  state_.CursorNear();
  EXPECT_EQ(layout().alpha, 255);
  state_.SetPinDown(true);
  state_.CursorAway();
  EXPECT_TRUE(state_.Expanded());
  EXPECT_EQ(layout().alpha, 180);
  state_.SetPinDown(false);
  state_.CursorAway();
  EXPECT_FALSE(state_.Expanded() || state_.OpenDown());
}

TEST_F(DisplayStateTest, PopupOpensAtTheCursorAndReturnsToTheDockedPlace) {
  state_.ToggleOpen();
  ASSERT_TRUE(state_.ShowPopup({400, 300}, kWork));
  EXPECT_EQ(layout().bounds, (ScreenRect{401, 301, 601, 689}));
  EXPECT_TRUE(layout().autoPasteVisible && layout().treeVisible);
  EXPECT_FALSE(layout().labelVisible || layout().openButtonVisible || layout().pinVisible);
  EXPECT_EQ(state_.DockedPlace(), (ScreenPoint{900, 10}));
  EXPECT_FALSE(state_.ShowPopup({10, 10}, kWork));
  EXPECT_EQ(layout().bounds.left, 401);

  ASSERT_TRUE(state_.HidePopup());
  EXPECT_EQ(layout().bounds, (ScreenRect{900, 10, 1100, 398}));  // the list was open
  EXPECT_TRUE(layout().labelVisible && layout().openButtonVisible && layout().pinVisible);
  EXPECT_FALSE(state_.HidePopup());
}

TEST_F(DisplayStateTest, APasteFromTheKeyboardDocksThePopupAtOnceAndAClickLeavesItFolded) {
  ASSERT_TRUE(state_.ShowPopup({400, 300}, kWork));
  state_.PopupPasted(false);
  EXPECT_TRUE(state_.PopupMode());
  EXPECT_FALSE(state_.Expanded());
  EXPECT_EQ(layout().bounds, (ScreenRect{401, 301, 601, 330}));  // folded at the cursor
  // The folded popup opens again where the cursor is now, keeping its docked place.
  ASSERT_TRUE(state_.ShowPopup({600, 500}, kWork));
  EXPECT_EQ(layout().bounds, (ScreenRect{601, 501, 801, 889}));
  EXPECT_EQ(state_.DockedPlace(), (ScreenPoint{900, 10}));

  state_.PopupPasted(true);
  EXPECT_FALSE(state_.PopupMode());
  EXPECT_EQ(layout().bounds, (ScreenRect{900, 10, 1100, 39}));
  EXPECT_TRUE(layout().labelVisible && layout().openButtonVisible);
}

TEST_F(DisplayStateTest, AHiddenMonitorShowsOnlyAsAPopup) {
  settings_.monitorVisible = false;
  CDisplayState hidden({900, 10}, kHeader, settings_);
  EXPECT_FALSE(hidden.Layout().windowVisible);
  hidden.ShowPopup({400, 300}, kWork);
  hidden.EnforceVisibility();
  EXPECT_TRUE(hidden.Layout().windowVisible);
  hidden.CursorAway();
  EXPECT_FALSE(hidden.Layout().windowVisible);
}

TEST_F(DisplayStateTest, NewWidthAppliesAtOnceAndNewHeightAtTheNextUnfolding) {
  state_.ToggleOpen();
  state_.ApplySettings({300, 500, 180, true});
  EXPECT_EQ(layout().bounds.Width(), 300);
  EXPECT_EQ(layout().bounds.Height(), 388);
  state_.SetExpanded(true);
  EXPECT_EQ(layout().bounds.Height(), 500);
}

TEST_F(DisplayStateTest, DraggedPlaceIsTheDockedPlace) {
  state_.MovedTo({50, 60});
  EXPECT_EQ(state_.DockedPlace(), (ScreenPoint{50, 60}));
  EXPECT_EQ(layout().bounds, (ScreenRect{50, 60, 250, 60 + kHeader}));
}

}  // namespace
