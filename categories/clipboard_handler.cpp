#include "categories/clipboard_handler.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <unordered_set>
#include <utility>
#include <vector>

#include "categories/clip_node_fill.h"
#include "categories/quick_numbers.h"

namespace {

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
  changeLog.RequireFullRebuild();
  walkedRevision.reset();  // another view: every row to be made anew
}

void CClipboardHandler::SetThumbnailHeight(int pixels) {
  if (pixels < 1 || pixels == thumbnailHeight) return;
  thumbnailHeight = pixels;
  changeLog.RequireFullRebuild();  // whose walk over every clip makes the thumbnails anew
}

void CClipboardHandler::AddClipNodes(CWalkSlice slice) {
  numberedHistory.clear();
  walkedClips.clear();
  if (!search.Empty()) walkedClips.reserve(Items().size());
  walkedIndex = {};
  walkedRevision.reset();
  walkedAll = false;
  headRank = 0;
  tailRank = static_cast<std::int64_t>(Items().size());
  for (auto& [categoryId, category] : categoryNodes) category->storedClips = 0;
  searchWalk = CSearchWalk{};
  searchWalk.done = false;
  searchWalk.listDone = false;
  searchWalk.next = Items().begin();
  if (search.Empty()) {
    WalkClips(slice);
  } else {
    WalkOn(slice);
  }
}

void CClipboardHandler::WalkClips(CWalkSlice slice) {
  CSearchWalk& walk = searchWalk;
  for (; walk.next != Items().end(); ++walk.next) {
    if (!slice.Take()) {
      walkedRevision = Revision();  // the next slice goes on from here while it is so
      return;
    }
    const auto& clip = *walk.next;
    ++walk.rank;
    CItemNode* category = CategoryNode(clip->categoryId);
    if (category == nullptr) {
      if (!clip->orphaned) NoteClipFieldsChanged();
      clip->orphaned = true;
      continue;
    }
    if (clip->hotKey != 0) {
      walk.hotKeys.try_emplace(clip->hotKey, static_cast<unsigned int>(clip->id));
    }

    // Numbered whether the search shows the clip or not: quick paste counts every clip.
    const int quickNumber = walk.numbering.Next(clip->categoryId);
    if (!search.Empty()) {
      walkedClips.push_back({clip->id, clip.get(), quickNumber, walk.rank});
      if (searchCache.Finds(search, *clip)) ShowFoundClip(*category, walkedClips.size() - 1);
      continue;
    }
    // Past its pages a clip waits for the view to come near (MakeClipNodes).
    if (++category->storedClips <= NodePage(*category)) {
      AddClipNode(*category, *clip, quickNumber, walk.rank);
    }
  }
  walk.done = true;
  walk.listDone = true;
  hotKeys = std::move(walk.hotKeys);
  otherClips = walk.numbering.OtherClips();
  if (!search.Empty()) {
    walkedRevision = Revision();
    walkedAll = true;
  }
}

CItemNode* CClipboardHandler::AddClipNode(CItemNode& category, CBaseItem& clip, int quickNumber,
                                          std::int64_t rank) {
  auto [node, existed] = category.FindOrAddChild(static_cast<unsigned int>(clip.id));
  const bool edited = existed && node->edition != clip.edition;
  FillClipNode(*node, clip, category, !existed, thumbnailHeight);
  // Its row, if its page has one, comes once the level is in order (SortLevels).
  if (edited && treeView != nullptr) treeView->InvalidateRow(node->treeNode);
  node->quickNumber = quickNumber;
  node->rank = rank;
  if (clip.categoryId == kHistoryCategoryId && quickNumber != 0) {
    numberedHistory.push_back(node->id);
  }
  return node;
}

void CClipboardHandler::DropStaleFoldedTexts() {
  // Every clip in the store came in through ClipInserted; more texts than clips are those
  // of a content replaced at once (a load), which tells of no clip leaving.
  if (searchCache.FoldedTexts() <= Items().size()) return;
  std::unordered_set<int> alive;
  alive.reserve(Items().size());
  for (const auto& clip : Items()) alive.insert(clip->id);
  searchCache.KeepOnly([&alive](int clipId) { return alive.contains(clipId); });
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
  if (changeLog.FullRebuildNeeded() || !search.Empty() || !ApplyChanges()) {
    RebuildTreeFully();
    return;
  }
  changeLog.Clear();
  MakeDueCaptions();
}

