#include "dialogs/win32/categories_panel.h"

#include <windowsx.h>

#include <algorithm>

#include "categories/clipboard_handler.h"
#include "dialogs/win32/category_icons.h"
#include "dialogs/win32/edit_category_form.h"
#include "dialogs/win32/form_settings_controls.h"
#include "dialogs/settings_form_rules.h"
#include "dialogs/win32/settings_pages.h"
#include "foundation/question_box.h"
#include "platform/dpi_scale.h"
#include "platform/win32/dpi.h"
#include "platform/win32/window.h"

namespace {

// Design value at 96 dots per inch.
constexpr int kTreeIndent = 42;

}  // namespace

CCategoriesPanel::CCategoriesPanel() {
  root_.isCategory = true;
}

CCategoriesPanel::~CCategoriesPanel() = default;

void CCategoriesPanel::Open(HWND dialog, CClipboardHandler& handler, const TBitmap& skin,
                            HIMAGELIST categoryIcons, int dpi) {
  dialog_ = dialog;
  handler_ = &handler;
  skin_ = &skin;
  categoryIcons_ = categoryIcons;
  dpi_ = dpi;
  // Rows left by an earlier showing went with that showing's tree.
  root_.Clear();
  root_.isCategory = true;
  MakeRowResources();
}

void CCategoriesPanel::MakeRowResources() {
  rowHeight_ = SettingsRowBitmapHeight(dpi_);
  canvas_ = std::make_unique<CSkinRowCanvas>(*skin_, rowHeight_);
  const int fontHeight = FontHeightForPoints(kSettingsRowFontPoints, dpi_);
  rowFont_ = MakeFont(L"Tahoma", fontHeight, kDesignDpi);
  rowBoldFont_ = MakeFont(L"Tahoma", fontHeight, kDesignDpi, true);
  treeFont_ = MakeFont(L"Tahoma", -19, dpi_);
  rowIcons_ = CategoryIconsOfSide(categoryIcons_, Scale(kCategoryIconDesignSide), ownIcons_);
}

void CCategoriesPanel::AttachTree(HWND tree) {
  tree_ = tree;
  SendMessageW(tree_, WM_SETFONT, reinterpret_cast<WPARAM>(treeFont_.get()), FALSE);
  TreeView_SetExtendedStyle(tree_, TVS_EX_DOUBLEBUFFER, TVS_EX_DOUBLEBUFFER);
  TreeView_SetIndent(tree_, Scale(kTreeIndent));
  // One row of the tree is one row bitmap, drawn without stretching.
  TreeView_SetItemHeight(tree_, rowHeight_);
  view_ = std::make_unique<CWin32TreeView>(tree_);
  SetNotifyReceiver(tree_, this);
  SetWindowSubclass(tree_, &CCategoriesPanel::CategoriesTreeProc, 0,
                    reinterpret_cast<DWORD_PTR>(this));
}

void CCategoriesPanel::OnDpiChanged(int dpi) {
  dpi_ = dpi;
  MakeRowResources();
  SendMessageW(tree_, WM_SETFONT, reinterpret_cast<WPARAM>(treeFont_.get()), FALSE);
  TreeView_SetIndent(tree_, Scale(kTreeIndent));
  TreeView_SetItemHeight(tree_, rowHeight_);
}

void CCategoriesPanel::Close() {
  canvas_.reset();
}

int CCategoriesPanel::Scale(int designValue) const {
  return ScaleToDpi(designValue, dpi_);
}

bool CCategoriesPanel::OnReflectedNotify(NMHDR& header, LRESULT& result) {
  switch (header.code) {
    case NM_CUSTOMDRAW:
      result = CategoriesTreeCustomDraw(reinterpret_cast<NMTVCUSTOMDRAW*>(&header));
      return true;
    case TVN_SELCHANGEDW:
      UpdateCategoryButtons();
      return false;
    case NM_DBLCLK:
      // Answered (nonzero) keeps the tree from toggling the row itself.
      result = CategoriesTreeDblClick() ? TRUE : FALSE;
      return true;
    default:
      return false;
  }
}

void CCategoriesPanel::Refresh() {
  if (view_ == nullptr || handler_ == nullptr) return;
  root_.ClearMarks();
  root_.marked = true;
  PopulateCategories(*handler_, root_, 0, view_.get(), false);
  root_.PruneUnmarked(view_.get());
  // A row's text is drawn from its node, so renamed rows must be drawn again.
  InvalidateRect(tree_, nullptr, TRUE);
  UpdateCategoryButtons();
}

CItemNode* CCategoriesPanel::SelectedNode() const {
  if (view_ == nullptr) return nullptr;
  return static_cast<CItemNode*>(view_->RowData(view_->Selected()));
}

void CCategoriesPanel::UpdateCategoryButtons() {
  if (view_ == nullptr) return;
  TTreeNode* selected = view_->Selected();
  const CCategoryButtons buttons =
      CategoryButtonsFor(selected != nullptr, view_->HasParentRow(selected));
  EnableWindow(FindDialogControl(dialog_, kIdAddChildCategory), buttons.addChild);
  EnableWindow(FindDialogControl(dialog_, kIdEditCategory), buttons.edit);
  EnableWindow(FindDialogControl(dialog_, kIdDeleteCategory), buttons.remove);
}

