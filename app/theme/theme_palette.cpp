#include "app/theme/theme_palette.h"

#include "foundation/settings_keys.h"

namespace {

ThemePalette LightPalette(const SystemColours& system) {
  ThemePalette palette;
  palette.look = EThemeLook::kLight;
  palette.treeBackground = system.window;
  palette.emptyText = system.grayText;
  palette.header = {system.buttonFace, system.buttonShadow, system.windowText, 0xA87C40, 0x604624,
                    0x604624};
  palette.preview = {system.infoBackground, system.infoText, 0x707070};
  return palette;
}

// Greys near those of the system's own dark windows, with a muted blue selection; the rows
// stand on the dark skin's bands, a quarter as bright as the light ones.
ThemePalette DarkPalette() {
  ThemePalette palette;
  palette.look = EThemeLook::kDark;
  RowColours& rows = palette.rows;
  rows.clipBackground = 0x202020;
  rows.oddClipBackground = 0x2B2B2B;
  rows.selectedClipBackground = 0x1F4E8C;
  rows.clipText = 0xF0F0F0;
  rows.childClipText = 0xA8A8A8;
  rows.selectedText = 0xFFFFFF;
  rows.separator = 0x3C3C3C;
  rows.badge = 0xA8A8A8;
  rows.selectedBadge = 0xD0D0D0;
  rows.categoryName = 0xF0F0F0;
  rows.selectedCategoryName = 0xFFFFFF;
  rows.categoryCount = 0xB8B8B8;
  rows.selectedCategoryCount = 0xE0E0E0;
  rows.categoryBackground = 0x3B2E19;
  rows.childCategoryBackground = 0x363A3E;
  rows.selectedCategoryBackground = 0x142337;
  palette.treeBackground = 0x202020;
  palette.emptyText = 0xA8A8A8;
  palette.header = {0x202020, 0x404040, 0xF0F0F0, 0x505050, 0xD0D0D0, 0xF0F0F0};
  palette.preview = {0x2B2B2B, 0xF0F0F0, 0xA8A8A8};
  return palette;
}

// Only the colours the user chose: flat fills, nothing of the skin.
ThemePalette HighContrastPalette(const SystemColours& system) {
  ThemePalette palette;
  palette.look = EThemeLook::kHighContrast;
  RowColours& rows = palette.rows;
  rows.flat = true;
  rows.clipBackground = system.window;
  rows.oddClipBackground = system.window;
  rows.selectedClipBackground = system.highlight;
  rows.clipText = system.windowText;
  rows.childClipText = system.grayText;
  rows.selectedText = system.highlightText;
  rows.separator = system.grayText;
  rows.badge = system.grayText;
  rows.selectedBadge = system.highlightText;
  rows.categoryName = system.windowText;
  rows.selectedCategoryName = system.highlightText;
  rows.categoryCount = system.windowText;
  rows.selectedCategoryCount = system.highlightText;
  rows.categoryBackground = system.window;
  rows.childCategoryBackground = system.window;
  rows.selectedCategoryBackground = system.highlight;
  palette.treeBackground = system.window;
  palette.emptyText = system.grayText;
  palette.header = {system.window,     system.highlight,  system.windowText,
                    system.windowText, system.windowText, system.highlightText};
  palette.preview = {system.window, system.windowText, system.grayText};
  return palette;
}

}  // namespace

ThemePalette PaletteFor(EThemeLook look, const SystemColours& system) {
  switch (look) {
    case EThemeLook::kDark:
      return DarkPalette();
    case EThemeLook::kHighContrast:
      return HighContrastPalette(system);
    case EThemeLook::kLight:
      break;
  }
  return LightPalette(system);
}

std::optional<EditorColours> EditorColoursFor(const ThemePalette& palette) {
  if (palette.look != EThemeLook::kDark) return std::nullopt;
  return EditorColours{palette.header.background, palette.rows.clipBackground,
                       palette.rows.clipText, palette.preview.caption};
}

EThemeLook ChooseThemeLook(int themeSetting, bool systemDark, bool highContrast) {
  if (highContrast) return EThemeLook::kHighContrast;
  if (themeSetting == Settings::kThemeLight) return EThemeLook::kLight;
  if (themeSetting == Settings::kThemeDark) return EThemeLook::kDark;
  return systemDark ? EThemeLook::kDark : EThemeLook::kLight;
}
