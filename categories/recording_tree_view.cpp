#include "categories/recording_tree_view.h"

#include <algorithm>
#include <iterator>

CRecordingTreeView::~CRecordingTreeView() {
  Destroy(top_);
}

void CRecordingTreeView::Destroy(Rows& rows) {
  // Level by level, so that no row's destruction reaches far below it.
  std::vector<std::unique_ptr<Row>> doomed;
  for (auto& row : rows) doomed.push_back(std::move(row));
  rows.clear();
  while (!doomed.empty()) {
    std::unique_ptr<Row> row = std::move(doomed.back());
    doomed.pop_back();
    for (auto& child : row->children) doomed.push_back(std::move(child));
    row->children.clear();
  }
}

std::vector<CRecordingTreeView::Row*> CRecordingTreeView::Flatten(const Rows& rows) {
  std::vector<Row*> all;
  for (const auto& row : rows) all.push_back(row.get());
  for (std::size_t i = 0; i < all.size(); ++i) {
    for (const auto& child : all[i]->children) all.push_back(child.get());
  }
  return all;
}

TTreeNode* CRecordingTreeView::AddRow(TTreeNode* parent, void* data) {
  ++requests_;
  auto row = std::make_unique<Row>();
  row->parent = AsRow(parent);
  row->data = data;
  Row* added = row.get();
  Rows& siblings = SiblingsOf(AsRow(parent));
  added->place = siblings.insert(siblings.end(), std::move(row));
  ++rowsAdded_;
  return AsNode(added);
}

TTreeNode* CRecordingTreeView::InsertRow(TTreeNode* parent, TTreeNode* after, void* data, Compare) {
  ++requests_;
  Rows& siblings = SiblingsOf(AsRow(parent));
  auto place = siblings.begin();
  if (after != nullptr) {
    if (AsRow(after)->parent != AsRow(parent)) {
      --requests_;
      return AddRow(parent, data);
    }
    place = std::next(AsRow(after)->place);
  }
  auto row = std::make_unique<Row>();
  row->parent = AsRow(parent);
  row->data = data;
  Row* added = row.get();
  added->place = siblings.insert(place, std::move(row));
  ++rowsAdded_;
  return AsNode(added);
}

void CRecordingTreeView::DeleteRow(TTreeNode* node) {
  ++requests_;
  Row* row = AsRow(node);
  if (row == nullptr) return;
  const std::vector<Row*> below = Flatten(row->children);
  // Like the real control, a deleted selection passes to the row above it.
  if (selected_ == row || std::find(below.begin(), below.end(), selected_) != below.end()) {
    selected_ = row->parent;
  }
  rowsDeleted_ += static_cast<int>(1 + below.size());
  Destroy(row->children);
  SiblingsOf(row->parent).erase(row->place);
}

bool CRecordingTreeView::HasParentRow(TTreeNode* row) const {
  ++requests_;
  return AsRow(row)->parent != nullptr;
}

void* CRecordingTreeView::RowData(TTreeNode* row) const {
  return AsRow(row)->data;
}

std::vector<TTreeNode*> CRecordingTreeView::ChildRows(TTreeNode* parent) const {
  std::vector<TTreeNode*> rows;
  for (const auto& row : SiblingsOf(AsRow(parent))) rows.push_back(AsNode(row.get()));
  return rows;
}

void CRecordingTreeView::SortLevel(Rows& rows, Compare compare) {
  rows.sort([compare](const auto& a, const auto& b) { return compare(a->data, b->data) < 0; });
}

void CRecordingTreeView::SortAll(Compare compare) {
  ++requests_;
  ++levelsSorted_;
  SortLevel(top_, compare);
  for (Row* row : Flatten(top_)) {
    ++levelsSorted_;
    SortLevel(row->children, compare);
  }
}

void CRecordingTreeView::SortChildren(TTreeNode* parent, Compare compare) {
  ++requests_;
  ++levelsSorted_;
  SortLevel(SiblingsOf(AsRow(parent)), compare);
}

void CRecordingTreeView::InvalidateRow(TTreeNode* row) {
  ++requests_;
  if (row != nullptr) ++rowsInvalidated_;
}

void CRecordingTreeView::SetExpanded(TTreeNode* node, bool expanded) {
  ++requests_;
  // Like the real control: a row without children cannot be expanded.
  Row* row = AsRow(node);
  if (row != nullptr) row->expanded = expanded && !row->children.empty();
}

bool CRecordingTreeView::IsExpanded(TTreeNode* row) const {
  return row != nullptr && AsRow(row)->expanded;
}

void CRecordingTreeView::Select(TTreeNode* node) {
  ++requests_;
  // Like the real control: the rows above a selected row open to show it.
  selected_ = AsRow(node);
  for (Row* above = selected_ != nullptr ? selected_->parent : nullptr; above != nullptr;
       above = above->parent) {
    above->expanded = true;
  }
}

TTreeNode* CRecordingTreeView::Selected() const {
  return AsNode(selected_);
}

std::size_t CRecordingTreeView::RowCount() const {
  return Flatten(top_).size();
}
