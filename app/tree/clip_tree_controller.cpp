#include "app/tree/clip_tree_controller.h"

#include <cstdlib>
#include <utility>
#include <vector>

#include "app/tree/clip_tree_rules.h"
#include "categories/clipboard_handler.h"
#include "foundation/question_box.h"
#include "platform/win32/window.h"
#include "store/base_item.h"

namespace {

constexpr int kDragThreshold = 10;

POINT PointOf(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// The clip's node anywhere in the mirror, or null. Searched anew each time because a
// capture or a move rebuilds the mirror while the user drags or a menu is open. Categories
// may nest deep in a damaged file: walked with a list rather than recursion.
CItemNode* FindClipNode(CItemNode& root, int clipId) {
  std::vector<CItemNode*> pending{&root};
  while (!pending.empty()) {
    CItemNode* category = pending.back();
    pending.pop_back();
    auto found = category->children.find(static_cast<unsigned int>(clipId));
    if (found != category->children.end() && !found->second->isCategory) return found->second.get();
    for (auto& [childId, child] : category->children) {
      if (child->isCategory) pending.push_back(child.get());
    }
  }
  return nullptr;
}

HTREEITEM RowOf(const CItemNode* node) {
  return node != nullptr ? reinterpret_cast<HTREEITEM>(node->treeNode) : nullptr;
}

}  // namespace

CClipTreeController::CClipTreeController(HWND tree, CClipTreeHost& host, const TBitmap& skin,
                                         int dpi)
    : tree_(tree), host_(host), painter_(skin, dpi) {
  TreeView_SetItemHeight(tree_, painter_.RowHeight());
  // A plain subclass rather than SetWindowSubclass's, which looks its chain up in a window
  // property at every message: under Wine each look-up is a request to the server, and the
  // tree gets messages by the thousand when a rebuild sorts it or a paint draws it.
  SetWindowLongPtrW(tree_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  treeProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(tree_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TreeProc)));
}

CClipTreeController::~CClipTreeController() { Unhook(); }

void CClipTreeController::Unhook() {
  if (treeProc_ == nullptr) return;
  if (IsWindow(tree_)) {
    if (GetWindowLongPtrW(tree_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&TreeProc)) {
      SetWindowLongPtrW(tree_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(treeProc_));
    }
    SetWindowLongPtrW(tree_, GWLP_USERDATA, 0);
  }
  treeProc_ = nullptr;
}

LRESULT CALLBACK CClipTreeController::TreeProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  // Held to the end: a close that the menu's loop hears waits until the command has run.
  const CMessageScope scope;
  auto* self = reinterpret_cast<CClipTreeController*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr || self->treeProc_ == nullptr) {
    // Unhooked while another subclass stayed above this one: the class's procedure is the
    // tree's own.
    return CallWindowProcW(reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC)),
                           window, message, wParam, lParam);
  }
  const WNDPROC treeProc = self->treeProc_;
  if (message == WM_NCDESTROY) {
    self->Unhook();
    return CallWindowProcW(treeProc, window, message, wParam, lParam);
  }
  try {
    if (self->HandleTreeMessage(message, wParam, lParam)) return 0;
  } catch (...) {
    ReportUiException();
    return 0;
  }
  return CallWindowProcW(treeProc, window, message, wParam, lParam);
}

bool CClipTreeController::HandleTreeMessage(UINT message, WPARAM, LPARAM lParam) {
  // The tree's own handling of the buttons runs a modal loop of its own to detect drags
  // and clicks; all of that is done here instead.
  switch (message) {
    case WM_LBUTTONDOWN:
      ItemsTreeMouseDown(false, PointOf(lParam));
      return true;
    case WM_RBUTTONDOWN:
      ItemsTreeMouseDown(true, PointOf(lParam));
      return true;
    case WM_RBUTTONUP:  // would become a WM_CONTEXTMENU; the menu opened at the press
    case WM_RBUTTONDBLCLK:
      return true;
    case WM_MOUSEMOVE:
      ItemsTreeMouseMove(PointOf(lParam));
      return false;
    case WM_LBUTTONUP:
      ItemsTreeEndDrag(PointOf(lParam));
      return true;
    case WM_CAPTURECHANGED:
      // Another window took the mouse: the drag ends without a drop.
      if (reinterpret_cast<HWND>(lParam) != tree_) drag_.reset();
      return false;
    case WM_LBUTTONDBLCLK:
      ItemsTreeDblClick();
      return true;
    default:
      return false;
  }
}

