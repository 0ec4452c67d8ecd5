#include "categories/recording_tree_view.h"

#include <algorithm>

CRecordingTreeView::~CRecordingTreeView() = default;

TTreeNode* CRecordingTreeView::AddRow(TTreeNode* parent, void* data) {
  auto row = std::make_unique<Row>();
  row->parent = AsRow(parent);
  row->data = data;
  Row* added = row.get();
  SiblingsOf(AsRow(parent)).push_back(std::move(row));
  ++rowsAdded_;
  return AsNode(added);
}

bool CRecordingTreeView::Contains(const Row* row, const Rows& rows) const {
  for (const auto& candidate : rows) {
    if (candidate.get() == row || Contains(row, candidate->children)) return true;
  }
  return false;
}

void CRecordingTreeView::DeleteRow(TTreeNode* node) {
  Row* row = AsRow(node);
  if (row == nullptr) return;
  // Like the real control, a deleted selection passes to the row above it.
  if (selected_ != nullptr && (selected_ == row || Contains(selected_, row->children))) {
    selected_ = row->parent;
  }
  rowsDeleted_ += static_cast<int>(1 + Count(row->children));
  auto& siblings = SiblingsOf(row->parent);
  siblings.remove_if([row](const auto& candidate) { return candidate.get() == row; });
}

bool CRecordingTreeView::HasParentRow(TTreeNode* row) const { return AsRow(row)->parent != nullptr; }

void* CRecordingTreeView::RowData(TTreeNode* row) const { return AsRow(row)->data; }

std::vector<TTreeNode*> CRecordingTreeView::ChildRows(TTreeNode* parent) const {
  std::vector<TTreeNode*> rows;
  for (const auto& row : SiblingsOf(AsRow(parent))) rows.push_back(AsNode(row.get()));
  return rows;
}

void CRecordingTreeView::SortLevel(Rows& rows, Compare compare) {
  rows.sort([compare](const auto& a, const auto& b) { return compare(a->data, b->data) < 0; });
}

void CRecordingTreeView::Sort(Rows& rows, Compare compare) {
  SortLevel(rows, compare);
  for (auto& row : rows) Sort(row->children, compare);
}

void CRecordingTreeView::SortAll(Compare compare) { Sort(top_, compare); }

void CRecordingTreeView::SortChildren(TTreeNode* parent, Compare compare) {
  SortLevel(SiblingsOf(AsRow(parent)), compare);
}

void CRecordingTreeView::SetExpanded(TTreeNode* node, bool expanded) {
  // Like the real control: a row without children cannot be expanded.
  Row* row = AsRow(node);
  if (row != nullptr) row->expanded = expanded && !row->children.empty();
}

bool CRecordingTreeView::IsExpanded(TTreeNode* row) const {
  return row != nullptr && AsRow(row)->expanded;
}

void CRecordingTreeView::Select(TTreeNode* node) {
  // Like the real control: the rows above a selected row open to show it.
  selected_ = AsRow(node);
  for (Row* above = selected_ != nullptr ? selected_->parent : nullptr; above != nullptr;
       above = above->parent) {
    above->expanded = true;
  }
}

TTreeNode* CRecordingTreeView::Selected() const { return AsNode(selected_); }

std::size_t CRecordingTreeView::Count(const Rows& rows) {
  std::size_t count = rows.size();
  for (const auto& row : rows) count += Count(row->children);
  return count;
}

std::size_t CRecordingTreeView::RowCount() const { return Count(top_); }
