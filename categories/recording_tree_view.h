#pragma once
// A tree view in memory, for tests and benchmarks: it keeps rows as the real view does and
// counts what was done to them, so a test can tell a reconciled view from a rebuilt one.

#include <list>
#include <memory>
#include <vector>

#include "categories/tree_view.h"

class CRecordingTreeView : public TCustomTreeView {
 public:
  CRecordingTreeView() = default;
  ~CRecordingTreeView() override;

  TTreeNode* AddRow(TTreeNode* parent, void* data) override;
  TTreeNode* InsertRow(TTreeNode* parent, TTreeNode* after, void* data, Compare compare) override;
  void DeleteRow(TTreeNode* row) override;
  bool HasParentRow(TTreeNode* row) const override;
  void* RowData(TTreeNode* row) const override;
  std::vector<TTreeNode*> ChildRows(TTreeNode* parent) const override;
  void SortAll(Compare compare) override;
  void SortChildren(TTreeNode* parent, Compare compare) override;
  void InvalidateRow(TTreeNode* row) override;
  void SetExpanded(TTreeNode* row, bool expanded) override;
  bool IsExpanded(TTreeNode* row) const override;
  void Select(TTreeNode* row) override;
  TTreeNode* Selected() const override;

  // Rows added by either call, rows deleted (with those below them), levels sorted, rows
  // drawn again, and every call that the view answered: what a real view would be asked.
  int RowsAdded() const { return rowsAdded_; }
  int RowsDeleted() const { return rowsDeleted_; }
  int LevelsSorted() const { return levelsSorted_; }
  int RowsInvalidated() const { return rowsInvalidated_; }
  int Requests() const { return requests_; }
  // Every row, at any depth.
  std::size_t RowCount() const;

 private:
  struct Row;
  using Rows = std::list<std::unique_ptr<Row>>;
  struct Row {
    Row* parent = nullptr;
    void* data = nullptr;
    bool expanded = false;
    Rows children;
    // Its own place among its siblings, as a real view finds a row at once (list
    // positions stay valid through inserts, erases and sorts).
    Rows::iterator place;
  };

  static Row* AsRow(TTreeNode* row) { return reinterpret_cast<Row*>(row); }
  static TTreeNode* AsNode(Row* row) { return reinterpret_cast<TTreeNode*>(row); }
  Rows& SiblingsOf(Row* parent) { return parent == nullptr ? top_ : parent->children; }
  const Rows& SiblingsOf(const Row* parent) const {
    return parent == nullptr ? top_ : parent->children;
  }
  static void SortLevel(Rows& rows, Compare compare);
  // The rows of `rows` and of every level below them, walked without recursion (rows can
  // nest thousands deep).
  static std::vector<Row*> Flatten(const Rows& rows);
  static void Destroy(Rows& rows);

  Rows top_;
  Row* selected_ = nullptr;
  int rowsAdded_ = 0;
  int rowsDeleted_ = 0;
  int levelsSorted_ = 0;
  int rowsInvalidated_ = 0;
  mutable int requests_ = 0;
};
