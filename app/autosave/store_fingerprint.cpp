#include "app/autosave/store_fingerprint.h"

namespace {

class CHash {
 public:
  void Add(std::uint64_t value) {
    for (int i = 0; i < 8; ++i) {
      hash_ = (hash_ ^ (value & 0xFF)) * 1099511628211ull;  // FNV-1a
      value >>= 8;
    }
  }
  std::uint64_t Value() const { return hash_; }

 private:
  std::uint64_t hash_ = 14695981039346656037ull;
};

}  // namespace

std::uint64_t StoreFingerprint(const CDataBase& store) {
  CHash hash;
  hash.Add(static_cast<std::uint32_t>(store.NextItemId()));
  hash.Add(static_cast<std::uint32_t>(store.LastCategoryId()));
  hash.Add(store.Items().size());
  for (const auto& clip : store.Items()) {
    hash.Add(static_cast<std::uint32_t>(clip->id));
    hash.Add(static_cast<std::uint32_t>(clip->categoryId));
    hash.Add(clip->hotKey | (clip->orphaned ? 0x10000u : 0u));
    hash.Add(clip->edition);
  }
  hash.Add(store.Categories().size());
  for (const auto& category : store.Categories()) {
    hash.Add(static_cast<std::uint32_t>(category->id));
    hash.Add(static_cast<std::uint32_t>(category->parentId));
    hash.Add(static_cast<std::uint32_t>(category->iconIndex));
    hash.Add(static_cast<std::uint32_t>(category->reserved));
    hash.Add(category->name.size());
    for (char16_t unit : category->name) hash.Add(unit);
  }
  return hash.Value();
}
