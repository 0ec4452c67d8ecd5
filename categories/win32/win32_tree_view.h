#pragma once
// CWin32TreeView: TCustomTreeView over a common-controls tree view window. Its rows are the
// control's items: a TTreeNode* is an HTREEITEM, and a row's data is the item's lParam.

#include <vector>

#include "categories/tree_view.h"
#include "platform/windows_api.h"

class CWin32TreeView final : public TCustomTreeView {
 public:
  // Works on `tree`, a WC_TREEVIEWW window of the calling thread, which it does not own: the
  // window must outlive this object and is left as it is when this object goes. Every call
  // must come from the window's thread. Rows passed in must be rows of this window; a null
  // row is ignored (DeleteRow, SetExpanded) or answered with false / null.
  explicit CWin32TreeView(HWND tree) : tree_(tree) {}
  CWin32TreeView(const CWin32TreeView&) = delete;
  CWin32TreeView& operator=(const CWin32TreeView&) = delete;

  HWND Handle() const { return tree_; }

  // Null when the control refuses the item (out of memory).
  TTreeNode* AddRow(TTreeNode* parent, void* data) override;
  // The row goes straight to its place; `compare` is not needed.
  TTreeNode* InsertRow(TTreeNode* parent, TTreeNode* after, void* data, Compare compare) override;
  // The control moves the selection elsewhere when the selected row goes with it.
  void DeleteRow(TTreeNode* row) override;
  bool HasParentRow(TTreeNode* row) const override;
  void* RowData(TTreeNode* row) const override;
  std::vector<TTreeNode*> ChildRows(TTreeNode* parent) const override;
  // Runs the control's own callback sort on each level. `compare` may throw: the exception
  // is held while the control finishes the level it is sorting and is then rethrown here,
  // never through the control's window procedure; levels not yet sorted stay as they were.
  void SortAll(Compare compare) override;
  // One level, with SortAll's handling of a throwing `compare`.
  void SortChildren(TTreeNode* parent, Compare compare) override;

  // While the control's drawing is held back for an update, the whole tree is drawn at its
  // end instead.
  void InvalidateRow(TTreeNode* row) override;

  // A row without child rows cannot be expanded: the control leaves it collapsed.
  void SetExpanded(TTreeNode* row, bool expanded) override;
  bool IsExpanded(TTreeNode* row) const override;
  // Selecting a row expands the rows above it, so that it can be seen. Null clears the
  // selection.
  void Select(TTreeNode* row) override;
  TTreeNode* Selected() const override;

  // Rows added, inserted or deleted outside an update are each an update of their own.
  // The control's drawing, and the layout that follows each change of its rows, are held
  // back from the first such change of an update to its end: under Wine every change of a
  // laid-out level walks all its rows, and a row put first marks every row after it for
  // drawing, one by one. The tree is drawn anew when an update that changed its rows ends;
  // its frame only when its scroll bars changed.
  void BeginUpdate() override;
  void EndUpdate() override;

 private:
  // Keeps an update open for one change of the rows.
  class CChange {
   public:
    explicit CChange(CWin32TreeView& view);
    ~CChange() { view_.EndUpdate(); }
    CChange(const CChange&) = delete;
    CChange& operator=(const CChange&) = delete;

   private:
    CWin32TreeView& view_;
  };

  TTreeNode* Insert(TTreeNode* parent, HTREEITEM after, void* data);
  void HoldRedraw();
  // Lets the control lay out and draw again, if it was held back.
  void ReleaseRedraw();

  HWND tree_;
  int updates_ = 0;
  bool redrawHeld_ = false;
};
