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

bool CClipboardHandler::InsertClipNode(const CClipChange& change) {
  if (change.clip == nullptr) return true;  // gone again
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
  auto [node, existed] = category->FindOrAddChild(static_cast<unsigned int>(clip.id));
  if (existed) return false;
  FillClipNode(*node, clip, *category, true, thumbnailHeight);
  if (history) node->rank = change.place == CClipChange::EPlace::kHead ? --headRank : ++tailRank;
  if (!history) {
    const bool notes = clip.categoryId == kNotesCategoryId;
    if (!notes) ++otherClipNodes;
    if (change.place == CClipChange::EPlace::kHead) {
      for (CItemNode* other : NumberedWith(clip.categoryId)) {
        if (other != node) ++other->quickNumber;
      }
      node->quickNumber = notes ? 1 : kFirstOtherQuickNumber;
    } else {
      // Notes hold only clips.
      node->quickNumber = notes ? static_cast<int>(category->children.size())
                                : kFirstOtherQuickNumber - 1 + otherClipNodes;
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
  category->clipCount = static_cast<unsigned int>(category->children.size());
  if (treeView != nullptr) treeView->InvalidateRow(category->treeNode);
  return true;
}

bool CClipboardHandler::RemoveClipNode(const CClipChange& change) {
  CItemNode* category = CategoryNode(change.categoryId);
  if (category == nullptr) return true;  // orphaned: it had no node
  auto found = category->children.find(static_cast<unsigned int>(change.id));
  if (found == category->children.end() || found->second->isCategory) return true;
  CItemNode& node = *found->second;
  if (node.hotKey != 0) {
    auto bound = hotKeys.find(node.hotKey);
    // The next clip with that key would have to be looked for along the whole list.
    if (bound != hotKeys.end() && bound->second == node.id) return false;
  }
  // Out of the order first: the numbers that close up below would tie with its own.
  auto place = category->OrderPlace(node);
  if (place != category->Order().end() && *place == &node) place = category->Order().erase(place);
  const auto index = static_cast<std::size_t>(place - category->Order().begin());
  if (change.categoryId != kHistoryCategoryId) {
    for (CItemNode* other : NumberedWith(change.categoryId)) {
      if (other->quickNumber > node.quickNumber) --other->quickNumber;
    }
    if (change.categoryId != kNotesCategoryId) --otherClipNodes;
  }
  if (treeView != nullptr && node.treeNode != nullptr) {
    treeView->DeleteRow(node.treeNode);
    // The clip that now ends the category's page takes the row its page has room for.
    const std::size_t limit = category->subCategories + category->clipRowLimit;
    if (index < limit && category->Order().size() >= limit) {
      CItemNode& last = *category->Order()[limit - 1];
      if (last.treeNode == nullptr) {
        last.treeNode = treeView->AddRow(category->treeNode, &last);
        RowMade(last);
      }
    }
  }
  category->children.erase(found);
  category->clipCount = static_cast<unsigned int>(category->children.size());
  if (treeView != nullptr) treeView->InvalidateRow(category->treeNode);
  return true;
}
