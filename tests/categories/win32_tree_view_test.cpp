// CWin32TreeView against a real common-controls tree view, through the test factory.

#include <algorithm>
#include <deque>
#include <memory>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/test_tree_view.h"

namespace {

int Descending(const void* a, const void* b) {
  return *static_cast<const int*>(b) - *static_cast<const int*>(a);
}

int Throwing(const void*, const void*) {
  throw std::runtime_error("compare failed");
}

class Win32TreeViewTest : public ::testing::Test {
 protected:
  // Each row's data points at its own int, so a level reads back as a list of numbers.
  TTreeNode* Add(TTreeNode* parent, int value) {
    values_.push_back(value);
    return view_->AddRow(parent, &values_.back());
  }
  std::vector<int> Values(TTreeNode* parent) const {
    std::vector<int> result;
    for (TTreeNode* row : view_->ChildRows(parent)) {
      result.push_back(*static_cast<const int*>(view_->RowData(row)));
    }
    return result;
  }

  std::deque<int> values_;
  std::unique_ptr<TCustomTreeView> view_ = MakeTestTreeView();
};

using Win32TreeViewRowsTest = Win32TreeViewTest;
using Win32TreeViewSortTest = Win32TreeViewTest;
using Win32TreeViewStateTest = Win32TreeViewTest;

TEST_F(Win32TreeViewRowsTest, AppendsEachRowAsTheLastChildOfItsParent) {
  TTreeNode* a = Add(nullptr, 1);
  TTreeNode* b = Add(nullptr, 2);
  TTreeNode* a1 = Add(a, 11);
  Add(b, 21);
  TTreeNode* a2 = Add(a, 12);
  Add(nullptr, 3);
  Add(a1, 111);
  EXPECT_EQ(Values(nullptr), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(view_->ChildRows(a), (std::vector<TTreeNode*>{a1, a2}));
  EXPECT_EQ(Values(b), std::vector<int>{21});
  EXPECT_EQ(Values(a1), std::vector<int>{111});
  EXPECT_TRUE(view_->ChildRows(a2).empty());
}

TEST_F(Win32TreeViewRowsTest, KeepsDataAndParentOfEachRow) {
  TTreeNode* top = Add(nullptr, 1);
  TTreeNode* child = Add(top, 11);
  TTreeNode* empty = view_->AddRow(child, nullptr);
  EXPECT_EQ(view_->RowData(top), &values_[0]);
  EXPECT_EQ(view_->RowData(child), &values_[1]);
  EXPECT_EQ(view_->RowData(empty), nullptr);
  EXPECT_FALSE(view_->HasParentRow(top));
  EXPECT_TRUE(view_->HasParentRow(child));
  EXPECT_TRUE(view_->HasParentRow(empty));
}

TEST_F(Win32TreeViewRowsTest, DeletingARowDeletesEveryRowBelowIt) {
  TTreeNode* a = Add(nullptr, 1);
  Add(Add(a, 11), 111);
  TTreeNode* b = Add(nullptr, 2);
  Add(b, 21);
  view_->DeleteRow(a);
  view_->DeleteRow(nullptr);  // the control itself would take that for "every row"
  EXPECT_EQ(Values(nullptr), std::vector<int>{2});
  EXPECT_EQ(Values(b), std::vector<int>{21});
}

TEST_F(Win32TreeViewSortTest, SortsEveryLevelBelowItsOwnParent) {
  TTreeNode* one = Add(nullptr, 1);
  Add(nullptr, 3);
  TTreeNode* two = Add(nullptr, 2);
  Add(one, 11);
  TTreeNode* thirteen = Add(one, 13);
  Add(one, 12);
  Add(two, 21);
  Add(two, 22);
  for (int value : {131, 133, 132}) Add(thirteen, value);
  view_->SortAll(Descending);
  EXPECT_EQ(Values(nullptr), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(Values(one), (std::vector<int>{13, 12, 11}));
  EXPECT_EQ(Values(two), (std::vector<int>{22, 21}));
  EXPECT_EQ(Values(thirteen), (std::vector<int>{133, 132, 131}));
}

TEST_F(Win32TreeViewSortTest, AThrowingComparisonReachesTheCallerAndLosesNoRow) {
  TTreeNode* top = Add(nullptr, 1);
  Add(nullptr, 2);
  Add(top, 11);
  Add(top, 12);
  EXPECT_THROW(view_->SortAll(Throwing), std::runtime_error);
  std::vector<int> level = Values(nullptr);
  std::sort(level.begin(), level.end());
  EXPECT_EQ(level, (std::vector<int>{1, 2}));
  view_->SortAll(Descending);
  EXPECT_EQ(Values(nullptr), (std::vector<int>{2, 1}));
  EXPECT_EQ(Values(top), (std::vector<int>{12, 11}));
}

TEST_F(Win32TreeViewStateTest, ExpansionAndSelectionSurviveSortAll) {
  TTreeNode* a = Add(nullptr, 1);
  TTreeNode* b = Add(nullptr, 2);
  TTreeNode* a1 = Add(a, 11);
  TTreeNode* a2 = Add(a, 12);
  Add(a2, 121);
  Add(b, 21);
  view_->SetExpanded(a, true);
  view_->SetExpanded(a2, true);
  view_->Select(a1);
  view_->SortAll(Descending);
  EXPECT_TRUE(view_->IsExpanded(a));
  EXPECT_TRUE(view_->IsExpanded(a2));
  EXPECT_FALSE(view_->IsExpanded(b));
  EXPECT_EQ(view_->Selected(), a1);
}

TEST_F(Win32TreeViewStateTest, ExpansionAndSelectionSurviveDeletingOtherRows) {
  TTreeNode* a = Add(nullptr, 1);
  TTreeNode* a1 = Add(a, 11);
  TTreeNode* a2 = Add(a, 12);
  TTreeNode* b = Add(nullptr, 2);
  Add(b, 21);
  view_->SetExpanded(a, true);
  view_->Select(a2);
  view_->DeleteRow(a1);
  view_->DeleteRow(b);
  EXPECT_TRUE(view_->IsExpanded(a));
  EXPECT_EQ(view_->Selected(), a2);
}

TEST_F(Win32TreeViewStateTest, ExpandsAndCollapsesOnlyRowsWithChildRows) {
  TTreeNode* leaf = Add(nullptr, 1);
  TTreeNode* parent = Add(nullptr, 2);
  Add(parent, 21);
  view_->SetExpanded(leaf, true);
  view_->SetExpanded(parent, true);
  EXPECT_FALSE(view_->IsExpanded(leaf));
  EXPECT_TRUE(view_->IsExpanded(parent));
  Add(parent, 22);  // as a rebuild appends a clip below an open category
  EXPECT_TRUE(view_->IsExpanded(parent));
  view_->SetExpanded(parent, false);
  EXPECT_FALSE(view_->IsExpanded(parent));
}

TEST_F(Win32TreeViewStateTest, SelectingARowOpensTheRowsAboveIt) {
  TTreeNode* top = Add(nullptr, 1);
  TTreeNode* child = Add(top, 11);
  TTreeNode* grandchild = Add(child, 111);
  EXPECT_EQ(view_->Selected(), nullptr);
  view_->Select(grandchild);
  EXPECT_EQ(view_->Selected(), grandchild);
  EXPECT_TRUE(view_->IsExpanded(top));
  EXPECT_TRUE(view_->IsExpanded(child));
  view_->Select(nullptr);
  EXPECT_EQ(view_->Selected(), nullptr);
}

}  // namespace
