// CWin32TreeView against a real common-controls tree view, through the test factory.

#include <algorithm>
#include <deque>
#include <memory>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "categories/win32/win32_tree_view.h"
#include "platform/win32/gdi.h"
#include "tests/support/scroll_bar_mark.h"
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

TEST_F(Win32TreeViewRowsTest, InsertsARowFirstOrRightAfterAnotherWithoutSortingTheLevel) {
  TTreeNode* a = Add(nullptr, 1);
  Add(nullptr, 2);
  values_.push_back(3);
  view_->InsertRow(nullptr, nullptr, &values_.back(), Throwing);
  values_.push_back(4);
  view_->InsertRow(nullptr, a, &values_.back(), Throwing);
  EXPECT_EQ(Values(nullptr), (std::vector<int>{3, 1, 4, 2}));
}

TEST_F(Win32TreeViewRowsTest, ChangesInsideNestedUpdatesAreThereAtOnceAndStayAfterThem) {
  TTreeNode* top = Add(nullptr, 1);
  for (int value : {11, 12, 13}) Add(top, value);
  view_->SetExpanded(top, true);
  view_->BeginUpdate();
  view_->BeginUpdate();
  values_.push_back(10);
  TTreeNode* first = view_->InsertRow(top, nullptr, &values_.back(), Descending);
  view_->EndUpdate();
  view_->DeleteRow(view_->ChildRows(top).back());
  EXPECT_EQ(Values(top), (std::vector<int>{10, 11, 12}));
  view_->Select(first);  // needs the rows laid out, also inside an update
  EXPECT_EQ(view_->Selected(), first);
  view_->DeleteRow(view_->ChildRows(top)[1]);
  view_->EndUpdate();
  view_->EndUpdate();  // one too many: ignored
  EXPECT_EQ(Values(top), (std::vector<int>{10, 12}));
  EXPECT_TRUE(view_->IsExpanded(top));
  EXPECT_EQ(view_->Selected(), first);
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

// The view's rows as they are laid out and drawn, on a tree that is on screen.
class Win32TreeViewDrawingTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 200;
  static constexpr int kHeight = 300;
  static constexpr int kRowHeight = 20;

  static const wchar_t* FrameClass() {
    static const ATOM registered = [] {
      const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES};
      InitCommonControlsEx(&controls);
      WNDCLASSW frameClass{};
      frameClass.lpfnWndProc = DefWindowProcW;
      frameClass.hInstance = GetModuleHandleW(nullptr);
      frameClass.lpszClassName = L"QuilleryTreeDrawingFrame";
      return RegisterClassW(&frameClass);
    }();
    (void)registered;
    return L"QuilleryTreeDrawingFrame";
  }

  Win32TreeViewDrawingTest() {
    if (!tree_) throw std::runtime_error("could not create the tree view");
    TreeView_SetItemHeight(tree_.get(), kRowHeight);
    ShowWindow(frame_.get(), SW_SHOWNOACTIVATE);
    top_ = view_.AddRow(nullptr, &values_[0]);
    for (int i = 1; i < 40; ++i) view_.AddRow(top_, &values_[0]);
    view_.SetExpanded(top_, true);
    UpdateWindow(tree_.get());
  }

  RECT RowRect(TTreeNode* row) const {
    RECT rect{};
    TreeView_GetItemRect(tree_.get(), reinterpret_cast<HTREEITEM>(row), &rect, FALSE);
    return rect;
  }
  // What is waiting to be drawn.
  RECT Dirty() const {
    RECT rect{};
    GetUpdateRect(tree_.get(), &rect, FALSE);
    return rect;
  }

  // Paints the middle of the vertical scroll bar in a colour that no scroll bar has, and
  // tells afterwards whether it is still there, that is whether the scroll bar was not drawn
  // again in between.
  void MarkScrollBar() { ASSERT_TRUE(mark_.Mark(tree_.get())) << "the tree shows no scroll bar"; }
  bool ScrollBarStillMarked() const { return mark_.StillMarked(); }
  // Rows put first with as many taken away at the end: a capture into a full history.
  void PutFirstAndTakeLast(int rows) {
    view_.BeginUpdate();
    for (int i = 0; i < rows; ++i) {
      view_.InsertRow(top_, nullptr, &values_[0], Descending);
      view_.DeleteRow(view_.ChildRows(top_).back());
    }
    view_.EndUpdate();
  }

  CScrollBarMark mark_;
  int values_[1] = {0};
  UniqueWindow frame_{CreateWindowExW(WS_EX_TOOLWINDOW, FrameClass(), L"", WS_POPUP, 0, 0, kWidth,
                                      kHeight, nullptr, nullptr, GetModuleHandleW(nullptr),
                                      nullptr)};
  UniqueWindow tree_{CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_NOHSCROLL, 0,
                                     0, kWidth, kHeight, frame_.get(), nullptr,
                                     GetModuleHandleW(nullptr), nullptr)};
  CWin32TreeView view_{tree_.get()};
  TTreeNode* top_ = nullptr;
};

