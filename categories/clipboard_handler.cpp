#include "categories/clipboard_handler.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "categories/clip_node_fill.h"
#include "categories/quick_numbers.h"
#include "foundation/search_fold.h"

namespace {

// Changes that one rebuild applies one by one; beyond them (a category cleared, a load) the
// full reconcile is as cheap, and the list does not grow without a rebuild.
constexpr std::size_t kMostChangesApplied = 64;
// The queries of a search whose results are kept: a word typed and backspaced over.
constexpr std::size_t kRecentQueries = 12;

std::unique_ptr<CClipboardHandler> handler;

}  // namespace

CClipboardHandler::~CClipboardHandler() {
  root.Clear();
  hotKeys.clear();
}

void CClipboardHandler::AttachTree(TCustomTreeView* view, HWND owner) {
  treeView = view;
  Attach(owner);
  root.isCategory = true;
  fullRebuildNeeded = true;
}

void CClipboardHandler::SetThumbnailHeight(int pixels) {
  if (pixels < 1 || pixels == thumbnailHeight) return;
  thumbnailHeight = pixels;
  fullRebuildNeeded = true;  // whose walk over every clip makes the thumbnails anew
}

void CClipboardHandler::AddClipNodes() {
  CQuickNumbering numbering;
  numberedHistory.clear();
  for (const auto& clip : Items()) {
    CItemNode* category = CategoryNode(clip->categoryId);
    if (category == nullptr) {
      if (!clip->orphaned) NoteClipFieldsChanged();
      clip->orphaned = true;
      continue;
    }
    if (clip->hotKey != 0) hotKeys.try_emplace(clip->hotKey, static_cast<unsigned int>(clip->id));

    // Numbered whether the search shows the clip or not: quick paste counts every clip.
    const int quickNumber = numbering.Next(clip->categoryId);
    if (!search.Empty()) {
      if (!FoundBySearch(*clip)) continue;
      ++searchMatches;
    }

    auto [node, existed] = category->FindOrAddChild(static_cast<unsigned int>(clip->id));
    FillClipNode(*node, *clip, *category, !existed, thumbnailHeight);
    if (!existed) CItemNode::AddRow(treeView, *category, *node);
    node->quickNumber = quickNumber;
    if (clip->categoryId == kHistoryCategoryId && quickNumber != 0) {
      numberedHistory.push_back(node->id);
    }
  }
  otherClipNodes = numbering.OtherClips();
}

CItemNode* CClipboardHandler::CategoryNode(int categoryId) const {
  auto found = categoryNodes.find(static_cast<unsigned int>(categoryId));
  return found == categoryNodes.end() ? nullptr : found->second;
}

void CClipboardHandler::RebuildTree() {
  if (!IsActive()) return;
  const CTreeViewUpdate update(treeView);
  // Under a query, a change shows or hides clips and categories that only the whole list
  // can tell.
  if (fullRebuildNeeded || !search.Empty() || !ApplyChanges()) {
    RebuildTreeFully();
    return;
  }
  changes.clear();
}

void CClipboardHandler::RebuildTreeFully() {
  if (!IsActive()) return;
  const CTreeViewUpdate update(treeView);
  changes.clear();
  fullRebuildNeeded = false;
  categoryNodes.clear();
  hotKeys.clear();
  root.ClearMarks();
  root.marked = true;
  AddBuiltInCategory(kHistoryCategoryId, kHistoryCaption, 0);
  AddBuiltInCategory(kNotesCategoryId, kNotesCaption, 1);
  PopulateCategories(*this, root, 0, treeView, true, &categoryNodes);
  searchMatches = 0;
  candidates = nullptr;
  for (const CFound& found : recentlyFound) {
    if (search.Narrows(found.query) &&
        (candidates == nullptr || found.ids.size() < candidates->size())) {
      candidates = &found.ids;
    }
  }
  AddClipNodes();
  candidates = nullptr;
  if (!search.Empty()) CountSearchMatches();
  root.PruneUnmarked(treeView);
  if (search.Empty()) root.UpdateCounts();
  SortLevels();
}