LRESULT CCategoriesPanel::CategoriesTreeCustomDraw(NMTVCUSTOMDRAW* draw) {
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      // CategoriesTreeGetSelectedIndex: the buttons follow the selection whenever the tree
      // paints.
      UpdateCategoryButtons();
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      DrawCategoryRow(draw->nmcd.hdc, reinterpret_cast<HTREEITEM>(draw->nmcd.dwItemSpec),
                      reinterpret_cast<const CItemNode*>(draw->nmcd.lItemlParam));
      return CDRF_SKIPDEFAULT;
    default:
      return CDRF_DODEFAULT;
  }
}

void CCategoriesPanel::DrawCategoryRow(HDC target, HTREEITEM item, const CItemNode* node) {
  if (node == nullptr || canvas_ == nullptr || !canvas_->Usable()) return;
  RECT row{};
  if (!TreeView_GetItemRect(tree_, item, &row, FALSE)) return;
  // Wine reports a row one pixel lower than the item height; the row's line is the item's.
  row.bottom = std::max<LONG>(row.bottom, row.top + TreeView_GetItemHeight(tree_));
  const int width = row.right - row.left;
  if (width < 1 || !canvas_->SizeTo(width)) return;
  HDC dc = canvas_->Dc();
  const bool selected = (TreeView_GetItemState(tree_, item, TVIS_SELECTED) & TVIS_SELECTED) != 0;
  const bool hasParent = TreeView_GetParent(tree_, item) != nullptr;
  const CSettingsRowLook look = SettingsRowLook(selected, hasParent);

  canvas_->DrawSkinBand(look.band);
  if (rowIcons_ != nullptr) {
    ImageList_Draw(rowIcons_, node->iconIndex, dc, Scale(look.iconX), Scale(look.iconY),
                   ILD_TRANSPARENT);
  }
  SelectGuard font(dc, look.bold ? rowBoldFont_.get() : rowFont_.get());
  SetTextColor(dc, look.whiteText ? RGB(255, 255, 255) : RGB(0, 0, 0));
  // The name as UTF-16, drawn with the wide API.
  TextOutW(dc, Scale(look.textX), Scale(look.textY), AsWide(node->caption.c_str()),
           static_cast<int>(node->caption.size()));
  canvas_->CopyTo(target, row);
}

void CCategoriesPanel::CategoriesTreeMouseDown(POINT point) {
  TVHITTESTINFO hit{};
  hit.pt = point;
  if (HTREEITEM item = TreeView_HitTest(tree_, &hit)) TreeView_SelectItem(tree_, item);
}

LRESULT CALLBACK CCategoriesPanel::CategoriesTreeProc(HWND tree, UINT message, WPARAM wParam,
                                                      LPARAM lParam, UINT_PTR id, DWORD_PTR panel) {
  return GuardedProcedure(LRESULT{0}, [&] {
    switch (message) {
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
        // Before the tree's own handling, which selects on the left button only over a row's
        // text (these rows have none: they are drawn from their nodes) and on the others not
        // at all.
        reinterpret_cast<CCategoriesPanel*>(panel)->CategoriesTreeMouseDown(
            {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        break;
      case WM_NCDESTROY:
        SetNotifyReceiver(tree, nullptr);
        RemoveWindowSubclass(tree, &CCategoriesPanel::CategoriesTreeProc, id);
        break;
      default:
        break;
    }
    return DefSubclassProc(tree, message, wParam, lParam);
  });
}

bool CCategoriesPanel::CategoriesTreeDblClick() {
  HTREEITEM selected = TreeView_GetSelection(tree_);
  const bool expanded = selected != nullptr &&
                        (TreeView_GetItemState(tree_, selected, TVIS_EXPANDED) & TVIS_EXPANDED);
  const bool hasChildren = selected != nullptr && TreeView_GetChild(tree_, selected) != nullptr;
  switch (CategoryDoubleClick(selected != nullptr, hasChildren, expanded)) {
    case ECategoryDoubleClick::kEdit:
      BtEditClick();
      return true;
    case ECategoryDoubleClick::kExpand:
      TreeView_Expand(tree_, selected, TVE_EXPAND);
      return true;
    case ECategoryDoubleClick::kNothing:
      break;
  }
  return false;
}

void CCategoriesPanel::EditCategory(int categoryId, int parentId) {
  TEditCategoryForm editor(dialog_, *handler_);
  if (editor.ExecuteEditor(rowIcons_, categoryId, parentId)) Refresh();
  SetFocus(tree_);
}

void CCategoriesPanel::BtAddClick() {
  EditCategory(0, 0);
}

void CCategoriesPanel::BtAddChildClick() {
  if (const CItemNode* node = SelectedNode()) EditCategory(0, static_cast<int>(node->id));
}

void CCategoriesPanel::BtEditClick() {
  // End any drag in the tree without dropping (the tree starts none, but a capture would
  // outlive the editor).
  if (GetCapture() == tree_) ReleaseCapture();
  if (const CItemNode* node = SelectedNode()) EditCategory(static_cast<int>(node->id), 0);
}

void CCategoriesPanel::BtDeleteClick() {
  const CItemNode* node = SelectedNode();
  if (node == nullptr) return;
  const int id = static_cast<int>(node->id);
  if (AskYesNo(dialog_, DeleteCategoryQuestion(node->caption)) &&
      handler_->DeleteCategoryWithClips(id) >= 0) {
    Refresh();
  }
  SetFocus(tree_);
}
