#include "tests/e2e/stored_clips.h"

#include "store/text_item.h"

std::unique_ptr<CDataBase> LoadDataFile(const std::filesystem::path& path) {
  auto store = std::make_unique<CDataBase>();
  if (!store->LoadFromFile(path)) return nullptr;
  return store;
}

std::vector<std::u16string> ClipTexts(const CDataBase& store, int categoryId) {
  std::vector<std::u16string> texts;
  for (const auto& clip : store.Items()) {
    if (clip->categoryId != categoryId) continue;
    const auto* text = dynamic_cast<const CTextItem*>(clip.get());
    texts.push_back(text != nullptr ? text->text : u"<picture>");
  }
  return texts;
}

void WriteTextClips(const std::filesystem::path& path,
                    const std::vector<std::pair<std::u16string, int>>& clips) {
  CDataBase store;
  for (const auto& [text, categoryId] : clips) {
    auto clip = std::make_unique<CTextItem>();
    clip->text = text;
    clip->textLength = static_cast<int>(text.size());
    clip->categoryId = categoryId;
    store.AppendClip(std::move(clip));
  }
  store.SaveToFile(path);
}
