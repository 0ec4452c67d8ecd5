// The main window's sizes at 96, 144 and 192 dpi, and after a move to another dpi.

#include "app/window/window_metrics.h"

#include <gtest/gtest.h>

#include "app/window/display_state.h"

namespace {

TEST(WindowMetricsTest, EverySizeScalesFromItsDesignValue) {
  const MainWindowMetrics at96 = MainWindowMetricsAt(96);
  EXPECT_EQ(at96.headerHeight, 29);
  EXPECT_EQ(at96.formFontHeight, -11);
  EXPECT_EQ(at96.treeFontHeight, -19);
  EXPECT_EQ(at96.treeIndent, 42);
  EXPECT_EQ(at96.iconSide, 16);
  EXPECT_EQ(at96.thumbnailHeight, 22);

  const MainWindowMetrics at144 = MainWindowMetricsAt(144);
  EXPECT_EQ(at144.headerHeight, 43);  // 41 and the frame
  EXPECT_EQ(at144.formFontHeight, -17);
  EXPECT_EQ(at144.treeFontHeight, -29);
  EXPECT_EQ(at144.treeIndent, 63);
  EXPECT_EQ(at144.iconSide, 24);
  EXPECT_EQ(at144.thumbnailHeight, 33);

  const MainWindowMetrics at192 = MainWindowMetricsAt(192);
  EXPECT_EQ(at192.headerHeight, 56);
  EXPECT_EQ(at192.treeFontHeight, -38);
  EXPECT_EQ(at192.iconSide, 32);
  EXPECT_EQ(at192.thumbnailHeight, 44);
  EXPECT_EQ(MainWindowMetricsAt(0).headerHeight, 29);
}

TEST(WindowMetricsTest, TheControlsFollowTheRightEdgeAtEveryDpi) {
  const MainWindowChildren at96 = MainWindowChildrenAt(200, 388, 96);
  EXPECT_EQ(at96.label, (ScreenRect{4, 1, 154, 28}));
  EXPECT_EQ(at96.pin, (ScreenRect{155, 1, 175, 28}));
  EXPECT_EQ(at96.openButton, (ScreenRect{179, 1, 199, 28}));
  EXPECT_EQ(at96.autoPaste, (ScreenRect{4, 10, 129, 27}));
  EXPECT_EQ(at96.tree, (ScreenRect{1, 28, 199, 387}));

  const MainWindowChildren at144 = MainWindowChildrenAt(300, 582, 144);
  EXPECT_EQ(at144.label, (ScreenRect{6, 2, 231, 43}));
  EXPECT_EQ(at144.pin, (ScreenRect{232, 2, 262, 43}));
  EXPECT_EQ(at144.openButton, (ScreenRect{268, 2, 298, 43}));
  EXPECT_EQ(at144.tree, (ScreenRect{2, 42, 298, 580}));

  const MainWindowChildren at192 = MainWindowChildrenAt(400, 776, 192);
  EXPECT_EQ(at192.openButton, (ScreenRect{358, 2, 398, 56}));
  EXPECT_EQ(at192.tree, (ScreenRect{2, 56, 398, 774}));
  // A window narrower than its header keeps a tree of no width rather than a negative one.
  EXPECT_EQ(MainWindowChildrenAt(2, 20, 192).tree.Width(), 0);
}

TEST(WindowMetricsTest, TheSettingsWidthAndHeightAre96DpiValues) {
  const CDisplayState::Settings design{200, 388, 180, false};
  const CDisplayState::Settings at144 = DisplaySettingsAt(design, 144);
  EXPECT_EQ(at144.width, 300);
  EXPECT_EQ(at144.expandedHeight, 582);
  EXPECT_EQ(at144.transparency, 180);
  EXPECT_FALSE(at144.monitorVisible);
  EXPECT_EQ(DisplaySettingsAt(design, 192).width, 400);
  EXPECT_EQ(DisplaySettingsAt(design, 96).expandedHeight, 388);
}

class DpiChangeTest : public ::testing::Test {
 protected:
  const CDisplayState::Settings design_{200, 388, 180, true};
  CDisplayState state_{
      {900, 10}, MainWindowMetricsAt(96).headerHeight, DisplaySettingsAt(design_, 96)};
  void MoveTo(int dpi, ScreenPoint place) {
    state_.Rescale(DisplaySettingsAt(design_, dpi), MainWindowMetricsAt(dpi).headerHeight, place);
  }
};

TEST_F(DpiChangeTest, AFoldedWindowMovedFrom96To144TakesTheSuggestedPlaceAndItsSizes) {
  // The system suggests the old rectangle scaled, at the place the drag reached.
  MoveTo(144, {1500, 10});
  EXPECT_EQ(state_.Layout().bounds, (ScreenRect{1500, 10, 1800, 53}));
  EXPECT_EQ(state_.DockedPlace(), (ScreenPoint{1500, 10}));
  state_.ToggleOpen();
  EXPECT_EQ(state_.Layout().bounds.Height(), 582);
  state_.ToggleOpen();
  MoveTo(96, {800, 10});
  EXPECT_EQ(state_.Layout().bounds, (ScreenRect{800, 10, 1000, 39}));
}

TEST_F(DpiChangeTest, AnUnfoldedWindowStaysUnfoldedAtTheNewHeight) {
  state_.ToggleOpen();
  MoveTo(192, {900, 10});
  EXPECT_EQ(state_.Layout().bounds, (ScreenRect{900, 10, 1300, 786}));
  EXPECT_TRUE(state_.Layout().treeVisible && state_.Layout().pinVisible);
}

TEST_F(DpiChangeTest, APopupOnAMonitorOfAnotherDpiHasItsSizesAndReturnsToTheDockedPlace) {
  const ScreenRect secondMonitor{1280, 0, 2560, 1024};
  // The window takes the cursor's monitor's sizes before it goes there as the popup.
  MoveTo(144, {900, 10});
  ASSERT_TRUE(state_.ShowPopup({2000, 300}, secondMonitor));
  EXPECT_EQ(state_.Layout().bounds, (ScreenRect{2001, 301, 2301, 883}));
  // Back at the docked place, on the first monitor, it takes that one's sizes again.
  ASSERT_TRUE(state_.HidePopup());
  MoveTo(96, {state_.Layout().bounds.left, state_.Layout().bounds.top});
  EXPECT_EQ(state_.Layout().bounds, (ScreenRect{900, 10, 1100, 39}));
  EXPECT_EQ(state_.DockedPlace(), (ScreenPoint{900, 10}));
}

}  // namespace