TEST_F(Win32TreeViewDrawingTest, AnUpdateThatPutARowFirstLaysItOutAndDrawsTheWholeTreeAtItsEnd) {
  RECT client{};
  GetClientRect(tree_.get(), &client);
  const RECT before = Dirty();
  ASSERT_TRUE(IsRectEmpty(&before));
  view_.BeginUpdate();
  TTreeNode* first = view_.InsertRow(top_, nullptr, &values_[0], Descending);
  view_.DeleteRow(view_.ChildRows(top_).back());
  view_.EndUpdate();
  EXPECT_EQ(RowRect(first).top, kRowHeight);
  EXPECT_EQ(RowRect(view_.ChildRows(top_)[1]).top, 2 * kRowHeight);
  const RECT dirty = Dirty();
  EXPECT_TRUE(EqualRect(&dirty, &client));
}

TEST_F(Win32TreeViewDrawingTest, AnUpdateThatChangedNoRowDrawsOnlyTheRowsAskedFor) {
  TTreeNode* third = view_.ChildRows(top_)[2];
  view_.BeginUpdate();
  view_.InvalidateRow(third);
  view_.EndUpdate();
  const RECT row = RowRect(third);
  const RECT dirty = Dirty();
  EXPECT_TRUE(EqualRect(&dirty, &row));
}

// The clip tree paints its rows itself, without the control's paint, which would set and draw
// its scroll bar again each time; so does the tree here.
class Win32TreeViewOwnPaintTest : public Win32TreeViewDrawingTest {
 protected:
  Win32TreeViewOwnPaintTest() {
    SetWindowSubclass(tree_.get(), PaintsItself, 0, 0);
    RedrawWindow(tree_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  }

  static LRESULT CALLBACK PaintsItself(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR) {
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT) return DefSubclassProc(window, message, wParam, lParam);
    ++paints;
    const PaintDc paint(window);
    FillRect(paint.get(), &paint.Dirty(), GetSysColorBrush(COLOR_WINDOW));
    return 0;
  }
  static inline int paints = 0;
};

// A search opens categories by the dozen, each changing the scroll bar: opening one leaves
// the drawing, scroll bar and all, to the next wait for messages.
TEST_F(Win32TreeViewOwnPaintTest, OpeningARowDrawsNothingUntilTheNextWaitForMessages) {
  TTreeNode* other = view_.AddRow(nullptr, &values_[0]);
  for (int i = 0; i < 40; ++i) view_.AddRow(other, &values_[0]);
  UpdateWindow(tree_.get());
  MarkScrollBar();
  paints = 0;
  view_.SetExpanded(other, true);
  EXPECT_TRUE(view_.IsExpanded(other));
  EXPECT_EQ(paints, 0);
  EXPECT_TRUE(ScrollBarStillMarked());
  UpdateWindow(tree_.get());
  EXPECT_EQ(paints, 1);
  EXPECT_FALSE(ScrollBarStillMarked());
}

TEST_F(Win32TreeViewOwnPaintTest, AnUpdateThatLeavesTheScrollBarAsItWasDoesNotDrawItAgain) {
  MarkScrollBar();
  PutFirstAndTakeLast(1);
  UpdateWindow(tree_.get());
  EXPECT_TRUE(ScrollBarStillMarked());
}

TEST_F(Win32TreeViewOwnPaintTest, AnUpdateThatChangesTheScrollBarDrawsIt) {
  MarkScrollBar();
  view_.BeginUpdate();
  for (int i = 0; i < 40; ++i) view_.AddRow(top_, &values_[0]);
  view_.EndUpdate();
  UpdateWindow(tree_.get());
  EXPECT_FALSE(ScrollBarStillMarked());
}

TEST_F(Win32TreeViewOwnPaintTest, ARowMoreThatMovesTheThumbByLessThanAPixelDoesNotDrawIt) {
  view_.BeginUpdate();
  for (int i = 0; i < 3000; ++i) view_.AddRow(top_, &values_[0]);
  view_.EndUpdate();
  RedrawWindow(tree_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  MarkScrollBar();
  view_.BeginUpdate();
  view_.AddRow(top_, &values_[0]);
  view_.EndUpdate();
  UpdateWindow(tree_.get());
  EXPECT_TRUE(ScrollBarStillMarked());
}

TEST_F(Win32TreeViewOwnPaintTest, AFrameWaitingToBeDrawnIsStillDrawnAfterAnUpdate) {
  MarkScrollBar();
  // As when the tree has just been shown or uncovered.
  RedrawWindow(tree_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
  PutFirstAndTakeLast(1);
  UpdateWindow(tree_.get());
  EXPECT_FALSE(ScrollBarStillMarked());
}

}  // namespace
