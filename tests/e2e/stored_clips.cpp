#include "tests/e2e/stored_clips.h"

#include "store/text_item.h"

std::unique_ptr<CDataBase> LoadDataFile(const std::filesystem::path& path) {
  auto store = std::make_unique<CDataBase>();
  if (!store->LoadFromFile(path)) return nullptr;
  return store;
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
