#pragma once

#include <string>

#include "store/base_item.h"

// A text clip: UTF-16 text, taken from and put on the clipboard as Unicode text.
class CTextItem : public CBaseItem {
 public:
  CTextItem() : CBaseItem(kTextKind) {}

  // Takes the clipboard's text (offered as CF_TEXT, read as CF_UNICODETEXT) up to its
  // first NUL. Text announced but never delivered gives false, with the clip unchanged.
  bool ReadFromClipboard(HWND ownerWindow) override;

  // Places `text` as CF_UNICODETEXT only; the system makes the ANSI and OEM forms.
  bool WriteToClipboard(HWND ownerWindow) const override;

  bool Save(CByteWriter& writer) const override;
  void Load(CByteReader& reader) override;

  // Reads one record of the headerless legacy format: the notes flag goes to
  // `categoryId` for the caller to translate. Throws CRecordError like Load.
  void LoadLegacy(CByteReader& reader);

  std::u16string text;
};
