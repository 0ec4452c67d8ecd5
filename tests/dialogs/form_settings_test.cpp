// The settings dialog for real, under Wine: opened, driven through its controls, closed with
// OK or Cancel; then the settings file and the category model are checked.

#include "dialogs/win32/form_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "categories/clipboard_handler.h"
#include "dialogs/hot_key_value.h"
#include "dialogs/settings_form_rules.h"
#include "dialogs/win32/category_icons.h"
#include "dialogs/win32/edit_category_form.h"
#include "dialogs/win32/icons_grid.h"
#include "foundation/question_box.h"
#include "foundation/settings_keys.h"
#include "foundation/settings_storage.h"
#include "foundation/skin_image.h"
#include "platform/win32/dpi.h"
#include "tests/dialogs/dialog_script.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace Settings;

int SpinValue(HWND dialog, int spinId) {
  return static_cast<int>(SendMessageW(Control(dialog, spinId), UDM_GETPOS32, 0, 0));
}

// Shown by its own style: the driver runs before the dialog itself first shows.
bool Shown(HWND window) {
  return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool Enabled(HWND dialog, int id) {
  return IsWindowEnabled(Control(dialog, id)) != FALSE;
}

HWND Tree(HWND dialog) {
  return Control(dialog, kIdCategoriesTree);
}

std::vector<HTREEITEM> Rows(HWND tree, HTREEITEM parent = nullptr) {
  std::vector<HTREEITEM> rows;
  HTREEITEM row = parent == nullptr ? TreeView_GetRoot(tree) : TreeView_GetChild(tree, parent);
  for (; row != nullptr; row = TreeView_GetNextSibling(tree, row)) rows.push_back(row);
  return rows;
}

const CItemNode* RowNode(HWND tree, HTREEITEM row) {
  TVITEMW item{};
  item.mask = TVIF_HANDLE | TVIF_PARAM;
  item.hItem = row;
  TreeView_GetItem(tree, &item);
  return reinterpret_cast<const CItemNode*>(item.lParam);
}

std::u16string RowCaption(HWND tree, HTREEITEM row) {
  return RowNode(tree, row)->caption;
}

void ShowCategoriesPage(HWND dialog) {
  HWND tab = Control(dialog, kIdPageControl);
  TabCtrl_SetCurFocus(tab, 2);
  if (!Shown(Control(dialog, kIdPageCategories))) {
    // Should a tab control not report the change, the page is shown as a click would.
    TabCtrl_SetCurSel(tab, 2);
    NMHDR header{tab, static_cast<UINT_PTR>(kIdPageControl), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(dialog, WM_NOTIFY, kIdPageControl, reinterpret_cast<LPARAM>(&header));
  }
}

class FormSettingsTest : public ::testing::Test {
 protected:
  ~FormSettingsTest() override {
    SetQuestionBoxHandler(nullptr);
    ReleaseHandler();
    ReleaseSettings();
  }

  bool Execute() {
    TFormSettings form(nullptr, handler, settings);
    return form.ExecuteSettings(icons.get());
  }

  int Stored(std::string_view key) const { return settings.GetInt(key, -12345); }

  int AddCategory(std::u16string name, int parentId = 0, int iconIndex = 0) {
    CCategory category;
    category.name = std::move(name);
    category.parentId = parentId;
    category.iconIndex = iconIndex;
    return handler.AddCategory(category);
  }

  void ExpectNoStrayDialogs() {
    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_EQ(script.Unexpected(), 0);
  }

  CTempFolder folder;
  // The dialog's own store and category model, not the process-wide ones.
  CSettingsStorage settings{folder.Path() / "quillery.ini", true};
  CClipboardHandler handler;
  UniqueImageList icons = LoadCategoriesIcons();
  CDialogScript script;
};

// ---- Settings ----

TEST_F(FormSettingsTest, OpensWithTheDefaultsAndOkStoresThem) {
  script.Then([](HWND dialog) {
    EXPECT_EQ(Text(dialog), u"Settings");
    EXPECT_EQ(SpinValue(dialog, kIdWidthSpin), 200);
    EXPECT_EQ(Text(Control(dialog, kIdHeight)), u"390");
    EXPECT_EQ(SpinValue(dialog, kIdCapacitySpin), 12);
    EXPECT_EQ(SpinValue(dialog, kIdTransparencySpin), 200);
    EXPECT_EQ(SendMessageW(Control(dialog, kIdPriHotKey), CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(Text(Control(dialog, kIdPasteMethod)), u"Automatic");
    EXPECT_TRUE(Checked(dialog, kIdQuickPasteCtrlHistory));
    EXPECT_TRUE(Checked(dialog, kIdShowMonitor));
    EXPECT_TRUE(Shown(Control(dialog, kIdPageHotkeys)));
    Click(dialog, IDOK);
  });
  EXPECT_TRUE(Execute());
  ExpectNoStrayDialogs();
  EXPECT_EQ(Stored(kWindowWidth), 200);
  EXPECT_EQ(Stored(kWindowHeight), 390);
  EXPECT_EQ(Stored(kSecHotKeyValue), 0xC056);
  EXPECT_EQ(Stored(kQuickPasteMode), 1);
  EXPECT_EQ(Stored(kClipboardCapacity), 12);
  EXPECT_EQ(Stored(kClipboardMonitorVisible), 1);
  EXPECT_EQ(Stored(kWindowTransparency), 200);
  EXPECT_EQ(Stored(kPriHotKeyValue), 0x4001);
  EXPECT_EQ(Stored(kPasteMethod), 0);
}

// The paste method sits on the hot-key page, below the quick-paste group and inside it.
TEST_F(FormSettingsTest, ThePasteMethodListIsOnTheHotKeyPageAndFitsIt) {
  settings.SetInt(kPasteMethod, 7);  // clamped to the last item
  script.Then([](HWND dialog) {
    HWND list = Control(dialog, kIdPasteMethod);
    EXPECT_EQ(GetParent(list), Control(dialog, kIdPageHotkeys));
    EXPECT_EQ(Text(list), u"Paste message (WM_PASTE)");
    EXPECT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 4);
    RECT page{};
    RECT box{};
    GetWindowRect(GetParent(list), &page);
    GetWindowRect(list, &box);
    EXPECT_LE(box.bottom, page.bottom);
    RECT quickPaste{};
    GetWindowRect(Control(dialog, kIdQuickPasteAltHistory), &quickPaste);
    EXPECT_GT(box.top, quickPaste.bottom);
    SendMessageW(list, CB_SETCURSEL, 2, 0);
    Click(dialog, IDOK);
  });
  EXPECT_TRUE(Execute());
  EXPECT_EQ(Stored(kPasteMethod), 2);
}

// The selection field shows every item whole, the longest "Paste message (WM_PASTE)" too.
TEST_F(FormSettingsTest, ThePasteMethodListShowsItsLongestItemWhole) {
  script.Then([](HWND dialog) {
    HWND list = Control(dialog, kIdPasteMethod);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(list, &info));
    HDC dc = GetDC(list);
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    for (const char16_t* item : kPasteMethodItems) {
      const std::wstring text(item, item + std::char_traits<char16_t>::length(item));
      SIZE extent{};
      GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
      EXPECT_GE(info.rcItem.right - info.rcItem.left, extent.cx)
          << std::string(text.begin(), text.end());
    }
    SelectObject(dc, previous);
    ReleaseDC(list, dc);
    Click(dialog, IDCANCEL);
  });
  EXPECT_FALSE(Execute());
}

// "Show list" sits with the other hot-key controls and keeps "ListHotKeyValue".
TEST_F(FormSettingsTest, TheListHotKeyFieldShowsTheStoredKeyAndOkStoresTheOneTyped) {
  settings.SetInt(kListHotKeyValue, kKeyCtrl | kKeyShift | 'L');
  script.Then([](HWND dialog) {
    HWND field = Control(dialog, kIdListHotKey);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(GetParent(field), Control(dialog, kIdPageHotkeys));
    EXPECT_EQ(LOWORD(SendMessageW(field, HKM_GETHOTKEY, 0, 0)),
              HotKeyControlValueFromKeyCombination(kKeyCtrl | kKeyShift | 'L'));
    SendMessageW(field, HKM_SETHOTKEY,
                 HotKeyControlValueFromKeyCombination(kKeyCtrl | kKeyAlt | 'K'), 0);
    Click(dialog, IDOK);
  });
  EXPECT_TRUE(Execute());
  EXPECT_EQ(Stored(kListHotKeyValue), kKeyCtrl | kKeyAlt | 'K');
}

TEST_F(FormSettingsTest, TheHotKeyControlRoundTripsCtrlAltV) {
  script.Then([](HWND dialog) {
    const auto value = SendMessageW(Control(dialog, kIdSecondaryHotKey), HKM_GETHOTKEY, 0, 0);
    EXPECT_EQ(LOWORD(value), 0x0656);  // Ctrl+Alt (HOTKEYF_CONTROL | HOTKEYF_ALT) with V
    Click(dialog, IDOK);
  });
  EXPECT_TRUE(Execute());
  EXPECT_EQ(Stored(kSecHotKeyValue), 0xC056);
}

TEST_F(FormSettingsTest, CtrlWithTheRightButtonShowsNoneAndOkStoresZero) {
  settings.SetInt(kPriHotKeyValue, 0x4002);
  script.Then([](HWND dialog) {
    HWND list = Control(dialog, kIdPriHotKey);
    EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(Text(list), u"None");
    Click(dialog, IDOK);
  });
  EXPECT_TRUE(Execute());
  EXPECT_EQ(Stored(kPriHotKeyValue), 0);
}

TEST_F(FormSettingsTest, ACapacityOfTwoShowsThreeAndOkStoresThree) {
  settings.SetInt(kClipboardCapacity, 2);
  script.Then([](HWND dialog) {
    EXPECT_EQ(Text(Control(dialog, kIdCapacity)), u"3");
    Click(dialog, IDOK);
  });
  EXPECT_TRUE(Execute());
  EXPECT_EQ(Stored(kClipboardCapacity), 3);
}

TEST_F(FormSettingsTest, CancelWritesNothing) {
  settings.SetInt(kClipboardCapacity, 2);
  script.Then([](HWND dialog) {
    SetText(Control(dialog, kIdWidth), u"640");
    Click(dialog, IDCANCEL);
  });
  EXPECT_FALSE(Execute());
  ExpectNoStrayDialogs();
  EXPECT_EQ(Stored(kClipboardCapacity), 2);
  EXPECT_EQ(Stored(kWindowWidth), -12345);
  EXPECT_EQ(Stored(kWindowHeight), -12345);
}

TEST_F(FormSettingsTest, ValuesSetThroughTheControlsAreStoredOnOk) {
  script.Then([](HWND dialog) {
    SetText(Control(dialog, kIdWidth), u"640");
    SendMessageW(Control(dialog, kIdHeightSpin), UDM_SETPOS32, 0, 500);
    SetText(Control(dialog, kIdCapacity), u"50");
    SendMessageW(Control(dialog, kIdSecondaryHotKey), HKM_SETHOTKEY, 0x0641, 0);  // Ctrl+Alt+A
    Click(dialog, kIdQuickPasteAltHistory);
    SendMessageW(Control(dialog, kIdPriHotKey), CB_SETCURSEL, 3, 0);
    SendMessageW(Control(dialog, kIdTransparencySpin), UDM_SETPOS32, 0, 99);
    Click(dialog, kIdShowMonitor);
    Click(dialog, IDOK);
  });
  EXPECT_TRUE(Execute());
  EXPECT_EQ(Stored(kWindowWidth), 640);
  EXPECT_EQ(Stored(kWindowHeight), 500);
  EXPECT_EQ(Stored(kClipboardCapacity), 50);
  EXPECT_EQ(Stored(kSecHotKeyValue), 0xC041);
  EXPECT_EQ(Stored(kQuickPasteMode), 2);
  EXPECT_EQ(Stored(kPriHotKeyValue), 0x8001);
  EXPECT_EQ(Stored(kWindowTransparency), 99);
  EXPECT_EQ(Stored(kClipboardMonitorVisible), 0);
}

TEST_F(FormSettingsTest, AnEntryOutOfRangeKeepsTheSpinsPosition) {
  script.Then([](HWND dialog) {
    SetText(Control(dialog, kIdWidth), u"5000");
    Click(dialog, IDOK);
  });
  EXPECT_TRUE(Execute());
  EXPECT_EQ(Stored(kClipboardCapacity), 12);
  EXPECT_EQ(Stored(kWindowWidth), 200);
}

TEST_F(FormSettingsTest, ACapacityOutOfRangeIsToldBesideTheFieldAndOkWaitsForOneInRange) {
  script.Then([](HWND dialog) {
    EXPECT_EQ(Text(Control(dialog, kIdCapacityNote)), u"");
    SetText(Control(dialog, kIdCapacity), u"150000");
    EXPECT_EQ(Text(Control(dialog, kIdCapacityNote)),
              u"150000 is too many: type a number of clips from 3 to 100000.");
    Click(dialog, IDOK);
    // Still open, on the page that shows the field, with the keyboard in it.
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_TRUE(Shown(Control(dialog, kIdPageClipboard)));
    EXPECT_EQ(GetFocus(), Control(dialog, kIdCapacity));
    SetText(Control(dialog, kIdCapacity), u"100000");
    EXPECT_EQ(Text(Control(dialog, kIdCapacityNote)), u"");
    Click(dialog, IDOK);
  });
  EXPECT_TRUE(Execute());
  ExpectNoStrayDialogs();
  EXPECT_EQ(Stored(kClipboardCapacity), 100000);
}

TEST_F(FormSettingsTest, TheCapacityFieldShowsItsLargestValueWhole) {
  settings.SetInt(kClipboardCapacity, 100000);
  script.Then([](HWND dialog) {
    HWND edit = Control(dialog, kIdCapacity);
    EXPECT_EQ(Text(edit), u"100000");
    RECT area{};
    SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    HDC dc = GetDC(edit);
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(edit, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, L"100000", 6, &extent);
    SelectObject(dc, previous);
    ReleaseDC(edit, dc);
    EXPECT_GE(area.right - area.left, extent.cx);
    Click(dialog, IDCANCEL);
  });
  EXPECT_FALSE(Execute());
}

TEST_F(FormSettingsTest, TheTransparencyControlsFollowShowClipboardMonitor) {
  settings.SetInt(kClipboardMonitorVisible, 0);
  script.Then([](HWND dialog) {
    EXPECT_FALSE(Checked(dialog, kIdShowMonitor));
    EXPECT_FALSE(Enabled(dialog, kIdTransparency));
    EXPECT_FALSE(Enabled(dialog, kIdTransparencySpin));
    Click(dialog, kIdShowMonitor);
    EXPECT_TRUE(Enabled(dialog, kIdTransparency));
    EXPECT_TRUE(Enabled(dialog, kIdTransparencySpin));
    Click(dialog, kIdShowMonitor);
    EXPECT_FALSE(Enabled(dialog, kIdTransparency));
    EXPECT_FALSE(Enabled(dialog, kIdTransparencySpin));
    Click(dialog, IDCANCEL);
  });
  EXPECT_FALSE(Execute());
  EXPECT_EQ(Stored(kClipboardMonitorVisible), 0);
}

TEST_F(FormSettingsTest, ThePagesSwitchWithTheTabs) {
  script.Then([](HWND dialog) {
    ShowCategoriesPage(dialog);
    EXPECT_TRUE(Shown(Control(dialog, kIdPageCategories)));
    EXPECT_FALSE(Shown(Control(dialog, kIdPageHotkeys)));
    EXPECT_TRUE(Shown(Tree(dialog)));
    Click(dialog, IDCANCEL);
  });
  EXPECT_FALSE(Execute());
}

TEST_F(FormSettingsTest, OnlyTheStoreAndTheModelItIsHandedAreReadAndWritten) {
  CTempFolder elsewhere;
  CSettingsStorage& processWide = CreateSettings(elsewhere.Path() / "quillery.ini", true);
  processWide.SetInt(kClipboardCapacity, 30);
  settings.SetInt(kClipboardCapacity, 40);
  CreateHandler(nullptr, nullptr);  // an empty process-wide model
  script
      .Then([](HWND dialog) {
        EXPECT_EQ(SpinValue(dialog, kIdCapacitySpin), 40);
        SetText(Control(dialog, kIdWidth), u"640");
        ShowCategoriesPage(dialog);
        Click(dialog, kIdAddCategory);
        Click(dialog, IDOK);
      })
      .Then([](HWND editor) {
        SetText(Control(editor, kIdCategoryName), u"Work");
        Click(editor, IDOK);
      });
  EXPECT_TRUE(Execute());
  ExpectNoStrayDialogs();
  EXPECT_EQ(Stored(kWindowWidth), 640);
  EXPECT_EQ(processWide.GetInt(kWindowWidth, -1), -1);
  EXPECT_EQ(processWide.GetInt(kClipboardCapacity, -1), 30);
  EXPECT_EQ(handler.Categories().size(), 1u);
  EXPECT_TRUE(GetHandler().Categories().empty());
}

// ---- Categories ----

TEST_F(FormSettingsTest, WithNoCategoriesTheTreeIsEmptyAndTheRowButtonsDoNothing) {
  script.Then([](HWND dialog) {
    ShowCategoriesPage(dialog);
    EXPECT_EQ(TreeView_GetCount(Tree(dialog)), 0u);
    EXPECT_TRUE(Enabled(dialog, kIdAddCategory));
    EXPECT_FALSE(Enabled(dialog, kIdAddChildCategory));
    EXPECT_FALSE(Enabled(dialog, kIdEditCategory));
    EXPECT_FALSE(Enabled(dialog, kIdDeleteCategory));
    Click(dialog, kIdAddChildCategory);
    Click(dialog, kIdEditCategory);
    Click(dialog, kIdDeleteCategory);
    Click(dialog, IDOK);
  });
  bool asked = false;
  SetQuestionBoxHandler([&](std::u16string_view) { return asked = true; });
  EXPECT_TRUE(Execute());
  ExpectNoStrayDialogs();  // no editor was opened
  EXPECT_FALSE(asked);
  EXPECT_TRUE(handler.Categories().empty());
}

TEST_F(FormSettingsTest, TheTreeShowsTheUserCategoriesInModelOrder) {
  const int work = AddCategory(u"Work", 0, 3);
  AddCategory(u"Reports", work);
  AddCategory(u"Заметки 📝");
  script.Then([](HWND dialog) {
    HWND tree = Tree(dialog);
    const auto top = Rows(tree);
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(RowCaption(tree, top[0]), u"Work");
    EXPECT_EQ(RowNode(tree, top[0])->iconIndex, 3);
    EXPECT_EQ(RowCaption(tree, top[1]), u"Заметки 📝");
    const auto children = Rows(tree, top[0]);
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(RowCaption(tree, children[0]), u"Reports");
    Click(dialog, IDCANCEL);
  });
  EXPECT_FALSE(Execute());
}

TEST_F(FormSettingsTest, AddingACategoryAndThenCancellingKeepsIt) {
  script
      .Then([](HWND dialog) {
        ShowCategoriesPage(dialog);
        Click(dialog, kIdAddCategory);
        HWND tree = Tree(dialog);
        const auto top = Rows(tree);
        ASSERT_EQ(top.size(), 1u);
        EXPECT_EQ(RowCaption(tree, top[0]), u"Work");
        Click(dialog, IDCANCEL);
      })
      .Then([](HWND editor) {
        EXPECT_EQ(Text(editor), u"Category");
        EXPECT_EQ(Text(Control(editor, kIdCategoryName)), u"");
        SetText(Control(editor, kIdCategoryName), u"Work");
        SendMessageW(Control(editor, kIdIconsGrid), kIconsGridSetSelection, 5, 0);
        Click(editor, IDOK);
      });
  EXPECT_FALSE(Execute());
  ExpectNoStrayDialogs();
  const auto top = handler.ChildCategories(0);
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(top[0]->name, u"Work");
  EXPECT_EQ(top[0]->iconIndex, 5);
}

TEST_F(FormSettingsTest, AddChildMakesASubCategoryOfTheSelectedRow) {
  const int work = AddCategory(u"Work");
  script
      .Then([](HWND dialog) {
        HWND tree = Tree(dialog);
        TreeView_SelectItem(tree, Rows(tree)[0]);
        EXPECT_TRUE(Enabled(dialog, kIdAddChildCategory));
        Click(dialog, kIdAddChildCategory);
        const auto children = Rows(tree, Rows(tree)[0]);
        ASSERT_EQ(children.size(), 1u);
        EXPECT_EQ(RowCaption(tree, children[0]), u"Reports");
        Click(dialog, IDOK);
      })
      .Then([](HWND editor) {
        SetText(Control(editor, kIdCategoryName), u"Reports");
        Click(editor, IDOK);
      });
  EXPECT_TRUE(Execute());
  ExpectNoStrayDialogs();
  const auto children = handler.ChildCategories(work);
  ASSERT_EQ(children.size(), 1u);
  EXPECT_EQ(children[0]->name, u"Reports");
}

TEST_F(FormSettingsTest, SelectingASubCategoryDisablesAddChild) {
  const int work = AddCategory(u"Work");
  AddCategory(u"Reports", work);
  script.Then([](HWND dialog) {
    HWND tree = Tree(dialog);
    TreeView_SelectItem(tree, Rows(tree, Rows(tree)[0])[0]);
    EXPECT_FALSE(Enabled(dialog, kIdAddChildCategory));
    EXPECT_TRUE(Enabled(dialog, kIdEditCategory));
    EXPECT_TRUE(Enabled(dialog, kIdDeleteCategory));
    TreeView_SelectItem(tree, Rows(tree)[0]);
    EXPECT_TRUE(Enabled(dialog, kIdAddChildCategory));
    Click(dialog, IDCANCEL);
  });
  EXPECT_FALSE(Execute());
}

TEST_F(FormSettingsTest, EveryMouseButtonSelectsTheRowUnderThePointerAlsoBesideItsName) {
  AddCategory(u"Work");
  AddCategory(u"Home");
  AddCategory(u"Travel");
  script.Then([](HWND dialog) {
    ShowCategoriesPage(dialog);
    ShowInFront(dialog);
    HWND tree = Tree(dialog);
    const std::vector<HTREEITEM> rows = Rows(tree);
    ASSERT_EQ(rows.size(), 3u);
    TreeView_SelectItem(tree, rows[0]);
    struct Press {
      DWORD down, up;
      HTREEITEM row;
      bool overName;  // else far to the right of it
    };
    const Press presses[] = {
        {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, rows[1], true},
        {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, rows[2], false},
        {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, rows[0], false},
        {MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP, rows[1], false},
    };
    for (const Press& press : presses) {
      RECT row{};
      TreeView_GetItemRect(tree, press.row, &row, FALSE);
      // The name is drawn from 20 pixels into the row.
      POINT point{press.overName ? row.left + 30 : row.right - 10, (row.top + row.bottom) / 2};
      ClientToScreen(tree, &point);
      MouseClickAt(point, press.down, press.up);
      EXPECT_EQ(TreeView_GetSelection(tree), press.row)
          << "button flag 0x" << std::hex << press.down << (press.overName ? " over" : " beside")
          << " the name";
    }
    Click(dialog, IDCANCEL);
  });
  EXPECT_FALSE(Execute());
  ExpectNoStrayDialogs();
}

TEST_F(FormSettingsTest, DoubleClickingACategoryWithoutSubCategoriesOpensTheEditorOnIt) {
  const int id = AddCategory(u"Work", 0, 4);
  script
      .Then([](HWND dialog) {
        ShowCategoriesPage(dialog);
        HWND tree = Tree(dialog);
        HTREEITEM row = Rows(tree)[0];
        TreeView_SelectItem(tree, row);
        RECT label{};
        TreeView_GetItemRect(tree, row, &label, TRUE);
        SendMessageW(tree, WM_LBUTTONDBLCLK, MK_LBUTTON,
                     MAKELPARAM((label.left + label.right) / 2, (label.top + label.bottom) / 2));
        EXPECT_EQ(RowCaption(tree, Rows(tree)[0]), u"Office");
        Click(dialog, IDCANCEL);
      })
      .Then([](HWND editor) {
        EXPECT_EQ(Text(Control(editor, kIdCategoryName)), u"Work");
        EXPECT_EQ(SendMessageW(Control(editor, kIdIconsGrid), kIconsGridGetSelection, 0, 0), 4);
        SetText(Control(editor, kIdCategoryName), u"Office");
        Click(editor, IDOK);
      });
  EXPECT_FALSE(Execute());
  ExpectNoStrayDialogs();
  EXPECT_EQ(handler.FindCategory(id)->name, u"Office");
  EXPECT_EQ(handler.FindCategory(id)->iconIndex, 4);
}

TEST_F(FormSettingsTest, DoubleClickingACollapsedCategoryWithSubCategoriesExpandsIt) {
  const int work = AddCategory(u"Work");
  AddCategory(u"Reports", work);
  script.Then([](HWND dialog) {
    ShowCategoriesPage(dialog);
    HWND tree = Tree(dialog);
    HTREEITEM row = Rows(tree)[0];
    TreeView_SelectItem(tree, row);
    TreeView_Expand(tree, row, TVE_COLLAPSE);
    RECT label{};
    TreeView_GetItemRect(tree, row, &label, TRUE);
    SendMessageW(tree, WM_LBUTTONDBLCLK, MK_LBUTTON,
                 MAKELPARAM((label.left + label.right) / 2, (label.top + label.bottom) / 2));
    EXPECT_TRUE(TreeView_GetItemState(tree, row, TVIS_EXPANDED) & TVIS_EXPANDED);
    Click(dialog, IDCANCEL);
  });
  EXPECT_FALSE(Execute());
  ExpectNoStrayDialogs();  // no editor
}

TEST_F(FormSettingsTest, DeleteAsksWithTheNameAndRemovesTheCategoryOnYes) {
  AddCategory(u"Work");
  const int notes = AddCategory(u"Notes");
  std::vector<std::u16string> questions;
  bool answer = false;
  SetQuestionBoxHandler([&](std::u16string_view text) {
    questions.emplace_back(text);
    return answer;
  });
  script.Then([&](HWND dialog) {
    HWND tree = Tree(dialog);
    TreeView_SelectItem(tree, Rows(tree)[0]);
    Click(dialog, kIdDeleteCategory);  // answered No
    EXPECT_EQ(Rows(tree).size(), 2u);
    answer = true;
    Click(dialog, kIdDeleteCategory);
    const auto rows = Rows(tree);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(RowCaption(tree, rows[0]), u"Notes");
    Click(dialog, IDCANCEL);
  });
  EXPECT_FALSE(Execute());
  ASSERT_EQ(questions.size(), 2u);
  EXPECT_EQ(questions[0], u"Delete category \"Work\"?");
  ASSERT_EQ(handler.Categories().size(), 1u);
  EXPECT_EQ(handler.Categories()[0]->id, notes);
}

TEST_F(FormSettingsTest, RowsAreDrawnWithTheSkinBands) {
  const int work = AddCategory(u"Work");
  AddCategory(u"Reports", work);
  script.Then([](HWND dialog) {
    ShowCategoriesPage(dialog);
    HWND tree = Tree(dialog);
    const HTREEITEM top = Rows(tree)[0];
    const HTREEITEM child = Rows(tree, top)[0];
    TreeView_Expand(tree, top, TVE_EXPAND);
    TreeView_SelectItem(tree, nullptr);
    RECT client{};
    GetClientRect(tree, &client);
    // The tree paints into a bitmap of ours, through its custom drawing.
    HDC screen = GetDC(tree);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(tree, screen);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    SendMessageW(tree, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    auto colourAt = [&](HTREEITEM row, int offset) {
      RECT rect{};
      TreeView_GetItemRect(tree, row, &rect, FALSE);
      const COLORREF pixel = GetPixel(dc, rect.right - 3, rect.top + offset);
      return static_cast<std::uint32_t>(GetRValue(pixel) << 16 | GetGValue(pixel) << 8 |
                                        GetBValue(pixel));
    };
    for (int y = 0; y < kSkinBandRows; ++y) {
      EXPECT_EQ(colourAt(top, y), SkinRowColour(kSkinBandRows + y)) << y;
    }
    EXPECT_EQ(colourAt(child, 1), SkinRowColour(2 * kSkinBandRows + 1));
    TreeView_SelectItem(tree, child);
    SendMessageW(tree, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(colourAt(child, 1), SkinRowColour(3 * kSkinBandRows + 1));
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    Click(dialog, IDCANCEL);
  });
  EXPECT_FALSE(Execute());
}

// ---- Dots per inch ----
// Wine never sends WM_DPICHANGED (it has one monitor); the dialog gets it here as Windows
// sends it when the dialog is dragged onto a monitor of 144 dpi.

RECT ClientRectIn(HWND dialog, HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int FontHeightOf(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return font.lfHeight;
}

TEST_F(FormSettingsTest, OnAMonitorOf144DpiEveryControlFontAndRowIsScaledAndOkStillStores) {
  AddCategory(u"Work");
  script.Then([](HWND dialog) {
    ASSERT_EQ(DpiOfWindow(dialog), 96);  // Wine's LogPixels in the test prefix
    HWND width = Control(dialog, kIdWidth);
    HWND widthSpin = Control(dialog, kIdWidthSpin);
    const int gap = ClientRectIn(dialog, widthSpin).left - ClientRectIn(dialog, width).right;
    RECT suggested{40, 30, 40 + 600, 30 + 600};
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));

    RECT window{};
    GetWindowRect(dialog, &window);
    EXPECT_EQ(window.left, 40);
    EXPECT_EQ(window.top, 30);
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 590);  // 393 x 539 at 96
    EXPECT_EQ(client.bottom, 809);
    const RECT ok = ClientRectIn(dialog, Control(dialog, IDOK));
    EXPECT_EQ(ok.left, 336);  // 224, 506, 75 x 25 at 96
    EXPECT_EQ(ok.top, 759);
    EXPECT_EQ(ok.right, 449);
    EXPECT_EQ(ok.bottom, 797);
    EXPECT_EQ(FontHeightOf(Control(dialog, IDOK)), -20);  // Arial -13
    // The spin still sits at its edit's right edge, the pages over the tab's display area.
    EXPECT_EQ(ClientRectIn(dialog, widthSpin).left - ClientRectIn(dialog, width).right, gap);
    EXPECT_GT(ClientRectIn(dialog, width).right - ClientRectIn(dialog, width).left, 57);
    const RECT tab = ClientRectIn(dialog, Control(dialog, kIdPageControl));
    const RECT page = ClientRectIn(dialog, Control(dialog, kIdPageHotkeys));
    EXPECT_GT(page.right - page.left, 377);
    EXPECT_TRUE(page.left > tab.left && page.right < tab.right && page.bottom < tab.bottom);
    // The category rows: 38 pixels high, the tree's font scaled.
    EXPECT_EQ(TreeView_GetItemHeight(Tree(dialog)), 38);
    EXPECT_EQ(FontHeightOf(Tree(dialog)), -29);
    Click(dialog, IDOK);
  });
  EXPECT_TRUE(Execute());
  ExpectNoStrayDialogs();
  EXPECT_EQ(Stored(kWindowWidth), 200);
  EXPECT_EQ(Stored(kWindowHeight), 390);
}

}  // namespace
