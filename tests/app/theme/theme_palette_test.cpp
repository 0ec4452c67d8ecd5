// The window's looks: which one is chosen, their colours and how far apart text and
// background are in each.

#include "app/theme/theme_palette.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/theme/contrast.h"
#include "app/theme/dark_skin.h"
#include "foundation/settings_keys.h"
#include "foundation/skin_image.h"

namespace {

// The system's colours of Windows' "High Contrast Black" and "High Contrast White".
SystemColours HighContrastBlack() {
  SystemColours colours;
  colours.window = 0x000000;
  colours.windowText = 0xFFFFFF;
  colours.highlight = 0x1AEBFF;
  colours.highlightText = 0x000000;
  colours.grayText = 0x3FF23F;
  return colours;
}

SystemColours HighContrastWhite() {
  SystemColours colours;
  colours.window = 0xFFFFFF;
  colours.windowText = 0x000000;
  colours.highlight = 0x37006E;
  colours.highlightText = 0xFFFFFF;
  colours.grayText = 0x600000;
  return colours;
}

struct TextPair {
  std::string what;
  std::uint32_t text;
  std::uint32_t background;
};

// Every text the window draws on a flat colour, with that colour.
std::vector<TextPair> FlatTextPairs(const ThemePalette& palette) {
  const RowColours& rows = palette.rows;
  std::vector<TextPair> pairs = {
      {"clip text", rows.clipText, rows.clipBackground},
      {"clip text, odd row", rows.clipText, rows.oddClipBackground},
      {"child clip text", rows.childClipText, rows.clipBackground},
      {"child clip text, odd row", rows.childClipText, rows.oddClipBackground},
      {"badge", rows.badge, rows.clipBackground},
      {"badge, odd row", rows.badge, rows.oddClipBackground},
      {"selected clip text", rows.selectedText, rows.selectedClipBackground},
      {"selected badge", rows.selectedBadge, rows.selectedClipBackground},
      {"empty tree", palette.emptyText, palette.treeBackground},
      {"header caption", palette.header.caption, palette.header.background},
      {"preview text", palette.preview.text, palette.preview.background},
      {"preview caption", palette.preview.caption, palette.preview.background},
  };
  if (rows.flat) {
    pairs.push_back({"category name", rows.categoryName, rows.categoryBackground});
    pairs.push_back({"category count", rows.categoryCount, rows.categoryBackground});
    pairs.push_back({"child category name", rows.categoryName, rows.childCategoryBackground});
    pairs.push_back(
        {"selected category name", rows.selectedCategoryName, rows.selectedCategoryBackground});
    pairs.push_back(
        {"selected category count", rows.selectedCategoryCount, rows.selectedCategoryBackground});
  }
  return pairs;
}

void ExpectReadable(const std::vector<TextPair>& pairs) {
  for (const TextPair& pair : pairs) {
    EXPECT_GE(ContrastRatio(pair.text, pair.background), kMinimumTextContrast) << pair.what;
  }
}

TEST(ContrastRatioTest, SpansOneToTwentyOneWhicheverColourComesFirst) {
  EXPECT_DOUBLE_EQ(ContrastRatio(0x000000, 0xFFFFFF), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(0xFFFFFF, 0x000000), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(0x777777, 0x777777), 1.0);
  // Grey 0x767676 is the lightest that still reads on white.
  EXPECT_GE(ContrastRatio(0x767676, 0xFFFFFF), 4.5);
  EXPECT_LT(ContrastRatio(0x777777, 0xFFFFFF), 4.5);
}

TEST(ContrastRatioTest, GreenWeighsMostInTheLuminance) {
  EXPECT_GT(RelativeLuminance(0x00FF00), RelativeLuminance(0xFF0000));
  EXPECT_GT(RelativeLuminance(0xFF0000), RelativeLuminance(0x0000FF));
  EXPECT_NEAR(RelativeLuminance(0x808080), 0.2159, 0.001);
}

TEST(ThemeLookChoiceTest, HighContrastGoesBeforeEverySetting) {
  for (int setting : {Settings::kThemeFollowSystem, Settings::kThemeLight, Settings::kThemeDark}) {
    EXPECT_EQ(ChooseThemeLook(setting, false, true), EThemeLook::kHighContrast);
    EXPECT_EQ(ChooseThemeLook(setting, true, true), EThemeLook::kHighContrast);
  }
}

TEST(ThemeLookChoiceTest, FollowingWindowsTakesTheSystemsAppTheme) {
  EXPECT_EQ(ChooseThemeLook(Settings::kThemeFollowSystem, true, false), EThemeLook::kDark);
  EXPECT_EQ(ChooseThemeLook(Settings::kThemeFollowSystem, false, false), EThemeLook::kLight);
}

TEST(ThemeLookChoiceTest, AChosenLookOverridesTheSystemsAppTheme) {
  EXPECT_EQ(ChooseThemeLook(Settings::kThemeLight, true, false), EThemeLook::kLight);
  EXPECT_EQ(ChooseThemeLook(Settings::kThemeDark, false, false), EThemeLook::kDark);
}

TEST(ThemeLookChoiceTest, AnUnknownSettingFollowsWindows) {
  EXPECT_EQ(ChooseThemeLook(7, true, false), EThemeLook::kDark);
  EXPECT_EQ(ChooseThemeLook(-1, false, false), EThemeLook::kLight);
}

TEST(ThemePaletteTest, LightLookKeepsTheSkinAndTheWindowsOwnBackgrounds) {
  const SystemColours system;
  const ThemePalette light = PaletteFor(EThemeLook::kLight, system);
  const RowColours& rows = light.rows;
  EXPECT_FALSE(rows.flat);
  EXPECT_EQ(rows.clipBackground, 0xFFFFFFu);
  EXPECT_EQ(rows.oddClipBackground, 0xF0F0F0u);
  EXPECT_EQ(rows.clipText, 0x000000u);
  EXPECT_EQ(rows.separator, 0xC0C0C0u);
  EXPECT_EQ(light.header.frame, 0xA87C40u);
  EXPECT_EQ(light.header.glyph, 0x604624u);
  EXPECT_EQ(light.preview.caption, 0x707070u);
}

TEST(ThemePaletteTest, LightLookTakesTheSystemsColoursWhereTheWindowAlwaysDid) {
  SystemColours system;
  system.buttonFace = 0x123456;
  system.buttonShadow = 0x222222;
  system.window = 0x345678;
  system.grayText = 0x456789;
  system.infoBackground = 0x56789A;
  system.infoText = 0x6789AB;
  const ThemePalette light = PaletteFor(EThemeLook::kLight, system);
  EXPECT_EQ(light.header.background, 0x123456u);
  EXPECT_EQ(light.header.pressedButton, 0x222222u);
  EXPECT_EQ(light.treeBackground, 0x345678u);
  EXPECT_EQ(light.emptyText, 0x456789u);
  EXPECT_EQ(light.preview.background, 0x56789Au);
  EXPECT_EQ(light.preview.text, 0x6789ABu);
}

TEST(ThemePaletteTest, LightLooksTextsAllReadOnTheirBackgrounds) {
  ExpectReadable(FlatTextPairs(PaletteFor(EThemeLook::kLight, SystemColours{})));
}

// Category names and counts stand on the skin's bands, from the 4th to the 20th of a band's
// 26 pixel rows (stretched with the row): each of those rows must leave them readable.
TEST(ThemePaletteTest, LightLooksCategoryTextsReadWhereTheyStandOnTheSkin) {
  const RowColours rows = PaletteFor(EThemeLook::kLight, SystemColours{}).rows;
  for (int y = 0; y < kSkinHeight; ++y) {
    const int inBand = y % kSkinBandRows;
    if (inBand < 3 || inBand > 19) continue;
    const std::uint32_t band = SkinRowColour(y);
    const bool selectedBand = y / kSkinBandRows == 3;
    const std::uint32_t name = selectedBand ? rows.selectedCategoryName : rows.categoryName;
    const std::uint32_t count = selectedBand ? rows.selectedCategoryCount : rows.categoryCount;
    EXPECT_GE(ContrastRatio(name, band), kMinimumTextContrast) << "row " << y;
    EXPECT_GE(ContrastRatio(count, band), kMinimumTextContrast) << "row " << y;
  }
}

// The pin and the arrow are no text, but must still be told from the button they are on:
// 3:1, what the guidelines ask of a control's graphics, up and down, in every look.
TEST(ThemePaletteTest, HeaderButtonsGlyphsStandOutUpAndDownInEveryLook) {
  constexpr double kMinimumGraphicContrast = 3.0;
  for (const auto& [name, look, system] :
       {std::tuple{"light", EThemeLook::kLight, SystemColours{}},
        std::tuple{"dark", EThemeLook::kDark, SystemColours{}},
        std::tuple{"high contrast black", EThemeLook::kHighContrast, HighContrastBlack()},
        std::tuple{"high contrast white", EThemeLook::kHighContrast, HighContrastWhite()}}) {
    SCOPED_TRACE(name);
    const HeaderColours header = PaletteFor(look, system).header;
    EXPECT_GE(ContrastRatio(header.glyph, header.background), kMinimumGraphicContrast);
    EXPECT_GE(ContrastRatio(header.pressedGlyph, header.pressedButton), kMinimumGraphicContrast);
  }
}

TEST(ThemePaletteTest, DarkHeaderAndEmptyTreeAreDarkWithLightInk) {
  const ThemePalette dark = PaletteFor(EThemeLook::kDark, SystemColours{});
  EXPECT_LT(RelativeLuminance(dark.header.background), 0.05);
  EXPECT_LT(RelativeLuminance(dark.header.pressedButton), 0.1);
  EXPECT_GT(RelativeLuminance(dark.header.glyph), 0.5);
  EXPECT_GT(RelativeLuminance(dark.header.pressedGlyph), 0.5);
  EXPECT_EQ(dark.treeBackground, dark.rows.clipBackground);
  EXPECT_GT(RelativeLuminance(dark.emptyText), 0.3);
}

TEST(ThemePaletteTest, DarkLooksTextsAllReadOnTheirBackgrounds) {
  ExpectReadable(FlatTextPairs(PaletteFor(EThemeLook::kDark, SystemColours{})));
}

TEST(ThemePaletteTest, OnlyTheDarkLookDrawsTheEditorItselfDarkAndReadable) {
  EXPECT_FALSE(EditorColoursFor(PaletteFor(EThemeLook::kLight, SystemColours{})));
  EXPECT_FALSE(EditorColoursFor(PaletteFor(EThemeLook::kHighContrast, HighContrastBlack())));
  const auto editor = EditorColoursFor(PaletteFor(EThemeLook::kDark, SystemColours{}));
  ASSERT_TRUE(editor);
  EXPECT_LT(RelativeLuminance(editor->background), 0.05);
  EXPECT_LT(RelativeLuminance(editor->editBackground), 0.05);
  ExpectReadable({{"editor text", editor->text, editor->editBackground},
                  {"editor hint", editor->hint, editor->background}});
}

TEST(ThemePaletteTest, HighContrastLooksTextsReadInTheStandardBlackAndWhiteSchemes) {
  for (const auto& [name, system] :
       {std::pair{"black", HighContrastBlack()}, std::pair{"white", HighContrastWhite()}}) {
    SCOPED_TRACE(name);
    const ThemePalette palette = PaletteFor(EThemeLook::kHighContrast, system);
    EXPECT_TRUE(palette.rows.flat);
    ExpectReadable(FlatTextPairs(palette));
  }
}

TEST(ThemePaletteTest, HighContrastLookIsMadeOfTheSystemsColoursOnly) {
  const SystemColours system = HighContrastBlack();
  const ThemePalette palette = PaletteFor(EThemeLook::kHighContrast, system);
  EXPECT_EQ(palette.rows.clipBackground, system.window);
  EXPECT_EQ(palette.rows.oddClipBackground, system.window);
  EXPECT_EQ(palette.rows.selectedClipBackground, system.highlight);
  EXPECT_EQ(palette.rows.selectedText, system.highlightText);
  EXPECT_EQ(palette.rows.categoryBackground, system.window);
  EXPECT_EQ(palette.header.background, system.window);
  EXPECT_EQ(palette.header.caption, system.windowText);
  EXPECT_EQ(palette.header.pressedButton, system.highlight);
  EXPECT_EQ(palette.header.glyph, system.windowText);
  EXPECT_EQ(palette.header.pressedGlyph, system.highlightText);
  EXPECT_EQ(palette.treeBackground, system.window);
  EXPECT_EQ(palette.emptyText, system.grayText);
  EXPECT_EQ(palette.preview.background, system.window);
}

// Category names and counts stand on the dark skin's bands: every pixel row of each band
// must leave them readable.
TEST(ThemePaletteTest, DarkLooksCategoryTextsReadOnEveryRowOfTheDarkSkin) {
  const TBitmap dark = MakeDarkSkin(MakeSkinImage());
  const RowColours rows = PaletteFor(EThemeLook::kDark, SystemColours{}).rows;
  for (int y = 0; y < dark.Height(); ++y) {
    const std::uint32_t band = dark.PixelColor(0, y);
    // Band 3 is the selected category's.
    const bool selectedBand = y / kSkinBandRows == 3;
    const std::uint32_t name = selectedBand ? rows.selectedCategoryName : rows.categoryName;
    const std::uint32_t count = selectedBand ? rows.selectedCategoryCount : rows.categoryCount;
    EXPECT_GE(ContrastRatio(name, band), kMinimumTextContrast) << "row " << y;
    EXPECT_GE(ContrastRatio(count, band), kMinimumTextContrast) << "row " << y;
  }
}

}  // namespace
