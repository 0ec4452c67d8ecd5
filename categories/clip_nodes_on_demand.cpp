// Nodes on demand: outside a search a category's clips have nodes only as far as its pages of
// rows reach; the view coming near the last of them makes the next ones from the store's list,
// which holds every category's clips in the view's order.

#include <algorithm>
#include <cstdint>

#include "categories/clipboard_handler.h"
#include "categories/quick_numbers.h"

namespace {

bool IsUserCategory(int categoryId) {
  return categoryId != kHistoryCategoryId && categoryId != kNotesCategoryId;
}

}  // namespace

std::size_t CClipboardHandler::NodePage(const CItemNode& category) const {
  return category.clipRowLimit != 0 ? category.clipRowLimit : rowPage;
}

std::size_t CClipboardHandler::ShownClips(const CItemNode& category) const {
  if (search.Empty()) return category.storedClips;
  return category.Order().size() - category.subCategories + WaitingFoundClips(category);
}

void CClipboardHandler::MakeClipNodes(CItemNode& category, std::size_t clips, int throughClipId) {
  std::size_t nodes = category.Order().size() - category.subCategories;
  const bool through = throughClipId != 0;
  if (nodes >= category.storedClips || (!through && nodes >= clips)) return;
  const auto categoryId = static_cast<int>(category.id);
  const bool userCategory = IsUserCategory(categoryId);
  // The walk goes on from the last clip with a node, with its number and its place.
  auto clip = Items().begin();
  int otherNumber = kFirstOtherQuickNumber - 1;
  std::int64_t rank = 0;
  if (nodes != 0) {
    const CItemNode& last = *category.Order().back();
    clip = std::find_if(Items().begin(), Items().end(), [&last](const auto& item) {
      return item->id == static_cast<int>(last.id);
    });
    // Its clip left and the change is not applied yet: the next full reconcile makes them.
    if (clip == Items().end()) return;
    ++clip;
    otherNumber = last.quickNumber;
    rank = last.rank;
  }
  for (; clip != Items().end(); ++clip) {
    CBaseItem& item = **clip;
    ++rank;
    // The clips of every user category share one run of numbers.
    if (userCategory && IsUserCategory(item.categoryId) && CategoryNode(item.categoryId)) {
      ++otherNumber;
    }
    if (item.categoryId != categoryId) continue;
    int quickNumber = otherNumber;
    if (categoryId == kHistoryCategoryId) {
      quickNumber = nodes < kLastQuickNumber ? static_cast<int>(nodes) + 1 : 0;
    } else if (categoryId == kNotesCategoryId) {
      quickNumber = static_cast<int>(nodes) + 1;
    }
    category.Order().push_back(AddClipNode(category, item, quickNumber, rank));
    tailRank = std::max(tailRank, rank);
    ++nodes;
    if (nodes >= category.storedClips || (through ? item.id == throughClipId : nodes >= clips)) {
      return;
    }
  }
}

CItemNode* CClipboardHandler::MakeClipNodeOf(int clipId) {
  const CBaseItem* clip = FindItem(clipId);
  CItemNode* category = clip != nullptr ? CategoryNode(clip->categoryId) : nullptr;
  if (category == nullptr) return nullptr;
  MakeClipNodes(*category, 0, clipId);
  return ClipNode(clipId);
}
