#include "categories/win32/win32_tree_view.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <iterator>
#include <vector>

namespace {

HTREEITEM Item(TTreeNode* row) {
  return reinterpret_cast<HTREEITEM>(row);
}
TTreeNode* Row(HTREEITEM item) {
  return reinterpret_cast<TTreeNode*>(item);
}

// The control's first row below `parent`; TVGN_CHILD is not defined for TVI_ROOT.
HTREEITEM FirstChild(HWND tree, HTREEITEM parent) {
  return parent == TVI_ROOT ? TreeView_GetRoot(tree) : TreeView_GetChild(tree, parent);
}

// What the sort callback needs; lParamSort points here.
struct SortContext {
  TCustomTreeView::Compare compare;
  std::exception_ptr failure;
};

// Called by the control from inside its window procedure, so nothing may leave it by
// exception. After a failure the rest of the level compares equal and the caller rethrows.
int CALLBACK CompareRows(LPARAM dataA, LPARAM dataB, LPARAM sortContext) noexcept {
  auto* context = reinterpret_cast<SortContext*>(sortContext);
  if (context->failure) return 0;
  try {
    return context->compare(reinterpret_cast<const void*>(dataA),
                            reinterpret_cast<const void*>(dataB));
  } catch (...) {
    context->failure = std::current_exception();
    return 0;
  }
}

void SortOneLevel(HWND tree, HTREEITEM parent, SortContext& context) {
  TVSORTCB sort{};
  sort.hParent = parent;
  sort.lpfnCompare = CompareRows;
  sort.lParam = reinterpret_cast<LPARAM>(&context);
  TreeView_SortChildrenCB(tree, &sort, FALSE);
  if (context.failure) std::rethrow_exception(context.failure);
}

// TVM_SORTCHILDRENCB's own recursion flag is reserved, so each level is sorted here, the
// parent's before those below it, with a list of its own rather than recursion: rows can
// nest thousands deep.
void SortLevel(HWND tree, HTREEITEM top, SortContext& context) {
  std::vector<HTREEITEM> pending{top};
  while (!pending.empty()) {
    const HTREEITEM parent = pending.back();
    pending.pop_back();
    SortOneLevel(tree, parent, context);
    for (HTREEITEM child = FirstChild(tree, parent); child != nullptr;
         child = TreeView_GetNextSibling(tree, child)) {
      if (TreeView_GetChild(tree, child) != nullptr) pending.push_back(child);
    }
  }
}

// What the window's frame shows of its scroll bars, in pixels: a change of range or position
// too small to move the thumb by a pixel leaves it as it was.
struct CScrollBarsState {
  bool vertical = false, horizontal = false;
  SCROLLBARINFO verticalBar{}, horizontalBar{};

  bool operator==(const CScrollBarsState& other) const {
    return vertical == other.vertical && horizontal == other.horizontal &&
           SameLook(verticalBar, other.verticalBar) && SameLook(horizontalBar, other.horizontalBar);
  }

