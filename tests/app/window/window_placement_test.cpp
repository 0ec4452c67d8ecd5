// Where the main window goes: the docked place, the near zone, the popup, the drag zone.

#include <gtest/gtest.h>

#include <vector>

#include "app/window/window_placement.h"

namespace {

const ScreenRect kPrimary{0, 0, 1280, 1024};
const ScreenRect kPrimaryWork{0, 0, 1280, 984};  // taskbar at the bottom
const ScreenRect kRightMonitor{1280, 0, 3200, 1080};
const std::vector<ScreenRect> kBothMonitors{kPrimary, kRightMonitor};

TEST(DockedPlacementTest, KeepsAVisibleSavedPlace) {
  EXPECT_EQ(PlaceDockedWindow({100, 50}, 200, 29, kBothMonitors, kPrimaryWork, kPrimaryWork),
            (ScreenPoint{100, 50}));
  EXPECT_EQ(PlaceDockedWindow({2000, 500}, 200, 29, kBothMonitors, kRightMonitor, kPrimaryWork),
            (ScreenPoint{2000, 500}));
}

TEST(DockedPlacementTest, APlaceOnAnUnpluggedMonitorFallsBackToTheDefault) {
  const std::vector<ScreenRect> primaryOnly{kPrimary};
  EXPECT_EQ(PlaceDockedWindow({2000, 500}, 200, 29, primaryOnly, kPrimaryWork, kPrimaryWork),
            (ScreenPoint{1280 - 200 - 80, 0}));
  // Left of and above every monitor, too.
  EXPECT_EQ(PlaceDockedWindow({-500, -100}, 200, 29, primaryOnly, kPrimaryWork, kPrimaryWork),
            (ScreenPoint{1000, 0}));
}

TEST(DockedPlacementTest, PartlyVisiblePastTheRightEdgeSitsFlushWithIt) {
  const std::vector<ScreenRect> primaryOnly{kPrimary};
  EXPECT_EQ(PlaceDockedWindow({1200, 40}, 200, 29, primaryOnly, kPrimaryWork, kPrimaryWork),
            (ScreenPoint{1080, 40}));
  // Past the left or the bottom edge it stays where it was saved.
  EXPECT_EQ(PlaceDockedWindow({-150, 40}, 200, 29, primaryOnly, kPrimaryWork, kPrimaryWork),
            (ScreenPoint{-150, 40}));
  EXPECT_EQ(PlaceDockedWindow({300, 1000}, 200, 29, primaryOnly, kPrimaryWork, kPrimaryWork),
            (ScreenPoint{300, 1000}));
}

TEST(NearZoneTest, ThirtyPixelsOutsideIsAway) {
  const ScreenRect window{100, 100, 300, 129};  // right and bottom exclusive: 299, 128 inside
  EXPECT_TRUE(IsCursorNear({71, 100}, window));
  EXPECT_FALSE(IsCursorNear({70, 100}, window));
  EXPECT_TRUE(IsCursorNear({329, 158}, window));
  EXPECT_FALSE(IsCursorNear({330, 110}, window));
  EXPECT_FALSE(IsCursorNear({200, 159}, window));
  EXPECT_FALSE(IsCursorNear({200, 70}, window));
}

TEST(PopupPositionTest, OpensBesideTheCursorInsideTheWorkArea) {
  EXPECT_EQ(PopupPosition({500, 400}, 200, 388, kPrimaryWork), (ScreenPoint{501, 401}));
  // Near the right and bottom edges: left of and above the cursor.
  EXPECT_EQ(PopupPosition({1100, 700}, 200, 388, kPrimaryWork), (ScreenPoint{899, 311}));
  // Exactly reaching the edge counts as reaching it.
  EXPECT_EQ(PopupPosition({1080, 596}, 200, 388, kPrimaryWork), (ScreenPoint{879, 207}));
}

TEST(PopupPositionTest, OnASecondMonitorUsesThatMonitorsWorkArea) {
  EXPECT_EQ(PopupPosition({2000, 300}, 200, 388, kRightMonitor), (ScreenPoint{2001, 301}));
  const ScreenRect leftMonitor{-1920, 0, 0, 1080};
  EXPECT_EQ(PopupPosition({-150, 900}, 200, 388, leftMonitor), (ScreenPoint{-351, 511}));
}

TEST(DragZoneTest, IsTheHeaderLeftOfThePin) {
  const ScreenPoint window{1000, 20};
  EXPECT_TRUE(IsInDragZone({1000, 20}, window, 175, 28));
  EXPECT_TRUE(IsInDragZone({1174, 47}, window, 175, 28));
  EXPECT_FALSE(IsInDragZone({1175, 30}, window, 175, 28));
  EXPECT_FALSE(IsInDragZone({1050, 48}, window, 175, 28));
}

}  // namespace
