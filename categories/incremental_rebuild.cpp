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

  auto place = category->OrderPlace(*node);
  if (treeView != nullptr) {
    if (place == category->order.end()) {
      node->treeNode = treeView->AddRow(category->treeNode, node);
    } else {
      TTreeNode* after = place == category->order.begin() ? nullptr : (*std::prev(place))->treeNode;
      node->treeNode =
          treeView->InsertRow(category->treeNode, after, node, &CItemNode::CompareNodes);
    }
    if (node->treeNode == nullptr) place = category->order.end();  // refused: no place
  }
  if (treeView == nullptr || node->treeNode != nullptr) category->order.insert(place, node);
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
  if (place != category->order.end() && *place == &node) category->order.erase(place);
  if (change.categoryId != kHistoryCategoryId) {
    for (CItemNode* other : NumberedWith(change.categoryId)) {
      if (other->quickNumber > node.quickNumber) --other->quickNumber;
    }
    if (change.categoryId != kNotesCategoryId) --otherClipNodes;
  }
  if (treeView != nullptr && node.treeNode != nullptr) treeView->DeleteRow(node.treeNode);
  category->children.erase(found);
  category->clipCount = static_cast<unsigned int>(category->children.size());
  if (treeView != nullptr) treeView->InvalidateRow(category->treeNode);
  return true;
}