void CClipboardHandler::RebuildTreeFully() {
  if (!IsActive()) return;
  const CTreeViewUpdate update(treeView);
  changeLog.FullRebuildStarted();
  categoryNodes.clear();
  root.ClearMarks();
  AddCategoryNodes();
  searchMatches = 0;
  foundInCategories.clear();
  DropStaleFoldedTexts();
  // A new query shows the first slice of what it finds; any other change all of it.
  const bool sliced = std::exchange(sliceNextWalk, false) && !search.Empty();
  const CWalkSlice slice = sliced ? CWalkSlice(sliceTime, sliceClips) : CWalkSlice();
  searchCache.BeginWalk(search);
  if (!GoOnNarrowed(slice) && !AddFoundClipNodes(slice)) AddClipNodes(slice);
  searchCache.EndWalk();
  ShowConfirmedNodes();
}

void CClipboardHandler::AddCategoryNodes() {
  root.marked = true;
  AddBuiltInCategory(kHistoryCategoryId, kHistoryCaption, 0);
  AddBuiltInCategory(kNotesCategoryId, kNotesCaption, 1);
  PopulateCategories(*this, root, 0, treeView, true, &categoryNodes);
}

void CClipboardHandler::ShowConfirmedNodes() {
  root.PruneUnmarked(treeView);
  if (search.Empty()) {
    root.UpdateCounts();
  } else {
    // Over the nodes the search kept; then the categories it found nothing in go too.
    CountSearchMatches();
    root.PruneUnmarked(treeView);
  }
  SortLevels();
  MakeDueCaptions();
}

void CClipboardHandler::SetSearch(const CClipQuery& query) {
  if (query == search) return;
  // Typed on before the walk ended: what it found so far is all a narrower query can find
  // of the clips walked.
  if (!search.Empty() && !query.Empty() && !searchWalk.done && query.Narrows(search) &&
      walkedRevision == Revision()) {
    CSearchWalk& walk = searchWalk;
    std::vector<std::size_t> again = std::move(walk.found);
    if (walk.againAll) {
      for (std::size_t walked = walk.nextAgain; walked < walkedClips.size(); ++walked) {
        again.push_back(walked);
      }
    } else {
      again.insert(again.end(), walk.again.begin() + static_cast<std::ptrdiff_t>(walk.nextAgain),
                   walk.again.end());
    }
    walk.again = std::move(again);
    walk.againAll = false;
    walk.nextAgain = 0;
    walk.found.clear();
    walk.narrowed = true;
  } else {
    searchWalk.narrowed = false;
  }
  search = query;
  changeLog.RequireFullRebuild();
  sliceNextWalk = !search.Empty();
  if (search.Empty()) {
    searchCache.EndSearch();
    walkedClips = {};
    walkedIndex = {};
    walkedRevision.reset();
    walkedAll = false;
    searchWalk = CSearchWalk{};
    foundInCategories = {};
  }
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
    std::size_t subCategories = 0;
    for (auto& [childId, child] : parent.children) {
      order.push_back(child.get());
      if (child->isCategory) {
        ++subCategories;
        pending.push_back(child.get());
      }
    }
    // Siblings never compare equal, so this is the one order the view's sort gives too.
    const auto before = [](const CItemNode* a, const CItemNode* b) {
      return a != b && CItemNode::CompareNodes(a, b) < 0;
    };
    // The history's clips come by ascending id and go newest first: a look along the level
    // spares the sort of a level that is in order, or in reverse order, already.
    if (std::is_sorted(order.rbegin(), order.rend(), before)) {
      std::reverse(order.begin(), order.end());
    } else if (!std::is_sorted(order.begin(), order.end(), before)) {
      std::sort(order.begin(), order.end(), before);
    }
    parent.Order().assign(order.begin(), order.end());
    parent.subCategories = subCategories;
    if (parent.isCategory) LayRows(parent, 0);
    // Without a row of its own a category's rows went to the top level, sorted there.
    if (treeView != nullptr && !parent.children.empty() &&
        (&parent == &root || parent.treeNode != nullptr)) {
      treeView->SortChildren(parent.treeNode, &CItemNode::CompareNodes);
    }
  }
}

bool CClipboardHandler::SetItemHotKey(int itemId, std::uint16_t code) {
  CBaseItem* clip = FindItem(itemId);
  if (clip == nullptr) return false;
  clip->hotKey = code;
  NoteClipFieldsChanged();
  // Which clip holds a key depends on every clip's key and place.
  changeLog.RequireFullRebuild();
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

void ReleaseHandler() {
  handler.reset();
}
