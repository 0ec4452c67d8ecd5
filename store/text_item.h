#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "store/base_item.h"
#include "store/clip_format.h"
#include "store/clip_text.h"

// The most UTF-16 units a text clip holds, as TBitmap::kMaxPixelBytes bounds a picture:
// 512 MiB of text. Far below 2^31, so that the data file's signed lengths and a journal
// frame's 32-bit size hold any text with its formats.
inline constexpr std::size_t kMaxTextUnits = std::size_t{1} << 28;

// A text clip: its text, taken from and put on the clipboard as Unicode text, with the
// formatted forms of the same text that came with it ("HTML Format", "Rich Text Format").
class CTextItem : public CBaseItem {
 public:
  CTextItem() : CBaseItem(kTextKind) {}

  // Takes the clipboard's text (offered as CF_TEXT, read as CF_UNICODETEXT) up to its
  // first NUL, and the formatted forms offered with it as long as together they hold no
  // more than `maxFormatBytes` (else none of them). Text announced but never delivered
  // gives false, with the clip unchanged; so does a text longer than `maxTextUnits`, which
  // is refused (Refusal()) without being copied.
  bool ReadFromClipboard(HWND ownerWindow, std::size_t maxFormatBytes,
                         std::size_t maxTextUnits = kMaxTextUnits);
  // The same with the default limits of the "MaxFormatSize" setting and kMaxTextUnits.
  bool ReadFromClipboard(HWND ownerWindow) override;

  // Places `text` as CF_UNICODETEXT (the system makes the ANSI and OEM forms) and each
  // kept format beside it. A format that cannot be placed leaves the text there alone.
  bool WriteToClipboard(HWND ownerWindow) const override;
  // CF_UNICODETEXT (the text up to its first NUL, with one after it), then each kept
  // format whose name the clipboard registers.
  std::vector<CClipBlock> TransferBlocks() const override;

  // The text record, then, when there are formats, a formats record.
  bool Save(CByteWriter& writer) const override;
  void Load(CByteReader& reader) override;
  bool LoadAttached(std::int32_t recordKind, CByteReader& reader) override;
  std::optional<std::u16string> PlainText() const override { return text.Utf16(); }
  std::u16string Caption() const override;
  const CClipText* SearchableText() const override { return &text; }

  // Makes `newText` the clip's text. The formatted forms go: they were made for the text
  // before and would paste it back.
  void ReplaceText(std::u16string_view newText);

  // Reads one record of the headerless legacy format: the notes flag goes to
  // `categoryId` for the caller to translate. Throws CRecordError like Load.
  void LoadLegacy(CByteReader& reader);

  CClipText text;
  std::vector<CClipFormat> formats;  // in the order they are put back
};
