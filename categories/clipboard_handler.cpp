#include "categories/clipboard_handler.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <vector>
#include <unordered_map>

#include "foundation/caption.h"
#include "store/image_item.h"
#include "store/text_item.h"

namespace {

constexpr int kThumbnailHeight = 22;
constexpr int kFirstOtherQuickNumber = 21;
constexpr int kTopIndent = 2;
constexpr int kSubCategoryIndent = 16;
constexpr int kSubCategoryClipIndent = 18;

std::unique_ptr<CClipboardHandler> handler;

// Wider than any row of the tree can be (the widest window at 250 %). A picture that would
// need a wider thumbnail (a one-pixel-high strip) is squeezed to it: a thumbnail as wide as
// its proportions say could exceed what a bitmap may be.
constexpr int kMaxThumbnailWidth = 2048;

// A thumbnail 22 pixels high, as wide as the picture's proportions give (truncated), kept
// between one column and kMaxThumbnailWidth. None for a picture without height or width,
// or one that cannot be scaled (memory): that clip's row shows no picture, and the rest of
// the tree is built all the same.
std::unique_ptr<TBitmap> MakeThumbnail(const TBitmap& picture) {
  if (picture.Height() <= 0 || picture.Width() <= 0) return nullptr;
  const double width = picture.Width() * static_cast<double>(kThumbnailHeight) / picture.Height();
  const int clamped = static_cast<int>(std::clamp(width, 1.0, double{kMaxThumbnailWidth}));
  try {
    return std::make_unique<TBitmap>(picture.ScaledByAreaAverage(clamped, kThumbnailHeight));
  } catch (const std::exception&) {
    return nullptr;
  }
}

}  // namespace

CClipboardHandler::~CClipboardHandler() {
  root.Clear();
  hotKeys.clear();
}

void CClipboardHandler::AttachTree(TCustomTreeView* view, HWND owner) {
  treeView = view;
  Attach(owner);
  root.isCategory = true;
}

void CClipboardHandler::AddBuiltInCategory(int categoryId, const char16_t* caption, int skinRow) {
  auto [node, existed] = root.FindOrAddChild(static_cast<unsigned int>(categoryId));
  node->caption = caption;
  node->isCategory = true;
  node->marked = true;
  node->id = node->categoryId = static_cast<unsigned int>(categoryId);
  node->skinRow = skinRow;
  node->iconIndex = skinRow;
  node->indent = kTopIndent;
  if (!existed) CItemNode::AddRow(treeView, root, *node);
}

namespace {
// `path` holds the ids from the top down to `parentId`: a damaged file can repeat an id
// further down a chain of parents, which would otherwise recurse without end.
void PopulateBelow(CDataBase& store, CItemNode& parent, int parentId, TCustomTreeView* view,
                   bool withIndent, std::vector<int>& path) {
  for (CCategory* category : store.ChildCategories(parentId)) {
    if (std::find(path.begin(), path.end(), category->id) != path.end()) continue;
    auto [node, existed] = parent.FindOrAddChild(static_cast<unsigned int>(category->id));
    node->caption = category->name;
    node->isCategory = true;
    node->marked = true;
    node->id = node->categoryId = static_cast<unsigned int>(category->id);
    node->skinRow = 1;
    node->iconIndex = category->iconIndex;
    if (!existed) CItemNode::AddRow(view, parent, *node);
    if (withIndent) {
      const bool nested =
          view != nullptr && node->treeNode != nullptr && view->HasParentRow(node->treeNode);
      node->indent = nested ? kSubCategoryIndent : kTopIndent;
    }
    path.push_back(category->id);
    PopulateBelow(store, *node, category->id, view, withIndent, path);
    path.pop_back();
  }
}
}  // namespace

void PopulateCategories(CDataBase& store, CItemNode& parent, int parentId, TCustomTreeView* view,
                        bool withIndent) {
  std::vector<int> path{parentId};
  PopulateBelow(store, parent, parentId, view, withIndent, path);
}