LRESULT CClipTreeController::OnNotify(NMHDR* header, bool& handled) {
  handled = false;
  if (header == nullptr || header->hwndFrom != tree_ || header->code != NM_CUSTOMDRAW) return 0;
  handled = true;
  return ItemsTreeCustomDrawItem(*reinterpret_cast<NMTVCUSTOMDRAW*>(header));
}

LRESULT CClipTreeController::ItemsTreeCustomDrawItem(NMTVCUSTOMDRAW& draw) {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  const auto* node = reinterpret_cast<const CItemNode*>(draw.nmcd.lItemlParam);
  if (node == nullptr) return CDRF_SKIPDEFAULT;
  const auto item = reinterpret_cast<HTREEITEM>(draw.nmcd.dwItemSpec);
  RowState state;
  state.selected = (draw.nmcd.uItemState & CDIS_SELECTED) != 0;
  state.hasParent = HasParentRow(item);
  state.precedingSiblings = node->RowsBefore();
  state.quickPasteMode = host_.QuickPasteMode();
  state.menuHighlight = FromColorRef(GetSysColor(COLOR_MENUHILIGHT));
  // The row is as high as the tree's item height. Wine reports a rectangle one pixel
  // shorter, which would squeeze every row by a line.
  RECT row = draw.nmcd.rc;
  row.bottom = row.top + TreeView_GetItemHeight(tree_);
  painter_.Paint(draw.nmcd.hdc, row, *node, state, host_.CategoriesIcons(), host_.MoreIcons());
  return CDRF_SKIPDEFAULT;
}

void CClipTreeController::ItemsTreeMouseDown(bool rightButton, POINT point) {
  drag_.reset();
  SetFocus(tree_);
  TVHITTESTINFO hit{};
  hit.pt = point;
  const HTREEITEM row = TreeView_HitTest(tree_, &hit);
  if (row == nullptr) return;
  TreeView_SelectItem(tree_, row);
  const CItemNode* node = NodeOf(row);
  if (node == nullptr) return;
  if (rightButton) {
    const MenuTarget target{static_cast<int>(node->id), node->isCategory};
    if (node->isCategory) {
      ShowMenu(MakeCategoryMenu(CategoryMenuFor(*node, HasParentRow(row))), point, target);
    } else {
      ShowMenu(MakeClipboardMenu(ClipboardMenuFor(*node)), point, target);
    }
  } else if (!node->isCategory) {
    drag_ = Drag{static_cast<int>(node->id), point, false};
    SetCapture(tree_);
  }
}

void CClipTreeController::ItemsTreeMouseMove(POINT point) {
  if (!drag_) return;
  if (!drag_->started && (std::abs(point.x - drag_->start.x) >= kDragThreshold ||
                          std::abs(point.y - drag_->start.y) >= kDragThreshold)) {
    drag_->started = true;
  }
  if (!drag_->started) return;
  // Only the tree takes a drop; elsewhere the cursor says so.
  RECT client{};
  GetClientRect(tree_, &client);
  SetCursor(LoadCursorW(nullptr, PtInRect(&client, point) ? IDC_ARROW : IDC_NO));
}

void CClipTreeController::ItemsTreeEndDrag(POINT point) {
  // Taken first: releasing the capture reports WM_CAPTURECHANGED, which clears drag_.
  const std::optional<Drag> drag = std::exchange(drag_, std::nullopt);
  if (GetCapture() == tree_) ReleaseCapture();
  if (!drag || !drag->started) return;

  CClipboardHandler& handler = GetHandler();
  CItemNode* dragged = FindClipNode(handler.Root(), drag->clipId);
  RECT client{};
  GetClientRect(tree_, &client);
  if (dragged == nullptr || !PtInRect(&client, point)) return;  // gone, or not dropped here
  TVHITTESTINFO hit{};
  hit.pt = point;
  const HTREEITEM targetRow = TreeView_HitTest(tree_, &hit);
  bool belowDragged = false;
  for (HTREEITEM row = targetRow; row != nullptr; row = TreeView_GetParent(tree_, row)) {
    if (row == RowOf(dragged)) belowDragged = true;
  }
  const DropDecision drop = DecideDrop(dragged, targetRow != nullptr ? NodeOf(targetRow) : nullptr,
                                       belowDragged, (hit.flags & TVHT_ONITEMINDENT) != 0);
  if (drop.action == EDropAction::kNone) return;
  if (drop.action == EDropAction::kCopyToClipboard) {
    handler.PutItemToClipboard(drag->clipId);
  } else {
    handler.MoveItem(drag->clipId, drop.categoryId);
  }
  handler.RebuildTree();
  if (HTREEITEM again = RowOf(FindClipNode(handler.Root(), drag->clipId))) {
    TreeView_SelectItem(tree_, again);
  }
}

