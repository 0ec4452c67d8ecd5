#include "app/autosave/store_fingerprint.h"

namespace {

// A value at a time, not a byte at a time: the walk runs over every clip, 100,000 of them
// in a long-used history, after each change. The multiply spreads every bit of a value
// over the upper half, the shift folds it back down, so that values that differ in any
// bit, in any order, give different results but for chance.
class CHash {
 public:
  void Add(std::uint64_t value) {
    hash_ = (hash_ ^ value) * 0x9E3779B97F4A7C15ull;
    hash_ ^= hash_ >> 29;
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
