// What a click on the tray icon does, with the docked window shown or hidden.

#include "app/window/tray_click.h"

#include <gtest/gtest.h>

namespace {

TEST(TrayClickTest, WithTheWindowHiddenAClickShowsTheList) {
  EXPECT_EQ(TrayClickAction(ETrayClick::kClick, false), ETrayClickAction::kShowList);
  // The double click's first click showed it; the second must not fold it again.
  EXPECT_EQ(TrayClickAction(ETrayClick::kDoubleClick, false), ETrayClickAction::kShowList);
}

TEST(TrayClickTest, WithTheWindowShownOnlyADoubleClickTogglesTheList) {
  EXPECT_EQ(TrayClickAction(ETrayClick::kClick, true), ETrayClickAction::kNothing);
  EXPECT_EQ(TrayClickAction(ETrayClick::kDoubleClick, true), ETrayClickAction::kToggleList);
}

}  // namespace
