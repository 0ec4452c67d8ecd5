#include "app/tree/row_text.h"

#include <string_view>

#include "app/tree/row_look.h"
#include "store/base_item.h"

namespace {

// Virtual-key codes named here; the platform header is not needed for a table of words.
constexpr unsigned kVkLeftButton = 0x01, kVkRightButton = 0x02, kVkMiddleButton = 0x04;
constexpr unsigned kVkFirstExtraButton = 0x05, kVkSecondExtraButton = 0x06;
constexpr unsigned kVkFirstFunction = 0x70, kVkLastFunction = 0x87;  // F1 .. F24
constexpr unsigned kVkFirstNumPad = 0x60, kVkLastNumPad = 0x69;      // Num 0 .. Num 9

struct KeyName {
  unsigned code;
  std::u16string_view name;
};

constexpr KeyName kKeyNames[] = {
    {kVkLeftButton, u"Left click"},
    {kVkRightButton, u"Right click"},
    {kVkMiddleButton, u"Middle click"},
    {kVkFirstExtraButton, u"Back button"},
    {kVkSecondExtraButton, u"Forward button"},
    {0x08, u"Backspace"},
    {0x09, u"Tab"},
    {0x0D, u"Enter"},
    {0x13, u"Pause"},
    {0x14, u"Caps Lock"},
    {0x1B, u"Esc"},
    {0x20, u"Space"},
    {0x21, u"Page Up"},
    {0x22, u"Page Down"},
    {0x23, u"End"},
    {0x24, u"Home"},
    {0x25, u"Left"},
    {0x26, u"Up"},
    {0x27, u"Right"},
    {0x28, u"Down"},
    {0x2C, u"Print Screen"},
    {0x2D, u"Insert"},
    {0x2E, u"Delete"},
    {0x5B, u"Windows"},
    {0x5D, u"Menu"},
    {0x6A, u"Num *"},
    {0x6B, u"Num +"},
    {0x6D, u"Num -"},
    {0x6E, u"Num ."},
    {0x6F, u"Num /"},
    {0x90, u"Num Lock"},
    {0x91, u"Scroll Lock"},
    {0xBA, u";"},
    {0xBB, u"="},
    {0xBC, u","},
    {0xBD, u"-"},
    {0xBE, u"."},
    {0xBF, u"/"},
    {0xC0, u"`"},
    {0xDB, u"["},
    {0xDC, u"\\"},
    {0xDD, u"]"},
    {0xDE, u"'"},
};

std::u16string KeyText(unsigned code) {
  if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) {
    return std::u16string(1, static_cast<char16_t>(code));
  }
  if (code >= kVkFirstFunction && code <= kVkLastFunction) {
    return u"F" + DecimalText(code - kVkFirstFunction + 1);
  }
  if (code >= kVkFirstNumPad && code <= kVkLastNumPad) {
    return u"Num " + DecimalText(code - kVkFirstNumPad);
  }
  for (const KeyName& key : kKeyNames) {
    if (key.code == code) return std::u16string(key.name);
  }
  return u"key " + DecimalText(code);
}

// The caption on one line: each run of spaces, line breaks, tabs and other control characters
// becomes one space, so that a reader does not stop or spell them.
std::u16string OneLine(const std::u16string& caption) {
  std::u16string line;
  line.reserve(caption.size());
  bool pendingSpace = false;
  for (const char16_t unit : caption) {
    if (unit <= u' ') {
      pendingSpace = !line.empty();
      continue;
    }
    if (pendingSpace) line += u' ';
    pendingSpace = false;
    line += unit;
  }
  return line;
}

std::u16string CategoryText(const CItemNode& category) {
  std::u16string text = OneLine(category.caption);
  if (category.clipCount == 0) return text + u", no clips";
  if (category.clipCount == 1) return text + u", 1 clip";
  return text + u", " + DecimalText(category.clipCount) + u" clips";
}

// A file list's caption is "3 files: a.txt, b.txt, …" for several files and the bare name
// for one; a file's name holds no ':', so the count is told apart from a name.
bool NamesSeveralFiles(const std::u16string& caption) {
  const std::size_t digits = caption.find_first_not_of(u"0123456789");
  return digits != 0 && digits != std::u16string::npos &&
         caption.compare(digits, 8, u" files: ") == 0;
}

std::u16string ClipContentText(const CItemNode& clip) {
  const std::u16string caption = OneLine(clip.caption);
  switch (clip.clipKind) {
    case kPictureKind:
      if (clip.pictureWidth <= 0 || clip.pictureHeight <= 0) return u"Picture";
      return u"Picture " + DecimalText(static_cast<unsigned>(clip.pictureWidth)) + u" by " +
             DecimalText(static_cast<unsigned>(clip.pictureHeight));
    case kFileListKind:
      if (caption.empty()) return u"Files";
      return NamesSeveralFiles(caption) ? caption : u"File " + caption;
    default:
      return caption.empty() ? u"Empty text" : caption;
  }
}

}  // namespace

std::u16string KeyCombinationText(KeyCombination keys) {
  std::u16string text;
  if (keys & kKeyCtrl) text += u"Ctrl+";
  if (keys & kKeyShift) text += u"Shift+";
  if (keys & kKeyAlt) text += u"Alt+";
  const unsigned code = keys & 0xFFu;
  if (code != 0) return text + KeyText(code);
  if (!text.empty()) text.pop_back();  // modifiers alone
  return text;
}

std::u16string RowText(const CItemNode& node, int quickPasteMode) {
  if (node.isCategory) return CategoryText(node);
  std::u16string text = ClipContentText(node);
  RowState state;
  state.quickPasteMode = quickPasteMode;
  // The badge drawn on the row says which keys paste it; the text says the same.
  if (const auto badge = ClipRowLookFor(node, state).badge) {
    text += u", quick paste " + badge->modifier + u"+" + badge->digit;
  }
  if (node.hotKey != 0) text += u", hot key " + KeyCombinationText(node.hotKey);
  return text;
}
