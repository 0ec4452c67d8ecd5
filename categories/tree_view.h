#pragma once
// TCustomTreeView: the little the category tree mirror needs of a tree view. The view owns
// its rows; each row carries a pointer to the mirror node that it shows and nothing else
// (its text is empty; drawing reads the node). One implementation wraps the common-controls
// tree view (win32/win32_tree_view.h), another records rows in memory for tests.

#include <vector>

// A row of a view. Opaque: each view gives its own rows this type.
struct TTreeNode;

class TCustomTreeView {
 public:
  // Orders two rows by their data: negative, zero or positive.
  using Compare = int (*)(const void* dataA, const void* dataB);

  virtual ~TCustomTreeView() = default;

  // Appends a row as the last child of `parent` (as the last top-level row when `parent` is
  // null), with empty text and `data`. Returns the new row, owned by the view.
  virtual TTreeNode* AddRow(TTreeNode* parent, void* data) = 0;
  // Inserts a row below `parent` right after `after` (a row below `parent`), or as its first
  // row when `after` is null. `compare` is the order of that level, which a view may use
  // instead, appending the row and sorting the level, where that is cheaper.
  virtual TTreeNode* InsertRow(TTreeNode* parent, TTreeNode* after, void* data,
                               Compare compare) = 0;
  // Deletes a row and every row below it.
  virtual void DeleteRow(TTreeNode* row) = 0;
  virtual bool HasParentRow(TTreeNode* row) const = 0;
  virtual void* RowData(TTreeNode* row) const = 0;
  // The rows directly below `parent` (the top-level rows for null), in view order.
  virtual std::vector<TTreeNode*> ChildRows(TTreeNode* parent) const = 0;
  // Sorts the rows of every level, recursively, by `compare` of their data.
  virtual void SortAll(Compare compare) = 0;
  // Sorts only the rows directly below `parent` (the top-level rows for null) by `compare`
  // of their data; the rows below them keep their order.
  virtual void SortChildren(TTreeNode* parent, Compare compare) = 0;

  // Has the row drawn again from its data, if it is on screen.
  virtual void InvalidateRow(TTreeNode* row) = 0;

  virtual void SetExpanded(TTreeNode* row, bool expanded) = 0;
  virtual bool IsExpanded(TTreeNode* row) const = 0;
  virtual void Select(TTreeNode* row) = 0;
  // The selected row, or null.
  virtual TTreeNode* Selected() const = 0;

  // The rows added, deleted and sorted between BeginUpdate and the matching EndUpdate may be
  // laid out and drawn once, at the end, rather than after each change. Every call stays
  // valid in between, and its result is the same. Pairs nest; CTreeViewUpdate keeps them.
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}
};

// BeginUpdate for its lifetime, on a view that may be null.
class CTreeViewUpdate {
 public:
  explicit CTreeViewUpdate(TCustomTreeView* view) : view_(view) {
    if (view_ != nullptr) view_->BeginUpdate();
  }
  ~CTreeViewUpdate() {
    if (view_ != nullptr) view_->EndUpdate();
  }
  CTreeViewUpdate(const CTreeViewUpdate&) = delete;
  CTreeViewUpdate& operator=(const CTreeViewUpdate&) = delete;

 private:
  TCustomTreeView* view_;
};
