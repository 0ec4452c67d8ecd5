#pragma once
// TEditCategoryForm: the category editor, "Category", in which the user names a user
// category and picks its icon. One entry point serves a new top-level category, a new
// sub-category and an existing category (CEditCategoryRules); the editor writes to the
// category model it is handed itself, and its caller only refreshes its tree.
// The name is UTF-16 from the model to the edit and back: no code page in between.

#include <string>

#include "dialogs/win32/icons_grid.h"
#include "platform/win32/modal_dialog.h"

class CClipboardHandler;

// Control ids of the editor (GetDlgItem), for the tests that drive it.
enum EEditCategoryControl : int {
  kIdCategoryName = 201,  // EdCategoryName
  kIdIconsGrid = 202,     // IconsGrid (icons_grid.h's messages)
};

class TEditCategoryForm final : public CModalDialog {
 public:
  // `owner` owns the dialog while it is shown (may be null); `handler` (not owned, it must
  // outlive the editor) is the category model that it reads and writes.
  TEditCategoryForm(HWND owner, CClipboardHandler& handler);

  // Runs the editor on `categoryId` (an existing category), or on a new category under
  // `parentId` (0: top level) when no category has that id. The grid has one column per
  // image of `categoryIcons` (not owned). True when the user confirmed with OK and the model
  // was written; false when cancelled or when `categoryIcons` is null.
  bool ExecuteEditor(HIMAGELIST categoryIcons, int categoryId, int parentId);

 protected:
  bool OnInit() override;
  bool OnOk() override;
  void OnDpiChanged() override;

 private:
  // The category icons at the dialog's dpi.
  HIMAGELIST IconsAtDpi();

  HWND owner_;
  CClipboardHandler& handler_;
  HIMAGELIST categoryIcons_ = nullptr;  // as handed in
  UniqueImageList ownIcons_;            // drawn for the dialog's dpi when those are not
  std::u16string initialName_;
  int initialColumn_ = -1;
  // What the controls held when OK was pressed.
  std::u16string name_;
  int selectedColumn_ = -1;
  CIconsGrid iconsGrid_;
};
