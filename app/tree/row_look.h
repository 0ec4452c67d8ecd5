#pragma once
// How a row of the clip tree looks, decided from its mirror node and the row's state, apart
// from any drawing. The painter composes each row in a bitmap as tall as one row and as wide
// as the tree; every coordinate here is inside that bitmap, in pixels at the row's dpi (the
// constants below and the nodes' indents are their 96-dpi design values). Colours are
// 0xRRGGBB.

#include <cstdint>
#include <optional>
#include <string>

#include "app/theme/theme_palette.h"
#include "categories/item_node.h"

inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kOddClipBackground = 0xF0F0F0;
inline constexpr std::uint32_t kSeparatorColour = 0xC0C0C0;

// Skin bands a category row can stand on besides the node's own `skinRow`.
inline constexpr int kChildCategoryStripe = 2;
inline constexpr int kSelectedCategoryStripe = 3;

// Fixed places inside the row bitmap, at 96 dots per inch.
inline constexpr int kIconTop = 5;         // category icon, hot-key mark, file icon
inline constexpr int kFileIconWidth = 20;  // a file list's icon and the gap after it
inline constexpr int kFileIconSide = 16;
inline constexpr int kCategoryTextTop = 4;   // name and count
inline constexpr int kCategoryTextGap = 20;  // from the indent to the name
inline constexpr int kCountRightMargin = 2;
inline constexpr int kBadgeModifierLeft = 1, kBadgeModifierTop = -1;
inline constexpr int kBadgeDigitLeft = 4, kBadgeDigitTop = 9;
inline constexpr int kBadgeWidth = 20;  // the clip's content moves right by this
inline constexpr int kThumbnailTop = 1;
inline constexpr int kHotKeyMarkWidth = 16;

// What the tree knows of a row besides its node.
struct RowState {
  bool selected = false;
  bool hasParent = false;     // the row lies below another row
  int precedingSiblings = 0;  // rows before it under the same parent
  int quickPasteMode = 0;     // 0 off, 1 Ctrl for the history, 2 Alt for the history
  int width = 0;              // of the row bitmap
  int height = 0;
  int dpi = 96;        // of the monitor that shows the tree
  RowColours colours;  // of the window's look; the light one by default
};

// `value` in decimal digits, as rows show and read counts and numbers.
std::u16string DecimalText(unsigned value);

// The row bitmap's height at `dpi`: trunc(25 x dpi / 96 + 1), 26 pixels at 96.
int RowHeightAtDpi(int dpi);

struct RowPoint {
  int x = 0, y = 0;
  bool operator==(const RowPoint&) const = default;
};

struct RowRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const RowRect&) const = default;
};

struct CategoryRowLook {
  int stripe = 0;                               // band of the skin stretched over the whole row
  std::optional<std::uint32_t> flatBackground;  // filled instead of the band, when set
  bool bold = false;
  std::uint32_t nameColour = kBlack;
  std::uint32_t countColour = 0;
  int iconLeft = 0;
  int iconTop = 0;
  int nameLeft = 0;
  int textTop = 0;           // of the name and the count
  std::u16string countText;  // "#" and the count, right-aligned (see CountLeft)
  int countRightMargin = 0;
};

struct QuickPasteBadge {
  std::u16string modifier;  // "Ctrl" or "Alt", small
  std::u16string digit;     // "1" .. "9", "0" for the tenth, large and bold
  std::uint32_t colour = 0;
  RowPoint modifierAt;
  RowPoint digitAt;
};

struct ClipRowLook {
  std::uint32_t background = kWhite;
  std::optional<QuickPasteBadge> badge;
  bool hotKeyMark = false;
  int hotKeyMarkLeft = 0;
  int hotKeyMarkTop = 0;
  std::uint32_t textColour = kBlack;
  bool fileIcon = false;  // a file list: the system's file icon before the caption
  int fileIconLeft = 0;
  int fileIconTop = 0;
  int fileIconSide = 16;
  int contentLeft = 0;  // where the thumbnail or the text begins
  int thumbnailTop = 0;
  RowRect textRect;      // word-wrapped caption, cut at the row's bottom
  int separatorTop = 0;  // one-pixel line across the row in separatorColour
  std::uint32_t separatorColour = kSeparatorColour;
};

CategoryRowLook CategoryRowLookFor(const CItemNode& category, const RowState& state);
ClipRowLook ClipRowLookFor(const CItemNode& clip, const RowState& state);

// Left edge of `look`'s right-aligned count text of `textWidth` pixels in a row `rowWidth`
// wide.
inline int CountLeft(const CategoryRowLook& look, int rowWidth, int textWidth) {
  return rowWidth - textWidth - look.countRightMargin;
}

// Right edge of the room for `look`'s name, whose count begins at `countLeft`: the name ends
// the count's margin before it (cut with an ellipsis where it is longer), so that a count of
// many digits is never drawn over the name. Never left of the name's start.
inline int CategoryNameRight(const CategoryRowLook& look, int countLeft) {
  const int right = countLeft - look.countRightMargin;
  return right > look.nameLeft ? right : look.nameLeft;
}
