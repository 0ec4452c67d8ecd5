#include "app/tree/win32/clip_tree_controller.h"

#include <memory>
#include <utility>

#include "app/tree/clip_tree_rules.h"
#include "categories/clipboard_handler.h"
#include "platform/win32/window.h"

namespace {

POINT PointOf(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

CClipTreeController::CClipTreeController(HWND tree, CClipTreeHost& host, CClipboardHandler& handler,
                                         const TBitmap& skin, int dpi)
    : tree_(tree),
      host_(host),
      handler_(handler),
      painter_(std::make_unique<CClipRowPainter>(skin, dpi)),
      preview_(host.OwnerWindow(), dpi) {
  TreeView_SetItemHeight(tree_, painter_->RowHeight());
  // A plain subclass rather than SetWindowSubclass's, which looks its chain up in a window
  // property at every message: under Wine each look-up is a request to the server, and the
  // tree gets messages by the thousand when a rebuild sorts it or a paint draws it.
  SetWindowLongPtrW(tree_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  treeProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(tree_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TreeProc)));
  SetNotifyReceiver(tree_, this);
}

CClipTreeController::~CClipTreeController() {
  Unhook();
}

void CClipTreeController::ChangeDpi(const TBitmap& skin, int dpi) {
  // Made before the old one goes: a refusal leaves the rows as they were.
  auto painter = std::make_unique<CClipRowPainter>(skin, dpi);
  painter_ = std::move(painter);
  TreeView_SetItemHeight(tree_, painter_->RowHeight());
  preview_.ChangeDpi(dpi);
  InvalidateRect(tree_, nullptr, TRUE);
}

void CClipTreeController::SetRowColours(const RowColours& colours) {
  rowColours_ = colours;
  InvalidateRect(tree_, nullptr, TRUE);
}

void CClipTreeController::Unhook() {
  if (treeProc_ == nullptr) return;
  if (IsWindow(tree_)) {
    if (GetWindowLongPtrW(tree_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&TreeProc)) {
      SetWindowLongPtrW(tree_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(treeProc_));
    }
    SetWindowLongPtrW(tree_, GWLP_USERDATA, 0);
    SetNotifyReceiver(tree_, nullptr);
  }
  treeProc_ = nullptr;
}

LRESULT CALLBACK CClipTreeController::TreeProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  // The whole message, the tree's own procedure included, is one scope: a close that the
  // menu's loop hears waits until the command has run.
  return GuardedProcedure(LRESULT{0}, [&]() -> LRESULT {
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
    if (message == TVM_GETITEMW) return self->GetItemWithRowText(treeProc, wParam, lParam);
    if (self->HandleTreeMessage(message, wParam, lParam)) return 0;
    const LRESULT result = CallWindowProcW(treeProc, window, message, wParam, lParam);
    // Scrolled or moved by a key: the next page of rows comes before the view reaches the
    // last row made. Only while the controller still holds the tree (a key may close it).
    if ((message == WM_KEYDOWN || message == WM_VSCROLL || message == WM_MOUSEWHEEL) &&
        GetWindowLongPtrW(window, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(self)) {
      self->MakeRowsNearScreen();
    }
    return result;
  });
}

void CClipTreeController::InvalidateFrame() {
  // The window's rectangle less the client's, in client coordinates: the frame alone.
  RECT window{};
  GetWindowRect(tree_, &window);
  MapWindowPoints(nullptr, tree_, reinterpret_cast<POINT*>(&window), 2);
  RECT client{};
  GetClientRect(tree_, &client);
  const UniqueGdiObject frame(CreateRectRgnIndirect(&window));
  const UniqueGdiObject inside(CreateRectRgnIndirect(&client));
  if (!frame || !inside) return;
  const auto frameRegion = static_cast<HRGN>(frame.get());
  CombineRgn(frameRegion, frameRegion, static_cast<HRGN>(inside.get()), RGN_DIFF);
  RedrawWindow(tree_, nullptr, frameRegion, RDW_INVALIDATE | RDW_FRAME);
}

bool CClipTreeController::HandleTreeMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // The tree's own handling of the buttons runs a modal loop of its own to detect drags
  // and clicks; all of that is done here instead.
  switch (message) {
    // The rows are painted here rather than through the control's custom drawing: after
    // the rows, the control sets its scroll bar again at every paint, which under Wine
    // draws the scroll bar anew, and that costs more than the rows. The background is
    // part of the paint, so the rows are not erased first either.
    case WM_ERASEBKGND:
      return true;
    case WM_NCPAINT:
      // The frame and the scroll bar due together with rows are drawn after the rows, once
      // no input waits: under Wine the scroll bar alone takes longer than a screen of rows,
      // and the rows are what the user waits for (after each key of a search, say).
      if (paintingRows_ && !frameDue_) {
        frameAfterRows_ = true;
        return true;
      }
      frameAfterRows_ = false;
      frameDue_ = false;
      return false;
    case WM_PAINT:
      if (wParam != 0) {
        RECT client{};
        GetClientRect(tree_, &client);
        ItemsTreePaint(reinterpret_cast<HDC>(wParam), client);
      } else {
        paintingRows_ = true;  // the frame that BeginPaint would draw first comes after
        const PaintDc paint(tree_);
        paintingRows_ = false;
        ItemsTreePaint(paint.get(), paint.Dirty());
      }
      if (frameAfterRows_) SetTimer(tree_, kFrameTimerId, kFrameDelayMilliseconds, nullptr);
      return true;
    case WM_LBUTTONDOWN:
      HidePreview();
      ItemsTreeMouseDown(false, PointOf(lParam), wParam);
      return true;
    case WM_RBUTTONDOWN:
      HidePreview();
      ItemsTreeMouseDown(true, PointOf(lParam), wParam);
      return true;
    case WM_RBUTTONUP:  // would become a WM_CONTEXTMENU; the menu opened at the press
    case WM_RBUTTONDBLCLK:
      return true;
    case WM_MOUSEMOVE:
      ItemsTreeMouseMove(PointOf(lParam));
      HoverAt(PointOf(lParam));
      return false;
    case WM_MOUSELEAVE:
      hoverRow_ = nullptr;
      HidePreview();
      return false;
    case WM_SETFOCUS:
      InvalidateSelectedRow();
      return false;
    case WM_KILLFOCUS:
      pasteTogetherAtCtrlUp_ = false;
      InvalidateSelectedRow();
      HidePreview();
      return false;
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
      HidePreview();
      return false;
    case WM_TIMER:
      if (wParam == kFrameTimerId) {
        if (HIWORD(GetQueueStatus(QS_INPUT)) == 0) {
          KillTimer(tree_, kFrameTimerId);
          frameDue_ = true;
          InvalidateFrame();
        }
        return true;
      }
      if (wParam != kPreviewTimerId) return false;
      KillTimer(tree_, kPreviewTimerId);
      ShowPreview();
      return true;
    case WM_LBUTTONUP: {
      const bool dragged = drag_ && drag_->started;
      ItemsTreeEndDrag(PointOf(lParam));
      FinishClick(dragged);
      return true;
    }
    case WM_CAPTURECHANGED:
      // Another window took the mouse: the drag ends without a drop.
      if (reinterpret_cast<HWND>(lParam) != tree_) {
        drag_.reset();
        HighlightDropTarget(std::nullopt);
      }
      return false;
    case WM_LBUTTONDBLCLK:
      ItemsTreeDblClick();
      return true;
    case WM_KEYDOWN:
      HidePreview();  // a move of the selection brings it again
      return ItemsTreeKeyDown(wParam);
    case WM_KEYUP:
      // Ctrl+Enter pastes once Ctrl is let go: the program in front would not see a Ctrl
      // that went down while the popup had the keyboard, and would take the paste's V alone.
      if (wParam == VK_CONTROL && std::exchange(pasteTogetherAtCtrlUp_, false)) {
        PasteSelectedTogether(EPickedBy::kKeyboard);
      }
      return false;
    case WM_CONTEXTMENU:
      return KeyboardContextMenu(lParam);
    case WM_SYSKEYDOWN:
      return ContextMenuKeyDown(wParam);
    case WM_CHAR:
      // The tree's own type-ahead would look for row texts, which hold nothing; Enter's and
      // Escape's characters would beep.
      if (wParam >= 0x20 && wParam != 0x7F) host_.TypeToSearch(static_cast<wchar_t>(wParam));
      return true;
    default:
      return false;
  }
}

