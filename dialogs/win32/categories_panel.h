#pragma once
// CCategoriesPanel: the settings dialog's "Custom categories" page at work: the user
// categories in a categories-only tree of their own, each row drawn from the skin, and
// "Add", "Add child", "Edit" and "Delete". Changes go to the category model at once,
// whatever the dialog then ends with. The dialog lays out the page's controls; the panel
// runs them.

#include <memory>

#include "categories/item_node.h"
#include "categories/win32/win32_tree_view.h"
#include "foundation/bitmap.h"
#include "foundation/win32/skin_row_canvas.h"
#include "platform/win32/gdi.h"
#include "platform/win32/notify_reflection.h"

class CClipboardHandler;

class CCategoriesPanel final : public CNotifyReceiver {
 public:
  CCategoriesPanel();
  ~CCategoriesPanel();
  CCategoriesPanel(const CCategoriesPanel&) = delete;
  CCategoriesPanel& operator=(const CCategoriesPanel&) = delete;

  // Starts a showing of `dialog` at `dpi`: rows of an earlier showing are forgotten and the
  // rows' drawing resources made. `handler`, `skin` and `categoryIcons` are not owned and
  // must outlive the showing.
  void Open(HWND dialog, CClipboardHandler& handler, const TBitmap& skin, HIMAGELIST categoryIcons,
            int dpi);
  // Takes `tree`, the tree view made for the page, and sets it up for the rows. Its
  // notifications come to the panel through the page's reflection (notify_reflection.h).
  void AttachTree(HWND tree);
  // After the dialog's dpi changed: fonts, icons and row height made anew.
  void OnDpiChanged(int dpi);
  // After the showing: the rows' canvas goes.
  void Close();

  // Brings the tree in line with the category model: the mirror cycle of ClearMarks,
  // PopulateCategories and PruneUnmarked over the panel's own root node.
  void Refresh();
  // Runs the category editor on the dialog's behalf; refreshes the tree when it wrote.
  void EditCategory(int categoryId, int parentId);

  // The tree's notifications: its rows drawn, the buttons following its selection, and a
  // double click that edits or expands.
  bool OnReflectedNotify(NMHDR& header, LRESULT& result) override;

  void BtAddClick();
  void BtAddChildClick();
  void BtEditClick();
  void BtDeleteClick();

 private:
  // The category rows' height, fonts and icons at dpi_.
  void MakeRowResources();
  CItemNode* SelectedNode() const;
  void UpdateCategoryButtons();
  LRESULT CategoriesTreeCustomDraw(NMTVCUSTOMDRAW* draw);
  void DrawCategoryRow(HDC target, HTREEITEM item, const CItemNode* node);
  // Any button pressed over the tree: the row under `point` (tree client coordinates), if
  // there is one, becomes the selected row.
  void CategoriesTreeMouseDown(POINT point);
  static LRESULT CALLBACK CategoriesTreeProc(HWND tree, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR id, DWORD_PTR panel);
  bool CategoriesTreeDblClick();
  int Scale(int designValue) const;

  HWND dialog_ = nullptr;
  int dpi_ = 96;
  HIMAGELIST categoryIcons_ = nullptr;  // as handed in, at the main window's dpi
  HIMAGELIST rowIcons_ = nullptr;       // the same icons at the dialog's dpi
  UniqueImageList ownIcons_;            // those, when drawn for the dialog's dpi
  CClipboardHandler* handler_ = nullptr;
  const TBitmap* skin_ = nullptr;
  CItemNode root_;
  std::unique_ptr<CWin32TreeView> view_;
  HWND tree_ = nullptr;

  // Drawing: the rows composed on the skin, one row high, while the dialog shows; the
  // rows' fonts.
  int rowHeight_ = 26;
  std::unique_ptr<CSkinRowCanvas> canvas_;
  UniqueFont treeFont_;
  UniqueFont rowFont_;
  UniqueFont rowBoldFont_;
};