void CClipboardHandler::SetSearch(const CClipQuery& query) {
  if (query == search) return;
  search = query;
  fullRebuildNeeded = true;
  changes.clear();
  if (search.Empty()) recentlyFound.clear();
}

bool CClipboardHandler::FoundBySearch(const CBaseItem& clip) {
  const std::u16string* text = clip.SearchableText();
  if (text == nullptr) return false;
  if (candidates != nullptr && !candidates->contains(clip.id)) return false;
  auto folded = foldedTexts.find(clip.id);
  if (folded == foldedTexts.end()) {
    folded = foldedTexts.emplace(clip.id, FoldForSearch(*text)).first;
  }
  return search.MatchesFolded(folded->second);
}

void CClipboardHandler::CountSearchMatches() {
  // Categories parents first, then counted children first.
  std::vector<CItemNode*> shown;
  std::vector<CItemNode*> pending{&root};
  while (!pending.empty()) {
    CItemNode* node = pending.back();
    pending.pop_back();
    shown.push_back(node);
    for (auto& [childId, child] : node->children) {
      if (child->isCategory && child->marked) pending.push_back(child.get());
    }
  }
  std::unordered_map<const CItemNode*, unsigned int> found;
  std::unordered_set<int> ids;
  ids.reserve(static_cast<std::size_t>(searchMatches));
  for (auto node = shown.rbegin(); node != shown.rend(); ++node) {
    unsigned int total = 0;
    for (auto& [childId, child] : (*node)->children) {
      if (!child->marked) continue;
      if (child->isCategory) {
        total += found[child.get()];
      } else {
        ++total;
        ids.insert(static_cast<int>(child->id));
      }
    }
    found[*node] = total;
    (*node)->count = total;
    if (total == 0 && *node != &root) {
      (*node)->marked = false;
      categoryNodes.erase((*node)->id);
    }
  }
  auto known = std::find_if(recentlyFound.begin(), recentlyFound.end(),
                            [this](const CFound& entry) { return entry.query == search; });
  if (known != recentlyFound.end()) {
    known->ids = std::move(ids);
    return;
  }
  if (recentlyFound.size() == kRecentQueries) recentlyFound.pop_front();
  recentlyFound.push_back({search, std::move(ids)});
}

void CClipboardHandler::SortLevels() {
  // The mirror puts the siblings in the view's order itself, so that drawing a row needs no
  // walk along its siblings and a later change can put a row straight in its place; the
  // view is asked to sort only the levels that have rows: on a real tree view every request
  // is a window message, and the history alone can hold thousands of rows.
  std::vector<CItemNode*> pending{&root};
  while (!pending.empty()) {
    CItemNode& parent = *pending.back();
    pending.pop_back();
    std::vector<CItemNode*> order;
    order.reserve(parent.children.size());
    for (auto& [childId, child] : parent.children) {
      // A node whose row the view refused takes no place among the rows.
      if (treeView == nullptr || child->treeNode != nullptr) order.push_back(child.get());
      if (child->isCategory) pending.push_back(child.get());
    }
    // Siblings never compare equal, so this is the one order the view's sort gives too.
    std::sort(order.begin(), order.end(), [](const CItemNode* a, const CItemNode* b) {
      return a != b && CItemNode::CompareNodes(a, b) < 0;
    });
    parent.order.assign(order.begin(), order.end());
    // Without a row of its own a category's rows went to the top level, sorted there.
    if (treeView != nullptr && !parent.children.empty() &&
        (&parent == &root || parent.treeNode != nullptr)) {
      treeView->SortChildren(parent.treeNode, &CItemNode::CompareNodes);
    }
  }
}