bool CClipTreeController::OnReflectedNotify(NMHDR& header, LRESULT& result) {
  if (header.code == TVN_SELCHANGEDW) {
    const auto& change = reinterpret_cast<NMTREEVIEWW&>(header);
    // By the keyboard, or by the search while the window has the keyboard.
    if (change.action == TVC_BYKEYBOARD ||
        (change.action == TVC_UNKNOWN && GetForegroundWindow() == host_.OwnerWindow())) {
      SchedulePreview(change.itemNew.hItem);
    }
    if (change.action == TVC_UNKNOWN) AnnounceSelection(change.itemNew.hItem);
    FollowSelection(change.itemNew.hItem, change.action);
    return false;
  }
  if (header.code == TVN_DELETEITEMW) {
    const HTREEITEM gone = reinterpret_cast<NMTREEVIEWW&>(header).itemOld.hItem;
    if (gone == previewRow_) HidePreview();
    if (gone == hoverRow_) hoverRow_ = nullptr;
    return false;
  }
  if (header.code != NM_CUSTOMDRAW) return false;
  result = ItemsTreeCustomDrawItem(reinterpret_cast<NMTVCUSTOMDRAW&>(header));
  return true;
}

void CClipTreeController::ItemsTreeMouseDown(bool rightButton, POINT point, WPARAM keys) {
  drag_.reset();
  SetFocus(tree_);
  TVHITTESTINFO hit{};
  hit.pt = point;
  const HTREEITEM row = TreeView_HitTest(tree_, &hit);
  if (row == nullptr) return;
  const bool gathering = SelectWithMouse(row, rightButton, keys);
  const CItemNode* node = NodeOf(row);
  if (node == nullptr) return;
  if (rightButton) {
    const MenuTarget target{static_cast<int>(node->id), node->isCategory};
    if (node->isCategory) {
      ShowMenu(MakeCategoryMenu(CategoryMenuFor(*node, HasParentRow(row))), point, target);
    } else {
      ShowMenu(MakeClipboardMenu(ClipMenuFor(*node)), point, target);
    }
  } else if (!node->isCategory && !gathering) {
    drag_ = Drag{static_cast<int>(node->id), point, false};
    SetCapture(tree_);
  }
}

