#include "tests/e2e/stored_clips.h"

#include <optional>

#include "store/encrypted/encrypted_header.h"
#include "store/encrypted/unlock.h"
#include "store/text_item.h"

std::unique_ptr<CDataBase> LoadDataFile(const std::filesystem::path& path) {
  auto store = std::make_unique<CDataBase>();
  // A file encrypted for this Windows account opens as the program opens it.
  std::optional<CStoreKey> key;
  if (const auto header = ReadEncryptedHeader(path);
      header && header->mode == EEncryption::kAccount) {
    Unlock(*header, u"", &key);
  }
  if (!store->LoadFromFile(path, key ? &*key : nullptr)) return nullptr;
  return store;
}

void WriteTextClips(const std::filesystem::path& path,
                    const std::vector<std::pair<std::u16string, int>>& clips,
                    const CStoreKey* key) {
  CDataBase store;
  for (const auto& [text, categoryId] : clips) {
    auto clip = std::make_unique<CTextItem>();
    clip->text = text;
    clip->textLength = static_cast<int>(text.size());
    clip->categoryId = categoryId;
    store.AppendClip(std::move(clip));
  }
  store.SaveToFile(path, key);
}
