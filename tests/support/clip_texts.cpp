#include "tests/support/clip_texts.h"

#include "store/text_item.h"

std::vector<std::u16string> ClipTexts(const CDataBase& store, int categoryId) {
  std::vector<std::u16string> texts;
  for (const auto& clip : store.Items()) {
    if (clip->categoryId != categoryId) continue;
    const auto* text = dynamic_cast<const CTextItem*>(clip.get());
    texts.push_back(text != nullptr ? text->text.Utf16() : u"<picture>");
  }
  return texts;
}
