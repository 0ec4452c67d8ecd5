// The tree mirror's rebuild in proportion to what changed: the clip handler notes the clips
// that come and go, and applies them to the mirror and the view at the next rebuild.

#include <algorithm>
#include <iterator>
#include <vector>

#include "categories/clip_node_fill.h"
#include "categories/clipboard_handler.h"
#include "categories/quick_numbers.h"

void CClipboardHandler::ClipInserted(CBaseItem& clip) {
  searchCache.ForgetFound();
  searchCache.AddClip(clip);
  auto place = CClipChange::EPlace::kElsewhere;
  if (Items().front().get() == &clip) {
    place = CClipChange::EPlace::kHead;
  } else if (Items().back().get() == &clip) {
    place = CClipChange::EPlace::kTail;
  }
  changeLog.NoteInserted(clip, place);
}

void CClipboardHandler::ClipRemoved(const CBaseItem& clip) {
  searchCache.ForgetClip(clip.id);
  changeLog.NoteRemoved(clip);
}

void CClipboardHandler::CategoriesChanged() {
  changeLog.RequireFullRebuild();
}

bool CClipboardHandler::ApplyChanges() {
  bool historyChanged = false;
  for (const CClipChange& change : changeLog.Changes()) {
    if (change.categoryId == kHistoryCategoryId) historyChanged = true;
    if (change.inserted ? !InsertClipNode(change) : !RemoveClipNode(change)) return false;
  }
  return !historyChanged || NumberHistory();
}

namespace {

bool IsUserCategory(int categoryId) {
  return categoryId != kHistoryCategoryId && categoryId != kNotesCategoryId;
}

// The count a category's row shows outside a search.
void CountClips(CItemNode& category) {
  category.clipCount = static_cast<unsigned int>(category.subCategories + category.storedClips);
}

}  // namespace

bool CClipboardHandler::InsertClipNode(const CClipChange& change) {
  if (change.clip == nullptr) {
    // Gone again: counted as it came, for its leaving, applied after, to take off.
    if (CItemNode* category = CategoryNode(change.categoryId)) {
      ++category->storedClips;
      if (IsUserCategory(change.categoryId)) ++otherClips;
    }
    return true;
  }
  CBaseItem& clip = *change.clip;
  const bool history = clip.categoryId == kHistoryCategoryId;
  // A clip's place among its category's clips follows the list, which is known here only
  // at its two ends.
  if (change.place == CClipChange::EPlace::kElsewhere) return false;
  CItemNode* category = CategoryNode(clip.categoryId);
  if (category == nullptr) {
    if (!clip.orphaned) NoteClipFieldsChanged();
    clip.orphaned = true;
    return true;
  }
  if (treeView != nullptr && category->treeNode == nullptr) return false;
  if (clip.hotKey != 0) {
    // The first clip in list order keeps a hot key; one in the middle needs the whole list.
    if (change.place == CClipChange::EPlace::kHead) {
      hotKeys[clip.hotKey] = static_cast<unsigned int>(clip.id);
    } else if (change.place == CClipChange::EPlace::kTail) {
      hotKeys.try_emplace(clip.hotKey, static_cast<unsigned int>(clip.id));
    } else {
      return false;
    }
  }
  const bool notes = clip.categoryId == kNotesCategoryId;
  // Clips that wait for the view to come near follow the last node: one coming at the tail
  // joins them.
  const bool clipsWait = category->storedClips > category->Order().size() - category->subCategories;
  ++category->storedClips;
  if (!history && !notes) ++otherClips;
  CountClips(*category);
  if (treeView != nullptr) treeView->InvalidateRow(category->treeNode);
  if (clipsWait && change.place == CClipChange::EPlace::kTail) return true;

  auto [node, existed] = category->FindOrAddChild(static_cast<unsigned int>(clip.id));
  if (existed) return false;
  FillClipNode(*node, clip, *category, true, thumbnailHeight);
  if (history) node->rank = change.place == CClipChange::EPlace::kHead ? --headRank : ++tailRank;
  if (!history) {
    if (change.place == CClipChange::EPlace::kHead) {
      for (CItemNode* other : NumberedWith(clip.categoryId)) {
        if (other != node) ++other->quickNumber;
      }
      node->quickNumber = notes ? 1 : kFirstOtherQuickNumber;
    } else {
      node->quickNumber =
          notes ? static_cast<int>(category->storedClips) : kFirstOtherQuickNumber - 1 + otherClips;
    }
  }
  // History numbers come once all changes are in (NumberHistory); until then 0.

  // Inserting moves a deque's iterators: the place is counted before.
  const auto index =
      static_cast<std::size_t>(category->OrderPlace(*node) - category->Order().begin());
  category->Order().insert(category->Order().begin() + static_cast<std::ptrdiff_t>(index), node);
  if (treeView != nullptr) {
    // Within the category's page the clip gets its row, and the row it pushes past the
    // page's end goes; past it, the clip waits for the view to come near.
    const std::size_t limit = category->subCategories + category->clipRowLimit;
    if (index < limit) {
      TTreeNode* after = index == 0 ? nullptr : category->Order()[index - 1]->treeNode;
      node->treeNode =
          treeView->InsertRow(category->treeNode, after, node, &CItemNode::CompareNodes);
      MakeDueCaption(*node, clip);
    }
    if (category->Order().size() > limit) {
      CItemNode& pushed = *category->Order()[limit];
      if (pushed.treeNode != nullptr) treeView->DeleteRow(pushed.treeNode);
      pushed.treeNode = nullptr;
    }
  }
  return true;
}