  static bool SameLook(const SCROLLBARINFO& a, const SCROLLBARINFO& b) {
    return EqualRect(&a.rcScrollBar, &b.rcScrollBar) && a.xyThumbTop == b.xyThumbTop &&
           a.xyThumbBottom == b.xyThumbBottom &&
           std::equal(std::begin(a.rgstate), std::end(a.rgstate), std::begin(b.rgstate));
  }
};

CScrollBarsState ScrollBarsStateOf(HWND window) {
  CScrollBarsState state;
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  state.vertical = (style & WS_VSCROLL) != 0;
  state.horizontal = (style & WS_HSCROLL) != 0;
  state.verticalBar.cbSize = sizeof(SCROLLBARINFO);
  state.horizontalBar.cbSize = sizeof(SCROLLBARINFO);
  if (state.vertical) GetScrollBarInfo(window, OBJID_VSCROLL, &state.verticalBar);
  if (state.horizontal) GetScrollBarInfo(window, OBJID_HSCROLL, &state.horizontalBar);
  return state;
}

// Takes WS_VISIBLE off a window for its lifetime, the way the system's own WM_SETREDRAW does
// (DefWindowProc's), without hiding it: nothing of the window is drawn meanwhile.
class CNotDrawable {
 public:
  explicit CNotDrawable(HWND window)
      : window_(window), wasVisible_((GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0) {
    if (wasVisible_) DefWindowProcW(window_, WM_SETREDRAW, FALSE, 0);
  }
  ~CNotDrawable() {
    if (wasVisible_) DefWindowProcW(window_, WM_SETREDRAW, TRUE, 0);
  }
  CNotDrawable(const CNotDrawable&) = delete;
  CNotDrawable& operator=(const CNotDrawable&) = delete;

 private:
  HWND window_;
  bool wasVisible_;
};

}  // namespace

CWin32TreeView::CChange::CChange(CWin32TreeView& view) : view_(view) {
  view_.BeginUpdate();
  view_.HoldRedraw();
}

void CWin32TreeView::BeginUpdate() {
  ++updates_;
}

void CWin32TreeView::EndUpdate() {
  if (updates_ == 0) return;
  if (--updates_ == 0) ReleaseRedraw();
}

void CWin32TreeView::HoldRedraw() {
  if (redrawHeld_) return;
  SendMessageW(tree_, WM_SETREDRAW, FALSE, 0);
  redrawHeld_ = true;
}

void CWin32TreeView::ReleaseRedraw() {
  if (!redrawHeld_) return;
  redrawHeld_ = false;
  // Letting the control draw again makes it lay out every row and set its scroll bar, which
  // it draws at once. Under Wine with the desktop's theme that drawing costs about 3 ms,
  // most of a capture's cost with the list open, and after a capture into a full history
  // the scroll bar has not even changed. So the control lays out with the window not
  // drawable, and the frame is drawn afterwards only if the scroll bars changed, or if
  // something was already waiting to be drawn (the tree was just shown or uncovered).
  const bool drawingPending = GetUpdateRect(tree_, nullptr, FALSE) != FALSE;
  const CScrollBarsState before = ScrollBarsStateOf(tree_);
  {
    const CNotDrawable notDrawable(tree_);
    SendMessageW(tree_, WM_SETREDRAW, TRUE, 0);
  }
  const bool drawFrame = drawingPending || ScrollBarsStateOf(tree_) != before;
  // Becoming drawable again asks for the whole window, frame included.
  if (!drawFrame) {
    RedrawWindow(tree_, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_NOCHILDREN);
  }
  // Rows that came or went above others moved those: the whole tree is drawn again.
  RedrawWindow(tree_, nullptr, nullptr,
               RDW_INVALIDATE | RDW_NOCHILDREN | (drawFrame ? RDW_FRAME : 0));
}

TTreeNode* CWin32TreeView::Insert(TTreeNode* parent, HTREEITEM after, void* data) {
  const CChange change(*this);
  // The control copies the text; it is never written through this pointer. Nothing shows
  // it (rows are drawn from their data), but the control measures a row's text whenever it
  // lays the row out, and an empty one again every time, which under Wine is a font
  // selection for every row of an open level: a space is measured once.
  static wchar_t rowText[] = L" ";
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent != nullptr ? Item(parent) : TVI_ROOT;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM;
  insert.item.pszText = rowText;
  insert.item.lParam = reinterpret_cast<LPARAM>(data);
  return Row(TreeView_InsertItem(tree_, &insert));
}

TTreeNode* CWin32TreeView::AddRow(TTreeNode* parent, void* data) {
  return Insert(parent, TVI_LAST, data);
}

TTreeNode* CWin32TreeView::InsertRow(TTreeNode* parent, TTreeNode* after, void* data, Compare) {
  return Insert(parent, after != nullptr ? Item(after) : TVI_FIRST, data);
}

void CWin32TreeView::InvalidateRow(TTreeNode* row) {
  RECT rect{};
  // False for a row that is not on screen, which then needs nothing.
  if (!redrawHeld_ && row != nullptr && TreeView_GetItemRect(tree_, Item(row), &rect, FALSE)) {
    InvalidateRect(tree_, &rect, FALSE);
  }
}

void CWin32TreeView::DeleteRow(TTreeNode* row) {
  // A null item would make the control delete every row.
  if (row == nullptr) return;
  const CChange change(*this);
  TreeView_DeleteItem(tree_, Item(row));
}

bool CWin32TreeView::HasParentRow(TTreeNode* row) const {
  return row != nullptr && TreeView_GetParent(tree_, Item(row)) != nullptr;
}

void* CWin32TreeView::RowData(TTreeNode* row) const {
  if (row == nullptr) return nullptr;
  TVITEMW item{};
  item.mask = TVIF_HANDLE | TVIF_PARAM;
  item.hItem = Item(row);
  if (!TreeView_GetItem(tree_, &item)) return nullptr;
  return reinterpret_cast<void*>(item.lParam);
}

std::vector<TTreeNode*> CWin32TreeView::ChildRows(TTreeNode* parent) const {
  std::vector<TTreeNode*> rows;
  HTREEITEM child = FirstChild(tree_, parent != nullptr ? Item(parent) : TVI_ROOT);
  for (; child != nullptr; child = TreeView_GetNextSibling(tree_, child)) {
    rows.push_back(Row(child));
  }
  return rows;
}

void CWin32TreeView::SortAll(Compare compare) {
  const CChange change(*this);
  SortContext context{compare, nullptr};
  SortLevel(tree_, TVI_ROOT, context);
}

void CWin32TreeView::SortChildren(TTreeNode* parent, Compare compare) {
  const CChange change(*this);
  SortContext context{compare, nullptr};
  SortOneLevel(tree_, parent != nullptr ? Item(parent) : TVI_ROOT, context);
}

void CWin32TreeView::SetExpanded(TTreeNode* row, bool expanded) {
  if (row == nullptr) return;
  // The control opens and closes rows from their layout, which must be up to date.
  ReleaseRedraw();
  // Opening a row draws the rows below it there and then (under Wine about 10 ms, most of
  // a search key's cost): the control does it with the window not drawable, and the tree
  // is drawn once, when the program next waits for messages.
  {
    const CNotDrawable notDrawable(tree_);
    TreeView_Expand(tree_, Item(row), expanded ? TVE_EXPAND : TVE_COLLAPSE);
  }
  RedrawWindow(tree_, nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN | RDW_FRAME);
}

bool CWin32TreeView::IsExpanded(TTreeNode* row) const {
  return row != nullptr && (TreeView_GetItemState(tree_, Item(row), TVIS_EXPANDED) & TVIS_EXPANDED);
}

void CWin32TreeView::Select(TTreeNode* row) {
  // Scrolling the row into sight needs the layout too.
  ReleaseRedraw();
  TreeView_SelectItem(tree_, Item(row));
}

TTreeNode* CWin32TreeView::Selected() const {
  return Row(TreeView_GetSelection(tree_));
}
