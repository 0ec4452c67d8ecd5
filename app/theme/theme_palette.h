#pragma once
// The colours every drawn part of the main window takes, for each of the three looks: the
// light one (the skin's bands, with texts dark enough to read on them), the dark one, and the
// one made of the system's high-contrast colours. Every text stands out from what it is drawn
// on by at least 4.5:1 (contrast.h). Colours are 0xRRGGBB.

#include <cstdint>
#include <optional>

enum class EThemeLook { kLight, kDark, kHighContrast };

// The system's colours (GetSysColor) the looks are made from; the defaults are those of a
// standard light Windows. Passed in, so that the looks can be made and checked anywhere.
struct SystemColours {
  std::uint32_t window = 0xFFFFFF;          // COLOR_WINDOW
  std::uint32_t windowText = 0x000000;      // COLOR_WINDOWTEXT
  std::uint32_t highlight = 0x0078D7;       // COLOR_HIGHLIGHT
  std::uint32_t highlightText = 0xFFFFFF;   // COLOR_HIGHLIGHTTEXT
  std::uint32_t grayText = 0x6D6D6D;        // COLOR_GRAYTEXT
  std::uint32_t buttonFace = 0xF0F0F0;      // COLOR_BTNFACE
  std::uint32_t buttonShadow = 0xA0A0A0;    // COLOR_BTNSHADOW
  std::uint32_t infoBackground = 0xFFFFE1;  // COLOR_INFOBK
  std::uint32_t infoText = 0x000000;        // COLOR_INFOTEXT
};

// The clip tree's rows. The defaults are the light look, whose selection is a deeper blue
// than the system's menu highlight (white on that reads at under 3:1) and whose badges and
// counts are dark greys, so that every text reads at 4.5:1 or more.
struct RowColours {
  // Category rows are filled with the flat colours below instead of the skin's bands.
  bool flat = false;
  std::uint32_t clipBackground = 0xFFFFFF;
  std::uint32_t oddClipBackground = 0xF0F0F0;
  std::uint32_t selectedClipBackground = 0x0067C0;
  std::uint32_t clipText = 0x000000;
  std::uint32_t childClipText = 0x666666;  // a clip shown below another row
  std::uint32_t selectedText = 0xFFFFFF;
  std::uint32_t separator = 0xC0C0C0;
  std::uint32_t badge = 0x666666;
  std::uint32_t selectedBadge = 0xF0F0F0;
  std::uint32_t categoryName = 0x000000;
  // On the skin's strong blue band, which is too light below its middle for white.
  std::uint32_t selectedCategoryName = 0x000000;
  std::uint32_t categoryCount = 0x404040;
  std::uint32_t selectedCategoryCount = 0x000000;
  // Flat category rows only.
  std::uint32_t categoryBackground = 0xEEBA65;
  std::uint32_t childCategoryBackground = 0xD8EBFA;
  std::uint32_t selectedCategoryBackground = 0x508CDD;

  bool operator==(const RowColours&) const = default;
};

// The header: the strip with the caption and its buttons above the list.
struct HeaderColours {
  std::uint32_t background = 0;
  std::uint32_t pressedButton = 0;
  std::uint32_t caption = 0;
  std::uint32_t frame = 0;         // the line around the window
  std::uint32_t glyph = 0;         // the pin and the arrow on the buttons
  std::uint32_t pressedGlyph = 0;  // the same on a button that is down
};

// The preview of a clip beside the list.
struct PreviewColours {
  std::uint32_t background = 0;
  std::uint32_t text = 0;
  std::uint32_t caption = 0;
};

struct ThemePalette {
  EThemeLook look = EThemeLook::kLight;
  RowColours rows;
  std::uint32_t treeBackground = 0;  // below the last row
  std::uint32_t emptyText = 0;       // what an empty tree says
  HeaderColours header;
  PreviewColours preview;
};

ThemePalette PaletteFor(EThemeLook look, const SystemColours& system);

// The clip editor's colours where the program draws them: in the dark look only, since the
// light and high-contrast looks are the system's own dialog colours.
struct EditorColours {
  std::uint32_t background = 0;  // the dialog around the edit
  std::uint32_t editBackground = 0;
  std::uint32_t text = 0;
  std::uint32_t hint = 0;  // the line that names the keys
};
std::optional<EditorColours> EditorColoursFor(const ThemePalette& palette);

// The look the window takes: the system's high contrast always, since whoever turned it on
// needs it; otherwise the "Theme" setting, whose "follow Windows" (and any value it does not
// know) takes the system's app theme.
EThemeLook ChooseThemeLook(int themeSetting, bool systemDark, bool highContrast);
