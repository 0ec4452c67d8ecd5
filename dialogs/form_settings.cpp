#include "dialogs/form_settings.h"

#include <windowsx.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "categories/clipboard_handler.h"
#include "dialogs/category_icons.h"
#include "dialogs/common_controls.h"
#include "dialogs/edit_category_form.h"
#include "foundation/error_box.h"
#include "foundation/logon_start.h"
#include "foundation/question_box.h"
#include "foundation/settings_keys.h"
#include "foundation/settings_storage.h"
#include "foundation/skin_image.h"
#include "platform/win32/dpi.h"
#include "platform/win32/window.h"

namespace {

// Design values at 96 dots per inch. Positions on a page are relative to the
// page; those "in" a group box are relative to the box and get its place added.
constexpr int kGroupPopupLeft = 16, kGroupPopupTop = 16;  // GroupBox2
constexpr int kGroupSizeLeft = 16, kGroupSizeTop = 16;    // GroupBox1
constexpr int kQuickPasteTop = 137;                       // RGQuickPasteMode
constexpr int kTreeIndent = 42;

constexpr const wchar_t* kPageCaptions[] = {L"Hotkeys", L"Clipboard", L"Custom categories"};
constexpr std::array<int, CSettingsPages::kCount> kPageIds = {kIdPageHotkeys, kIdPageClipboard,
                                                              kIdPageCategories};

int SpinPosition(HWND spin) {
  BOOL failed = FALSE;
  return static_cast<int>(SendMessageW(spin, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
}

bool IsChecked(HWND button) {
  return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace

TFormSettings::TFormSettings(HWND owner) : owner_(owner) {
  SetForm(L"Settings", 393, 369, L"Arial", -13);
  root_.isCategory = true;
}

TFormSettings::~TFormSettings() = default;

bool TFormSettings::ExecuteSettings(HIMAGELIST categoryIcons) {
  EnsureCommonControls();
  categoryIcons_ = categoryIcons;
  handler_ = &GetHandler();
  skin_ = &Settings::SettingsInstance().GetSkin();
  values_ = LoadSettingsFormValues(Settings::SettingsInstance());
  const CLogonStart logonStart = CLogonStart::ForRunningProgram();
  startWithWindowsShown_ = startWithWindows_ = logonStart.IsOn();

  const INT_PTR result = Run(owner_);

  rowDc_.reset();
  rowBitmap_.reset();
  rowWidth_ = 0;
  if (result != IDOK) return false;
  Settings::CSettingsStorage& store = Settings::SettingsInstance();
  const std::vector<std::string> unsaved = SaveSettingsFormValues(store, values_);
  if (!unsaved.empty()) {
    // This says all the run's notice would: the user is not told twice.
    store.TakeUnsavedNotice();
    const std::u8string file = store.FileName().u8string();
    ShowErrorBox(UnsavedSettingsMessage(unsaved, std::string(file.begin(), file.end())));
  }
  // Only a change is written: an untouched box leaves a value that starts another copy.
  if (startWithWindows_ != startWithWindowsShown_ && !logonStart.Set(startWithWindows_)) {
    ShowErrorBox("Quillery could not change whether it starts with Windows: the registry "
                 "refused the change.");
  }
  return true;
}

// ---- Building the dialog ----

bool TFormSettings::OnInit() {
  // Rows left by an earlier showing went with that showing's tree.
  root_.Clear();
  root_.isCategory = true;

  skinBitmap_ = skin_->CreateHandle();
  skinDc_.reset(CreateCompatibleDC(nullptr));
  SelectObject(skinDc_.get(), skinBitmap_.get());
  rowDc_.reset(CreateCompatibleDC(nullptr));
  MakeRowResources();

  HWND tab =
      AddControl(WC_TABCONTROLW, {}, WS_TABSTOP | WS_CLIPSIBLINGS, 8, 8, 377, 321, kIdPageControl);
  for (int i = 0; i < 3; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(kPageCaptions[i]);
    SendMessageW(tab, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  pages_.Make(Handle(), tab, kPageIds, *this);
  MakeHotkeysPage(pages_.Page(0));
  MakeClipboardPage(pages_.Page(1));
  MakeCategoriesPage(pages_.Page(2));

  AddControl(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 224, 336, 75, 25, IDOK);
  AddControl(L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, 304, 336, 75, 25, IDCANCEL);

  LoadControls();
  RefreshCategories();
  pages_.Show(0);
  return false;  // the dialog manager focuses the first control of the first page
}

void TFormSettings::MakeRowResources() {
  rowHeight_ = SettingsRowBitmapHeight(Dpi());
  rowWidth_ = 0;  // the row bitmap is made again at the new height
  const int fontHeight = FontHeightForPoints(kSettingsRowFontPoints, Dpi());
  rowFont_ = MakeFont(L"Tahoma", fontHeight, kDesignDpi);
  rowBoldFont_ = MakeFont(L"Tahoma", fontHeight, kDesignDpi, true);
  treeFont_ = MakeFont(L"Tahoma", -19, Dpi());
  rowIcons_ = CategoryIconsOfSide(categoryIcons_, Scale(kCategoryIconDesignSide), ownIcons_);
}

void TFormSettings::OnDpiChanged() {
  MakeRowResources();
  pages_.PlaceAll();
  SendMessageW(tree_, WM_SETFONT, reinterpret_cast<WPARAM>(treeFont_.get()), FALSE);
  TreeView_SetIndent(tree_, Scale(kTreeIndent));
  TreeView_SetItemHeight(tree_, rowHeight_);
}

bool TFormSettings::OnPageCommand(int id, int code, HWND control) {
  return OnCommand(id, code, control);
}

LRESULT TFormSettings::OnPageNotify(NMHDR* header, bool& handled) {
  return OnNotify(header, handled);
}

HWND TFormSettings::AddSpin(HWND page, int editId, int spinId, int x, int y, SpinRange range,
                            int position) {
  HWND edit = AddControlTo(page, WC_EDITW, {}, WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER, x, y, 57,
                           24, editId, WS_EX_CLIENTEDGE);
  // Placed at the edit's right edge, the edit narrowed to make room, as the spin's style says.
  HWND spin = AddControlTo(
      page, UPDOWN_CLASSW, {},
      UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS | UDS_HOTTRACK, 0, 0, 0, 0,
      spinId);
  SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
  SendMessageW(spin, UDM_SETRANGE32, range.min, range.max);
  SendMessageW(spin, UDM_SETPOS32, 0, position);
  return edit;
}

void TFormSettings::MakeHotkeysPage(HWND page) {
  const int gx = kGroupPopupLeft;
  const int gy = kGroupPopupTop;
  AddControlTo(page, L"BUTTON", L"Popup window", BS_GROUPBOX, gx, gy, 337, 113, -1);
  AddControlTo(page, L"STATIC", L"Primary", SS_LEFT, gx + 24, gy + 32, 140, 16, -1);
  HWND primary = AddControlTo(page, WC_COMBOBOXW, {}, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                              gx + 176, gy + 29, 147, 150, kIdPriHotKey);
  for (const wchar_t* item :
       {L"None", L"Shift + Mouse click", L"Ctrl + Mouse click", L"Alt + Mouse click"}) {
    SendMessageW(primary, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  AddControlTo(page, L"STATIC", L"Secondary", SS_LEFT, gx + 24, gy + 72, 140, 16, -1);
  HWND secondary = AddControlTo(page, HOTKEY_CLASSW, {}, WS_TABSTOP, gx + 176, gy + 70, 147, 24,
                                kIdSecondaryHotKey);
  SendMessageW(secondary, HKM_SETRULES, kSecondaryHotKeyInvalidCombinations,
               MAKELPARAM(kSecondaryHotKeyReplacementModifiers, 0));

  // RGQuickPasteMode: a group box holding three radio buttons, spread over its height. It
  // stands 8 pixels below the popup's group, leaving room for the paste method below it.
  const int quickTop = kQuickPasteTop;
  AddControlTo(page, L"BUTTON", L"Quick paste", BS_GROUPBOX, 16, quickTop, 337, 121, -1);
  const wchar_t* modes[] = {L"None", L"Ctrl+Number - clipboard. Alt+Number - notes",
                            L"Alt+Number - clipboard. Ctrl+Number - notes"};
  const int modeIds[] = {kIdQuickPasteNone, kIdQuickPasteCtrlHistory, kIdQuickPasteAltHistory};
  for (int i = 0; i < 3; ++i) {
    const DWORD first = i == 0 ? WS_GROUP | WS_TABSTOP : 0;
    AddControlTo(page, L"BUTTON", modes[i], BS_AUTORADIOBUTTON | first, 16 + 10,
                 quickTop + 20 + i * 32, 317, 24, modeIds[i]);
  }

  // CBPasteMethod: how quick paste, the clips' hot keys and the popup paste.
  const int pasteTop = quickTop + 121 + 8;
  AddControlTo(page, L"STATIC", L"Paste with", SS_LEFT, 16 + 8, pasteTop + 3, 140, 16, -1);
  HWND method = AddControlTo(page, WC_COMBOBOXW, {}, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                             gx + 176, pasteTop, 161, 150, kIdPasteMethod);
  for (const char16_t* item : kPasteMethodItems) {
    SendMessageW(method, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
}

void TFormSettings::MakeClipboardPage(HWND page) {
  const int gx = kGroupSizeLeft;
  const int gy = kGroupSizeTop;
  AddControlTo(page, L"BUTTON", L"Popup window size", BS_GROUPBOX, gx, gy, 337, 73, -1);
  AddControlTo(page, L"STATIC", L"Width", SS_LEFT, gx + 16, gy + 32, 60, 16, -1);
  AddSpin(page, kIdWidth, kIdWidthSpin, gx + 80, gy + 29, kWidthSpinRange, values_.windowWidth);
  AddControlTo(page, L"STATIC", L"Height", SS_LEFT, gx + 184, gy + 32, 60, 16, -1);
  AddSpin(page, kIdHeight, kIdHeightSpin, gx + 249, gy + 29, kHeightSpinRange,
          values_.windowHeight);

  AddControlTo(page, L"STATIC", L"History storage capacity", SS_LEFT, 32, 120, 220, 16, -1);
  AddSpin(page, kIdCapacity, kIdCapacitySpin, 265, 117, kCapacitySpinRange, values_.capacity);
  AddControlTo(page, L"BUTTON", L"Show clipboard monitor", WS_TABSTOP | BS_AUTOCHECKBOX, 32, 166,
               306, 17, kIdShowMonitor);
  AddControlTo(page, L"STATIC", L"Monitor transparency", SS_LEFT, 32, 208, 220, 16, -1);
  AddSpin(page, kIdTransparency, kIdTransparencySpin, 265, 205, kTransparencySpinRange,
          values_.transparency);
  AddControlTo(page, L"BUTTON", L"Start with Windows", WS_TABSTOP | BS_AUTOCHECKBOX, 32, 246,
               306, 17, kIdStartWithWindows);
}

void TFormSettings::MakeCategoriesPage(HWND page) {
  tree_ = AddControlTo(page, WC_TREEVIEWW, {},
                       WS_TABSTOP | TVS_SHOWSELALWAYS | TVS_SINGLEEXPAND | TVS_NOTOOLTIPS |
                           TVS_DISABLEDRAGDROP | TVS_HASBUTTONS,
                       17, 24, 232, 249, kIdCategoriesTree, WS_EX_CLIENTEDGE);
  SendMessageW(tree_, WM_SETFONT, reinterpret_cast<WPARAM>(treeFont_.get()), FALSE);
  TreeView_SetExtendedStyle(tree_, TVS_EX_DOUBLEBUFFER, TVS_EX_DOUBLEBUFFER);
  TreeView_SetIndent(tree_, Scale(kTreeIndent));
  // One row of the tree is one row bitmap, drawn without stretching.
  TreeView_SetItemHeight(tree_, rowHeight_);
  view_ = std::make_unique<CWin32TreeView>(tree_);
  SetWindowSubclass(tree_, &TFormSettings::CategoriesTreeProc, 0, reinterpret_cast<DWORD_PTR>(this));

  AddControlTo(page, L"BUTTON", L"Add", WS_TABSTOP, 264, 24, 94, 25, kIdAddCategory);
  AddControlTo(page, L"BUTTON", L"Add child", WS_TABSTOP, 264, 56, 94, 25, kIdAddChildCategory);
  AddControlTo(page, L"BUTTON", L"Edit", WS_TABSTOP, 264, 88, 94, 25, kIdEditCategory);
  AddControlTo(page, L"BUTTON", L"Delete", WS_TABSTOP, 264, 120, 94, 25, kIdDeleteCategory);
}

// ---- Settings: loaded into the controls, read back on OK ----

void TFormSettings::LoadControls() {
  HWND dialog = Handle();
  SendMessageW(FindDialogControl(dialog, kIdSecondaryHotKey), HKM_SETHOTKEY,
               HotKeyControlValueFromKeyCombination(values_.secondaryHotKey), 0);
  const int modeIds[] = {kIdQuickPasteNone, kIdQuickPasteCtrlHistory, kIdQuickPasteAltHistory};
  for (int i = 0; i < 3; ++i) {
    SendMessageW(FindDialogControl(dialog, modeIds[i]), BM_SETCHECK,
                 i == values_.quickPasteMode ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  SendMessageW(FindDialogControl(dialog, kIdShowMonitor), BM_SETCHECK,
               values_.showMonitor ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageW(FindDialogControl(dialog, kIdPriHotKey), CB_SETCURSEL, values_.primaryHotKeyItem, 0);
  SendMessageW(FindDialogControl(dialog, kIdStartWithWindows), BM_SETCHECK,
               startWithWindows_ ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageW(FindDialogControl(dialog, kIdPasteMethod), CB_SETCURSEL, values_.pasteMethod, 0);
  UpdateTransparencyEnabling();
}

void TFormSettings::UpdateTransparencyEnabling() {
  const bool enabled = TransparencyEnabled(IsChecked(FindDialogControl(Handle(), kIdShowMonitor)));
  EnableWindow(FindDialogControl(Handle(), kIdTransparency), enabled);
  EnableWindow(FindDialogControl(Handle(), kIdTransparencySpin), enabled);
}

bool TFormSettings::OnOk() {
  HWND dialog = Handle();
  values_.windowWidth = SpinPosition(FindDialogControl(dialog, kIdWidthSpin));
  values_.windowHeight = SpinPosition(FindDialogControl(dialog, kIdHeightSpin));
  values_.secondaryHotKey = KeyCombinationFromHotKeyControl(static_cast<std::uint16_t>(
      SendMessageW(FindDialogControl(dialog, kIdSecondaryHotKey), HKM_GETHOTKEY, 0, 0)));
  values_.quickPasteMode = 0;
  const int modeIds[] = {kIdQuickPasteNone, kIdQuickPasteCtrlHistory, kIdQuickPasteAltHistory};
  for (int i = 0; i < 3; ++i) {
    if (IsChecked(FindDialogControl(dialog, modeIds[i]))) values_.quickPasteMode = i;
  }
  values_.capacity = SpinPosition(FindDialogControl(dialog, kIdCapacitySpin));
  values_.showMonitor = IsChecked(FindDialogControl(dialog, kIdShowMonitor));
  values_.transparency = SpinPosition(FindDialogControl(dialog, kIdTransparencySpin));
  const LRESULT primary = SendMessageW(FindDialogControl(dialog, kIdPriHotKey), CB_GETCURSEL, 0, 0);
  values_.primaryHotKeyItem = primary == CB_ERR ? kPrimaryNone : static_cast<int>(primary);
  startWithWindows_ = IsChecked(FindDialogControl(dialog, kIdStartWithWindows));
  const LRESULT method = SendMessageW(FindDialogControl(dialog, kIdPasteMethod), CB_GETCURSEL, 0, 0);
  values_.pasteMethod = method == CB_ERR ? Settings::kPasteMethodDefault : static_cast<int>(method);
  return true;
}

bool TFormSettings::OnCommand(int id, int code, HWND control) {
  if (code == BN_CLICKED) {
    switch (id) {
      case kIdShowMonitor:
        UpdateTransparencyEnabling();
        return true;
      case kIdAddCategory:
        BtAddClick();
        return true;
      case kIdAddChildCategory:
        BtAddChildClick();
        return true;
      case kIdEditCategory:
        BtEditClick();
        return true;
      case kIdDeleteCategory:
        BtDeleteClick();
        return true;
      default:
        break;
    }
  }
  return CModalDialog::OnCommand(id, code, control);
}

LRESULT TFormSettings::OnNotify(NMHDR* header, bool& handled) {
  handled = false;
  if (header->idFrom == kIdPageControl && header->code == TCN_SELCHANGE) {
    pages_.Show(TabCtrl_GetCurSel(header->hwndFrom));
    handled = true;
    return 0;
  }
  if (header->idFrom != kIdCategoriesTree) return 0;
  switch (header->code) {
    case NM_CUSTOMDRAW:
      handled = true;
      return CategoriesTreeCustomDraw(reinterpret_cast<NMTVCUSTOMDRAW*>(header));
    case TVN_SELCHANGEDW:
      UpdateCategoryButtons();
      return 0;
    case NM_DBLCLK:
      // Handled (nonzero) keeps the tree from toggling the row itself.
      handled = true;
      return CategoriesTreeDblClick() ? TRUE : FALSE;
    default:
      return 0;
  }
}

// ---- The category tree ----

void TFormSettings::RefreshCategories() {
  if (view_ == nullptr || handler_ == nullptr) return;
  root_.ClearMarks();
  root_.marked = true;
  PopulateCategories(*handler_, root_, 0, view_.get(), false);
  root_.PruneUnmarked(view_.get());
  // A row's text is drawn from its node, so renamed rows must be drawn again.
  InvalidateRect(tree_, nullptr, TRUE);
  UpdateCategoryButtons();
}

CItemNode* TFormSettings::SelectedNode() const {
  if (view_ == nullptr) return nullptr;
  return static_cast<CItemNode*>(view_->RowData(view_->Selected()));
}

void TFormSettings::UpdateCategoryButtons() {
  if (view_ == nullptr) return;
  TTreeNode* selected = view_->Selected();
  const CCategoryButtons buttons =
      CategoryButtonsFor(selected != nullptr, view_->HasParentRow(selected));
  EnableWindow(FindDialogControl(Handle(), kIdAddChildCategory), buttons.addChild);
  EnableWindow(FindDialogControl(Handle(), kIdEditCategory), buttons.edit);
  EnableWindow(FindDialogControl(Handle(), kIdDeleteCategory), buttons.remove);
}

LRESULT TFormSettings::CategoriesTreeCustomDraw(NMTVCUSTOMDRAW* draw) {
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

void TFormSettings::DrawCategoryRow(HDC target, HTREEITEM item, const CItemNode* node) {
  if (node == nullptr || !rowDc_ || !skinDc_) return;
  RECT row{};
  if (!TreeView_GetItemRect(tree_, item, &row, FALSE)) return;
  // Wine reports a row one pixel lower than the item height; the row's line is the item's.
  row.bottom = std::max<LONG>(row.bottom, row.top + TreeView_GetItemHeight(tree_));
  const int width = row.right - row.left;
  if (width < 1) return;
  if (width != rowWidth_) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = rowHeight_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return;
    SelectObject(rowDc_.get(), bitmap.get());
    rowBitmap_ = std::move(bitmap);  // the one before is no longer selected
    rowWidth_ = width;
  }
  HDC dc = rowDc_.get();
  const bool selected = (TreeView_GetItemState(tree_, item, TVIS_SELECTED) & TVIS_SELECTED) != 0;
  const bool hasParent = TreeView_GetParent(tree_, item) != nullptr;
  const CSettingsRowLook look = SettingsRowLook(selected, hasParent);

  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, 0, 0, width, rowHeight_, skinDc_.get(), 0, look.band * kSkinBandRows,
             skin_->Width(), kSkinBandRows, SRCCOPY);
  if (rowIcons_ != nullptr) {
    ImageList_Draw(rowIcons_, node->iconIndex, dc, Scale(look.iconX), Scale(look.iconY),
                   ILD_TRANSPARENT);
  }
  SelectGuard font(dc, look.bold ? rowBoldFont_.get() : rowFont_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look.whiteText ? RGB(255, 255, 255) : RGB(0, 0, 0));
  // The name as UTF-16, drawn with the wide API.
  TextOutW(dc, Scale(look.textX), Scale(look.textY), AsWide(node->caption.c_str()),
           static_cast<int>(node->caption.size()));
  SetStretchBltMode(target, COLORONCOLOR);
  StretchBlt(target, row.left, row.top, width, row.bottom - row.top, dc, 0, 0, width, rowHeight_,
             SRCCOPY);
}

void TFormSettings::CategoriesTreeMouseDown(POINT point) {
  TVHITTESTINFO hit{};
  hit.pt = point;
  if (HTREEITEM item = TreeView_HitTest(tree_, &hit)) TreeView_SelectItem(tree_, item);
}

LRESULT CALLBACK TFormSettings::CategoriesTreeProc(HWND tree, UINT message, WPARAM wParam,
                                                   LPARAM lParam, UINT_PTR id, DWORD_PTR form) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      // Before the tree's own handling, which selects on the left button only over a row's
      // text (these rows have none: they are drawn from their nodes) and on the others not
      // at all.
      reinterpret_cast<TFormSettings*>(form)->CategoriesTreeMouseDown(
          {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(tree, &TFormSettings::CategoriesTreeProc, id);
      break;
    default:
      break;
  }
  return DefSubclassProc(tree, message, wParam, lParam);
}

bool TFormSettings::CategoriesTreeDblClick() {
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

void TFormSettings::EditCategory(int categoryId, int parentId) {
  TEditCategoryForm editor(Handle());
  if (editor.ExecuteEditor(rowIcons_, categoryId, parentId)) RefreshCategories();
  SetFocus(tree_);
}

void TFormSettings::BtAddClick() {
  EditCategory(0, 0);
}

void TFormSettings::BtAddChildClick() {
  if (const CItemNode* node = SelectedNode()) EditCategory(0, static_cast<int>(node->id));
}

void TFormSettings::BtEditClick() {
  // End any drag in the tree without dropping (the tree starts none, but a capture would
  // outlive the editor).
  if (GetCapture() == tree_) ReleaseCapture();
  if (const CItemNode* node = SelectedNode()) EditCategory(static_cast<int>(node->id), 0);
}

void TFormSettings::BtDeleteClick() {
  const CItemNode* node = SelectedNode();
  if (node == nullptr) return;
  const int id = static_cast<int>(node->id);
  if (AskYesNo(Handle(), DeleteCategoryQuestion(node->caption)) && handler_->DeleteCategory(id)) {
    RefreshCategories();
  }
  SetFocus(tree_);
}
