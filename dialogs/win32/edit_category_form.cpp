#include "dialogs/win32/edit_category_form.h"

#include "categories/clipboard_handler.h"
#include "dialogs/win32/category_icons.h"
#include "dialogs/win32/common_controls.h"
#include "dialogs/edit_category_rules.h"

namespace {

// Design values at 96 dots per inch.
constexpr int kCellSide = 20;
constexpr int kGridLeft = 8, kGridTop = 72, kGridWidth = 257, kGridHeight = 43;

// The window's text as UTF-16, whatever its length.
std::u16string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  const int copied = GetWindowTextW(window, AsWide(text.data()), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace

TEditCategoryForm::TEditCategoryForm(HWND owner, CClipboardHandler& handler)
    : owner_(owner), handler_(handler) {
  SetForm(L"Category", 273, 161, L"Arial", -13);
}

bool TEditCategoryForm::ExecuteEditor(HIMAGELIST categoryIcons, int categoryId, int parentId) {
  if (categoryIcons == nullptr) return false;
  EnsureCommonControls();
  categoryIcons_ = categoryIcons;
  CEditCategoryRules rules(handler_, categoryId, parentId);
  initialName_ = rules.Record().name;
  initialColumn_ = rules.InitialColumn(ImageList_GetImageCount(categoryIcons));
  if (Run(owner_) != IDOK) return false;
  rules.Commit(name_, selectedColumn_);
  return true;
}

bool TEditCategoryForm::OnInit() {
  AddControl(L"STATIC", L"Name", SS_LEFT, 8, 8, 120, 16, -1);
  // The wide edit keeps the name as UTF-16, every script and emoji included.
  const std::u16string name = initialName_;
  HWND edit = AddControl(WC_EDITW, {}, WS_TABSTOP | ES_AUTOHSCROLL, 8, 24, 257, 24, kIdCategoryName,
                         WS_EX_CLIENTEDGE);
  SetWindowTextW(edit, AsWide(name.c_str()));
  AddControl(L"STATIC", L"Icon", SS_LEFT, 8, 56, 120, 16, -1);
  const RECT grid = ScaledRect(kGridLeft, kGridTop, kGridWidth, kGridHeight);
  iconsGrid_.Create(Handle(), kIdIconsGrid, grid.left, grid.top, grid.right - grid.left,
                    grid.bottom - grid.top, Scale(kCellSide), IconsAtDpi());
  iconsGrid_.SetSelection(initialColumn_);
  AddControl(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 111, 128, 75, 25, IDOK);
  AddControl(L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, 192, 128, 75, 25, IDCANCEL);
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  return true;
}

HIMAGELIST TEditCategoryForm::IconsAtDpi() {
  return CategoryIconsOfSide(categoryIcons_, Scale(kCategoryIconDesignSide), ownIcons_);
}

void TEditCategoryForm::OnDpiChanged() {
  const RECT grid = ScaledRect(kGridLeft, kGridTop, kGridWidth, kGridHeight);
  MoveWindow(iconsGrid_.Handle(), grid.left, grid.top, grid.right - grid.left,
             grid.bottom - grid.top, FALSE);
  iconsGrid_.Rescale(Scale(kCellSide), IconsAtDpi());
}

bool TEditCategoryForm::OnOk() {
  name_ = WindowText(Item(kIdCategoryName));
  selectedColumn_ = iconsGrid_.Selection();
  return true;
}
