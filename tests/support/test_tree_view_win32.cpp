// The test tree view on Windows: a common-controls tree view in a hidden top-level window of
// the calling thread, seen through CWin32TreeView.

#include "tests/support/test_tree_view.h"

#include <stdexcept>

#include "categories/win32/win32_tree_view.h"
#include "platform/win32/gdi.h"

namespace {

constexpr wchar_t kFrameClass[] = L"QuilleryTestTreeFrame";

UniqueWindow MakeFrame() {
  static const ATOM registered = [] {
    const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW frameClass{};
    frameClass.lpfnWndProc = DefWindowProcW;
    frameClass.hInstance = GetModuleHandleW(nullptr);
    frameClass.lpszClassName = kFrameClass;
    return RegisterClassW(&frameClass);
  }();
  (void)registered;
  return UniqueWindow(CreateWindowExW(0, kFrameClass, L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 400,
                                      nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}

UniqueWindow MakeTree(HWND frame) {
  return UniqueWindow(CreateWindowExW(
      0, WC_TREEVIEWW, L"",
      WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
      0, 0, 300, 400, frame, nullptr, GetModuleHandleW(nullptr), nullptr));
}

class CTestTreeView final : public TCustomTreeView {
 public:
  CTestTreeView() : frame_(MakeFrame()), tree_(MakeTree(frame_.get())), view_(tree_.get()) {
    if (!tree_) throw std::runtime_error("could not create the test tree view");
  }

  TTreeNode* AddRow(TTreeNode* parent, void* data) override { return view_.AddRow(parent, data); }
  TTreeNode* InsertRow(TTreeNode* parent, TTreeNode* after, void* data, Compare compare) override {
    return view_.InsertRow(parent, after, data, compare);
  }
  void InvalidateRow(TTreeNode* row) override { view_.InvalidateRow(row); }
  void DeleteRow(TTreeNode* row) override { view_.DeleteRow(row); }
  bool HasParentRow(TTreeNode* row) const override { return view_.HasParentRow(row); }
  void* RowData(TTreeNode* row) const override { return view_.RowData(row); }
  std::vector<TTreeNode*> ChildRows(TTreeNode* parent) const override {
    return view_.ChildRows(parent);
  }
  void SortAll(Compare compare) override { view_.SortAll(compare); }
  void SortChildren(TTreeNode* parent, Compare compare) override {
    view_.SortChildren(parent, compare);
  }
  void SetExpanded(TTreeNode* row, bool expanded) override { view_.SetExpanded(row, expanded); }
  bool IsExpanded(TTreeNode* row) const override { return view_.IsExpanded(row); }
  void Select(TTreeNode* row) override { view_.Select(row); }
  TTreeNode* Selected() const override { return view_.Selected(); }
  void BeginUpdate() override { view_.BeginUpdate(); }
  void EndUpdate() override { view_.EndUpdate(); }

 private:
  // Declared parent first: the tree view is destroyed before the window that holds it.
  UniqueWindow frame_;
  UniqueWindow tree_;
  CWin32TreeView view_;
};

}  // namespace

std::unique_ptr<TCustomTreeView> MakeTestTreeView() {
  return std::make_unique<CTestTreeView>();
}
