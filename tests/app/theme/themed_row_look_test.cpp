// Rows of the clip tree in each look: their colours come from the window's palette.

#include <gtest/gtest.h>

#include <memory>

#include "app/theme/theme_palette.h"
#include "app/tree/row_look.h"
#include "store/base_item.h"

namespace {

std::unique_ptr<CItemNode> Node(bool category, int indent = 2) {
  auto node = std::make_unique<CItemNode>();
  node->isCategory = category;
  node->categoryId = kHistoryCategoryId;
  node->indent = indent;
  node->quickNumber = 1;
  return node;
}

RowState StateIn(EThemeLook look, bool selected, SystemColours system = {}) {
  RowState state;
  state.selected = selected;
  state.width = 200;
  state.height = 26;
  state.quickPasteMode = 1;
  state.colours = PaletteFor(look, system).rows;
  return state;
}

TEST(ThemedRowLookTest, LightRowsLookAsWithoutAPalette) {
  const auto clip = Node(false);
  const auto category = Node(true);
  for (bool selected : {false, true}) {
    RowState plain = StateIn(EThemeLook::kLight, selected);
    plain.colours = RowColours{};
    const ClipRowLook themed = ClipRowLookFor(*clip, StateIn(EThemeLook::kLight, selected));
    const ClipRowLook before = ClipRowLookFor(*clip, plain);
    EXPECT_EQ(themed.background, before.background);
    EXPECT_EQ(themed.textColour, before.textColour);
    EXPECT_EQ(themed.separatorColour, before.separatorColour);
    EXPECT_FALSE(
        CategoryRowLookFor(*category, StateIn(EThemeLook::kLight, selected)).flatBackground);
  }
}

TEST(ThemedRowLookTest, DarkRowsTakeTheDarkColoursAndItsOwnSelection) {
  const auto clip = Node(false);
  const RowColours dark = PaletteFor(EThemeLook::kDark, {}).rows;
  const ClipRowLook plain = ClipRowLookFor(*clip, StateIn(EThemeLook::kDark, false));
  EXPECT_EQ(plain.background, dark.clipBackground);
  EXPECT_EQ(plain.textColour, dark.clipText);
  EXPECT_EQ(plain.badge->colour, dark.badge);
  EXPECT_EQ(plain.separatorColour, dark.separator);
  const ClipRowLook selected = ClipRowLookFor(*clip, StateIn(EThemeLook::kDark, true));
  EXPECT_EQ(selected.background, dark.selectedClipBackground);
  EXPECT_NE(selected.background, RowColours{}.selectedClipBackground);
}

TEST(ThemedRowLookTest, HighContrastCategoriesAreFilledFlatInTheSystemsColours) {
  SystemColours system;
  system.window = 0x000000;
  system.windowText = 0xFFFFFF;
  system.highlight = 0x1AEBFF;
  system.highlightText = 0x000000;
  const auto category = Node(true);
  const CategoryRowLook plain =
      CategoryRowLookFor(*category, StateIn(EThemeLook::kHighContrast, false, system));
  EXPECT_EQ(plain.flatBackground, std::optional<std::uint32_t>(0x000000));
  EXPECT_EQ(plain.nameColour, 0xFFFFFFu);
  const CategoryRowLook selected =
      CategoryRowLookFor(*category, StateIn(EThemeLook::kHighContrast, true, system));
  EXPECT_EQ(selected.flatBackground, std::optional<std::uint32_t>(0x1AEBFF));
  EXPECT_EQ(selected.nameColour, 0x000000u);
  const auto clip = Node(false);
  EXPECT_EQ(ClipRowLookFor(*clip, StateIn(EThemeLook::kHighContrast, true, system)).background,
            0x1AEBFFu);
}

}  // namespace