bool CClipboardHandler::RemoveClipNode(const CClipChange& change) {
  CItemNode* category = CategoryNode(change.categoryId);
  if (category == nullptr) return true;  // orphaned: it had no node
  const auto clipId = static_cast<unsigned int>(change.id);
  // The next clip with its hot key would have to be looked for along the whole list.
  if (std::any_of(hotKeys.begin(), hotKeys.end(),
                  [clipId](const auto& bound) { return bound.second == clipId; })) {
    return false;
  }
  auto found = category->children.find(clipId);
  if (found == category->children.end() || found->second->isCategory) {
    // A clip past the category's nodes, which all stand before it and keep their numbers;
    // but the clips of other user categories after it in the list, which share its run of
    // numbers, only the list can tell.
    if (IsUserCategory(change.categoryId)) return false;
    --category->storedClips;
    CountClips(*category);
    if (treeView != nullptr) treeView->InvalidateRow(category->treeNode);
    return true;
  }
  CItemNode& node = *found->second;
  --category->storedClips;
  // Out of the order first: the numbers that close up below would tie with its own.
  auto place = category->OrderPlace(node);
  if (place != category->Order().end() && *place == &node) place = category->Order().erase(place);
  const auto index = static_cast<std::size_t>(place - category->Order().begin());
  if (change.categoryId != kHistoryCategoryId) {
    for (CItemNode* other : NumberedWith(change.categoryId)) {
      if (other->quickNumber > node.quickNumber) --other->quickNumber;
    }
    if (change.categoryId != kNotesCategoryId) --otherClips;
  }
  if (treeView != nullptr && node.treeNode != nullptr) {
    treeView->DeleteRow(node.treeNode);
    node.treeNode = nullptr;
    // The clip that now ends the category's page takes the row its page has room for, with
    // a node made for it when it had none.
    const std::size_t limit = category->subCategories + category->clipRowLimit;
    if (index < limit) MakeClipNodes(*category, category->clipRowLimit);
    if (index < limit && category->Order().size() >= limit) {
      CItemNode& last = *category->Order()[limit - 1];
      if (last.treeNode == nullptr) {
        last.treeNode = treeView->AddRow(category->treeNode, &last);
        RowMade(last);
      }
    }
  }
  category->children.erase(found);
  CountClips(*category);
  if (treeView != nullptr) treeView->InvalidateRow(category->treeNode);
  return true;
}
