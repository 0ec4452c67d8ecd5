#pragma once
// The main window's sizes at one dpi, all from its design values at 96 dots per inch: the
// header, the controls' places, the fonts, the icons and the sizes the settings give.

#include "app/window/display_state.h"
#include "app/window/window_placement.h"

struct MainWindowMetrics {
  int dpi = 96;
  int headerHeight = 0;    // the folded window: the header's controls and the frame
  int formFontHeight = 0;  // character heights, negative as a LOGFONT's
  int treeFontHeight = 0;
  int treeIndent = 0;
  int iconSide = 0;         // the category icons and the hot-key mark
  int thumbnailHeight = 0;  // a picture clip's row
};

MainWindowMetrics MainWindowMetricsAt(int dpi);

// The places of the window's controls in a client area of `clientWidth` x `clientHeight`
// pixels at `dpi`. The label and the buttons follow the right edge, the tree both edges.
struct MainWindowChildren {
  ScreenRect label;
  ScreenRect pin;
  ScreenRect openButton;
  ScreenRect autoPaste;
  ScreenRect tree;
};
MainWindowChildren MainWindowChildrenAt(int clientWidth, int clientHeight, int dpi);

// The settings' width and height ("WindowWidth", "WindowHeight", 96-dpi values like every
// design size) in pixels at `dpi`; the other settings as they are.
CDisplayState::Settings DisplaySettingsAt(const CDisplayState::Settings& design, int dpi);
