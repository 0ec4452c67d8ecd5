#pragma once
// Where the search field sits in the main window's header, in pixels at 96 dots per inch
// (scaled where used): in the popup to the right of "Paste to active app", docked in the
// place of the caption of the newest clip.

inline constexpr int kSearchFieldTop = 5;
inline constexpr int kSearchFieldHeight = 20;
inline constexpr int kSearchFieldRightMargin = 4;          // popup: to the window's right edge
inline constexpr int kSearchFieldPopupLeft = 4 + 125 + 4;  // after the check box
inline constexpr int kSearchFieldDockedLeft = 4;           // the caption's left edge
inline constexpr int kSearchFieldDockedRightMargin = 46;   // docked: clear of the buttons

// The text the tree shows when the search finds nothing.
inline constexpr char16_t kNoMatchText[] = u"No clip matches";