void CClipTreeController::ItemsTreeDblClick() {
  ActivateSelectedRow(EPickedBy::kMouse);
}

bool CClipTreeController::ItemsTreeKeyDown(WPARAM key) {
  switch (key) {
    case VK_RETURN:
      if (GetKeyState(VK_CONTROL) < 0) {
        pasteTogetherAtCtrlUp_ = true;
        return true;
      }
      ActivateSelectedRow(EPickedBy::kKeyboard, GetKeyState(VK_SHIFT) < 0);
      return true;
    case VK_ESCAPE:
      host_.EscapePressed();
      return true;
    case 'F':
      if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return false;
      host_.OpenSearch();
      return true;
    case VK_DELETE:
      if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0 || GetKeyState(VK_SHIFT) < 0) {
        return false;
      }
      if (!DeleteSelectedClips()) DeleteSelectedRow();
      return true;
    case 'Z':
      if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return false;
      host_.UndoDelete();
      return true;
    case VK_END:
      // The tree's own End goes to the last row it holds: that row must be the last clip.
      handler_.MakeLastRows();
      return false;
    default:
      return ContextMenuKeyDown(key) || PasteAsKeyDown(key) ||
             EditorKeyDown(key);  // else the arrows, pages, Home and End: the tree's own
  }
}

void CClipTreeController::ActivateSelectedRow(EPickedBy by, bool plainTextOnly) {
  const HTREEITEM selected = TreeView_GetSelection(tree_);
  if (selected == nullptr) return;
  if (TreeView_GetChild(tree_, selected) != nullptr) {
    TreeView_Expand(tree_, selected, TVE_TOGGLE);
  } else if (!plainTextOnly) {
    host_.MoveSelectedToClipboard(by);
  } else if (const CItemNode* node = NodeOf(selected); node != nullptr && !node->isCategory) {
    host_.CopyClipAsPlainText(static_cast<int>(node->id), by);
  }
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
