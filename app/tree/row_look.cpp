#include "app/tree/row_look.h"

#include "platform/dpi_scale.h"
#include "store/base_item.h"

namespace {

constexpr int kTopLevelIndent = 2;
constexpr int kTextRightMargin = 2;
constexpr int kTextTop = -1;
constexpr int kLastQuickNumber = 10;

// The modifier that, held with the digit, pastes this clip: the history takes one of Ctrl
// and Alt by the mode, every other category the other.
std::u16string BadgeModifier(int quickPasteMode, bool history) {
  const bool ctrl = (quickPasteMode == 1) == history;
  return ctrl ? u"Ctrl" : u"Alt";
}

}  // namespace

std::u16string DecimalText(unsigned value) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value != 0);
  return digits;
}

int RowHeightAtDpi(int dpi) {
  return static_cast<int>(25.0 * UsableDpi(dpi) / 96.0 + 1.0);
}

CategoryRowLook CategoryRowLookFor(const CItemNode& category, const RowState& state) {
  const auto scaled = [&state](int value) { return ScaleToDpi(value, state.dpi); };
  CategoryRowLook look;
  look.stripe = state.selected    ? kSelectedCategoryStripe
                : state.hasParent ? kChildCategoryStripe
                                  : category.skinRow;
  const RowColours& colours = state.colours;
  if (colours.flat) {
    look.flatBackground = state.selected    ? colours.selectedCategoryBackground
                          : state.hasParent ? colours.childCategoryBackground
                                            : colours.categoryBackground;
  }
  look.bold = !state.hasParent;
  look.nameColour = state.selected ? colours.selectedCategoryName : colours.categoryName;
  look.countColour = state.selected ? colours.selectedCategoryCount : colours.categoryCount;
  look.iconLeft = scaled(category.indent);
  look.iconTop = scaled(kIconTop);
  look.nameLeft = scaled(category.indent + kCategoryTextGap);
  look.textTop = scaled(kCategoryTextTop);
  look.countText = u"#" + DecimalText(category.clipCount);
  look.countRightMargin = scaled(kCountRightMargin);
  return look;
}

ClipRowLook ClipRowLookFor(const CItemNode& clip, const RowState& state) {
  const auto scaled = [&state](int value) { return ScaleToDpi(value, state.dpi); };
  const RowColours& colours = state.colours;
  ClipRowLook look;
  if (state.selected) {
    look.background = colours.selectedClipBackground;
  } else {
    look.background =
        state.precedingSiblings % 2 == 0 ? colours.clipBackground : colours.oddClipBackground;
  }
  look.contentLeft = scaled(clip.indent);
  look.thumbnailTop = scaled(kThumbnailTop);
  if (state.quickPasteMode != 0 && clip.quickNumber >= 1 && clip.quickNumber <= kLastQuickNumber) {
    const bool history = clip.categoryId == kHistoryCategoryId;
    look.badge = QuickPasteBadge{BadgeModifier(state.quickPasteMode, history),
                                 DecimalText(static_cast<unsigned>(clip.quickNumber % 10)),
                                 state.selected ? colours.selectedBadge : colours.badge,
                                 {scaled(kBadgeModifierLeft), scaled(kBadgeModifierTop)},
                                 {scaled(kBadgeDigitLeft), scaled(kBadgeDigitTop)}};
    look.contentLeft += scaled(kBadgeWidth);
  }
  if (clip.clipKind == kFileListKind) {
    look.fileIcon = true;
    look.fileIconLeft = look.contentLeft;
    look.fileIconTop = scaled(kIconTop);
    look.fileIconSide = scaled(kFileIconSide);
    look.contentLeft += scaled(kFileIconWidth);
  }
  look.hotKeyMark = clip.hotKey != 0;
  const int markWidth = scaled(kHotKeyMarkWidth);
  look.hotKeyMarkLeft = state.width - markWidth;
  look.hotKeyMarkTop = scaled(kIconTop);
  if (state.selected) {
    look.textColour = colours.selectedText;
  } else {
    look.textColour = clip.indent > kTopLevelIndent ? colours.childClipText : colours.clipText;
  }
  const int right =
      look.hotKeyMark ? state.width - markWidth : state.width - scaled(kTextRightMargin);
  look.textRect = RowRect{look.contentLeft, scaled(kTextTop), right, state.height};
  look.separatorTop = state.height - 1;
  look.separatorColour = colours.separator;
  return look;
}