void CClipboardHandler::AddClipNodes() {
  int historyNumber = 0;
  int notesNumber = 0;
  int otherNumber = kFirstOtherQuickNumber - 1;
  // The category tree does not change while clips are added, so each category is looked
  // up once per rebuild, and its clips' indent worked out once (asking a real view for a
  // row's parent is a window message), rather than once per clip.
  struct CategoryPlace {
    CItemNode* node;
    int clipIndent;
  };
  std::unordered_map<int, CategoryPlace> places;
  for (const auto& clip : Items()) {
    auto place = places.find(clip->categoryId);
    if (place == places.end()) {
      CItemNode* found = root.FindMarkedNode(static_cast<unsigned int>(clip->categoryId));
      const bool nested = found != nullptr && treeView != nullptr && found->treeNode != nullptr &&
                          treeView->HasParentRow(found->treeNode);
      place = places.emplace(clip->categoryId,
                             CategoryPlace{found, nested ? kSubCategoryClipIndent : kTopIndent})
                  .first;
    }
    CItemNode* category = place->second.node;
    if (category == nullptr) {
      clip->orphaned = true;
      continue;
    }
    if (clip->hotKey != 0) hotKeys.try_emplace(clip->hotKey, static_cast<unsigned int>(clip->id));

    auto [node, existed] = category->FindOrAddChild(static_cast<unsigned int>(clip->id));
    // A clip's content never changes, so its caption and thumbnail are made once, when its
    // node is.
    if (!existed) {
      if (const auto* text = dynamic_cast<const CTextItem*>(clip.get())) {
        node->caption = MakeCaption(text->text);
      } else if (const auto* image = dynamic_cast<const CImageItem*>(clip.get())) {
        if (image->picture) node->thumbnail = MakeThumbnail(*image->picture);
      }
    }
    node->id = static_cast<unsigned int>(clip->id);
    node->created = clip->created;
    node->count = static_cast<unsigned int>(clip->textLength);
    node->isCategory = false;
    node->categoryId = static_cast<unsigned int>(clip->categoryId);
    node->marked = true;
    node->inHistory = clip->categoryId == kHistoryCategoryId;
    node->hotKey = clip->hotKey;
    node->indent = place->second.clipIndent;
    if (!existed) CItemNode::AddRow(treeView, *category, *node);
    if (clip->categoryId == kHistoryCategoryId) {
      node->quickNumber = ++historyNumber;
    } else if (clip->categoryId == kNotesCategoryId) {
      node->quickNumber = ++notesNumber;
    } else {
      node->quickNumber = ++otherNumber;
    }
  }
}

void CClipboardHandler::RebuildTree() {
  if (!IsActive()) return;
  hotKeys.clear();
  root.ClearMarks();
  root.marked = true;
  AddBuiltInCategory(kHistoryCategoryId, kHistoryCaption, 0);
  AddBuiltInCategory(kNotesCategoryId, kNotesCaption, 1);
  PopulateCategories(*this, root, 0, treeView, true);
  AddClipNodes();
  root.PruneUnmarked(treeView);
  root.UpdateCounts();
  SortLevels(root, true);
}

void CClipboardHandler::SortLevels(CItemNode& parent, bool isRoot) {
  // The mirror puts the siblings in the view's order itself, so that drawing a row needs no
  // walk along its siblings, and the view is asked to sort only the levels that have rows
  // below them: on a real tree view every request is a window message, and the history
  // alone can hold thousands of rows.
  std::vector<CItemNode*> order;
  order.reserve(parent.children.size());
  for (auto& [childId, child] : parent.children) order.push_back(child.get());
  // Siblings never compare equal, so this is the one order the view's sort gives too.
  std::sort(order.begin(), order.end(), [](const CItemNode* a, const CItemNode* b) {
    return a != b && CItemNode::CompareNodes(a, b) < 0;
  });
  int rowsBefore = 0;
  for (CItemNode* child : order) {
    child->siblingIndex = rowsBefore;
    // A node whose row the view refused takes no place among the rows.
    if (treeView == nullptr || child->treeNode != nullptr) ++rowsBefore;
  }
  // Without a row of its own a category's rows went to the top level, sorted there.
  if (treeView != nullptr && !order.empty() && (isRoot || parent.treeNode != nullptr)) {
    treeView->SortChildren(parent.treeNode, &CItemNode::CompareNodes);
  }
  for (CItemNode* child : order) {
    if (child->isCategory && !child->children.empty()) SortLevels(*child, false);
  }
}

bool CClipboardHandler::SetItemHotKey(int itemId, std::uint16_t code) {
  CBaseItem* clip = FindItem(itemId);
  if (clip == nullptr) return false;
  clip->hotKey = code;
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
  if (!handler) return CreateHandler(nullptr, nullptr);
  return *handler;
}

void ReleaseHandler() { handler.reset(); }