void CClipTreeController::ItemsTreeDblClick() {
  const HTREEITEM selected = TreeView_GetSelection(tree_);
  if (selected == nullptr) return;
  if (TreeView_GetChild(tree_, selected) != nullptr) {
    TreeView_Expand(tree_, selected, TVE_TOGGLE);
  } else {
    host_.MoveSelectedToClipboard();
  }
}

void CClipTreeController::ShowMenu(UniqueMenu menu, POINT point, MenuTarget target) {
  if (!menu) return;
  ClientToScreen(tree_, &point);
  RunCommand(TrackClipTreeMenu(host_.OwnerWindow(), menu.get(), point), target);
}

void CClipTreeController::RunCommand(EClipTreeCommand command, MenuTarget target) {
  // The menu ran a message loop, in which a capture may have rebuilt the tree, trimmed the
  // clip and moved the selection to a neighbour: the command is for the row that was
  // right-clicked, found anew by its id, or for nothing when it is gone. Only its values
  // are kept across the dialogs below.
  if (command == kCmdNone) return;
  CItemNode& root = GetHandler().Root();
  const CItemNode* node = target.isCategory
                              ? root.FindMarkedNode(static_cast<unsigned int>(target.id))
                              : FindClipNode(root, target.id);
  if (node == nullptr) return;
  const int id = static_cast<int>(node->id);
  const int categoryId = static_cast<int>(node->categoryId);
  const bool isCategory = node->isCategory;
  const bool inHistory = node->inHistory;
  const KeyCombination hotKey = node->hotKey;
  const std::u16string caption = node->caption;
  CClipboardHandler& handler = GetHandler();
  switch (command) {
    case kCmdMoveToClipboard:
      if (!isCategory) host_.MoveClipToClipboard(id);
      break;
    case kCmdCopyAsPlainText:
      if (!isCategory) host_.CopyClipAsPlainText(id);
      break;
    case kCmdMoveToNotes:
      if (isCategory || !inHistory) return;
      handler.MoveItem(id, kNotesCategoryId);
      handler.RebuildTree();
      break;
    case kCmdSetHotKey:
      if (isCategory) return;
      if (const std::optional<KeyCombination> key = host_.AskHotKey(hotKey)) {
        GetHandler().SetItemHotKey(id, *key);
        GetHandler().RebuildTree();
      }
      break;
    case kCmdDeleteItem:
      if (isCategory) return;
      handler.DeleteItem(id);
      handler.RebuildTree();
      break;
    case kCmdClear:
      if (AskYesNo(host_.OwnerWindow(), kClearQuestion)) {
        GetHandler().DeleteItemsOfCategory(categoryId);
        GetHandler().RebuildTree();
      }
      break;
    case kCmdAddCategory:
      EditCategory(0, 0);
      break;
    case kCmdAddChildCategory:
      if (isCategory) EditCategory(0, id);
      break;
    case kCmdEditCategory:
      if (isCategory) EditCategory(id, 0);
      break;
    case kCmdDeleteCategory:
      if (isCategory && AskYesNo(host_.OwnerWindow(), DeleteCategoryQuestion(caption)) &&
          GetHandler().DeleteCategory(id)) {
        GetHandler().RebuildTree();
      }
      break;
    case kCmdNone:
      break;
  }
}

void CClipTreeController::EditCategory(int categoryId, int parentId) {
  if (host_.EditCategory(categoryId, parentId)) GetHandler().RebuildTree();
}

CItemNode* CClipTreeController::NodeOf(HTREEITEM row) const {
  TVITEMW item{};
  item.mask = TVIF_HANDLE | TVIF_PARAM;
  item.hItem = row;
  if (row == nullptr || !TreeView_GetItem(tree_, &item)) return nullptr;
  return reinterpret_cast<CItemNode*>(item.lParam);
}

bool CClipTreeController::HasParentRow(HTREEITEM row) const {
  return TreeView_GetParent(tree_, row) != nullptr;
}
