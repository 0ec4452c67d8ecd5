#include "app/tree/row_look.h"

#include "store/base_item.h"

namespace {

constexpr std::uint32_t kCountColour = 0x707070;
constexpr std::uint32_t kSelectedCountColour = 0xE0E0E0;
constexpr std::uint32_t kBadgeColour = 0xA0A0A0;
constexpr std::uint32_t kSelectedBadgeColour = 0xD0D0D0;
constexpr std::uint32_t kChildClipTextColour = 0xA0A0A0;
constexpr int kTopLevelIndent = 2;
constexpr int kTextRightMargin = 2;
constexpr int kTextTop = -1;
constexpr int kLastQuickNumber = 10;

std::u16string Decimal(unsigned int value) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value != 0);
  return digits;
}

// The modifier that, held with the digit, pastes this clip: the history takes one of Ctrl
// and Alt by the mode, every other category the other.
std::u16string BadgeModifier(int quickPasteMode, bool history) {
  const bool ctrl = (quickPasteMode == 1) == history;
  return ctrl ? u"Ctrl" : u"Alt";
}

}  // namespace

CategoryRowLook CategoryRowLookFor(const CItemNode& category, const RowState& state) {
  CategoryRowLook look;
  look.stripe = state.selected ? kSelectedCategoryStripe
                : state.hasParent ? kChildCategoryStripe
                                  : category.skinRow;
  look.bold = !state.hasParent;
  look.nameColour = state.selected ? kWhite : kBlack;
  look.countColour = state.selected ? kSelectedCountColour : kCountColour;
  look.iconLeft = category.indent;
  look.nameLeft = category.indent + kCategoryTextGap;
  look.countText = u"#" + Decimal(category.count);
  return look;
}

ClipRowLook ClipRowLookFor(const CItemNode& clip, const RowState& state) {
  ClipRowLook look;
  if (state.selected) {
    look.background = state.menuHighlight;
  } else {
    look.background = state.precedingSiblings % 2 == 0 ? kWhite : kOddClipBackground;
  }
  look.contentLeft = clip.indent;
  if (state.quickPasteMode != 0 && clip.quickNumber >= 1 && clip.quickNumber <= kLastQuickNumber) {
    const bool history = clip.categoryId == kHistoryCategoryId;
    look.badge = QuickPasteBadge{BadgeModifier(state.quickPasteMode, history),
                                 Decimal(static_cast<unsigned>(clip.quickNumber % 10)),
                                 state.selected ? kSelectedBadgeColour : kBadgeColour};
    look.contentLeft += kBadgeWidth;
  }
  if (clip.clipKind == kFileListKind) {
    look.fileIcon = true;
    look.fileIconLeft = look.contentLeft;
    look.contentLeft += kFileIconWidth;
  }
  look.hotKeyMark = clip.hotKey != 0;
  look.hotKeyMarkLeft = state.width - kHotKeyMarkWidth;
  if (state.selected) {
    look.textColour = kWhite;
  } else {
    look.textColour = clip.indent > kTopLevelIndent ? kChildClipTextColour : kBlack;
  }
  const int right = look.hotKeyMark ? state.width - kHotKeyMarkWidth : state.width - kTextRightMargin;
  look.textRect = RowRect{look.contentLeft, kTextTop, right, state.height};
  look.separatorTop = state.height - 1;
  return look;
}