void CClipboardHandler::ClipInserted(CBaseItem& clip) {
  recentlyFound.clear();
  if (fullRebuildNeeded) return;
  if (changes.size() >= kMostChangesApplied) {
    fullRebuildNeeded = true;
    changes.clear();
    return;
  }
  CClipChange change;
  change.inserted = true;
  change.clip = &clip;
  change.id = clip.id;
  change.categoryId = clip.categoryId;
  if (Items().front().get() == &clip) {
    change.place = CClipChange::EPlace::kHead;
  } else if (Items().back().get() == &clip) {
    change.place = CClipChange::EPlace::kTail;
  }
  changes.push_back(change);
}

void CClipboardHandler::ClipRemoved(const CBaseItem& clip) {
  foldedTexts.erase(clip.id);
  if (fullRebuildNeeded) return;
  if (changes.size() >= kMostChangesApplied) {
    fullRebuildNeeded = true;
    changes.clear();
    return;
  }
  // The clip may be destroyed before the rebuild: its insertion, if still pending, lets go.
  for (CClipChange& earlier : changes) {
    if (earlier.inserted && earlier.clip == &clip && earlier.id == clip.id) earlier.clip = nullptr;
  }
  CClipChange change;
  change.id = clip.id;
  change.categoryId = clip.categoryId;
  changes.push_back(change);
}

void CClipboardHandler::CategoriesChanged() {
  fullRebuildNeeded = true;
  changes.clear();
}

bool CClipboardHandler::ApplyChanges() {
  bool historyChanged = false;
  for (const CClipChange& change : changes) {
    if (change.categoryId == kHistoryCategoryId) historyChanged = true;
    if (change.inserted ? !InsertClipNode(change) : !RemoveClipNode(change)) return false;
  }
  return !historyChanged || NumberHistory();
}

bool CClipboardHandler::InsertClipNode(const CClipChange& change) {
  if (change.clip == nullptr) return true;  // gone again
  CBaseItem& clip = *change.clip;
  const bool history = clip.categoryId == kHistoryCategoryId;
  // Only the history's order is its ids; elsewhere a clip's place among its category's
  // clips follows the list, which is known here only at its two ends.
  if (!history && change.place == CClipChange::EPlace::kElsewhere) return false;
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
      node->treeNode = treeView->InsertRow(category->treeNode, after, node, &CItemNode::CompareNodes);
    }
    if (node->treeNode == nullptr) place = category->order.end();  // refused: no place
  }
  if (treeView == nullptr || node->treeNode != nullptr) category->order.insert(place, node);
  category->count = static_cast<unsigned int>(category->children.size());
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
  category->count = static_cast<unsigned int>(category->children.size());
  if (treeView != nullptr) treeView->InvalidateRow(category->treeNode);
  return true;
}

bool CClipboardHandler::SetItemHotKey(int itemId, std::uint16_t code) {
  CBaseItem* clip = FindItem(itemId);
  if (clip == nullptr) return false;
  clip->hotKey = code;
  NoteClipFieldsChanged();
  // Which clip holds a key depends on every clip's key and place.
  fullRebuildNeeded = true;
  changes.clear();
  return true;
}

bool CClipboardHandler::PutItemByHotKey(std::uint16_t code) {
  auto bound = hotKeys.find(code);
  if (bound == hotKeys.end()) return false;
  return PutItemToClipboard(static_cast<int>(bound->second));
}

CClipboardHandler& CreateHandler(TCustomTreeView* view, HWND ownerWindow) {
  handler.reset();
  handler = std::make_unique<CClipboardHandler>();
  handler->AttachTree(view, ownerWindow);
  return *handler;
}

CClipboardHandler& GetHandler() {
  // Only the main window makes the handler, before anything can ask for it; code that runs
  // without one (a test, a dialog on its own) must be given a handler instead.
  if (!handler) throw std::logic_error("GetHandler() before CreateHandler()");
  return *handler;
}

void ReleaseHandler() { handler.reset(); }
