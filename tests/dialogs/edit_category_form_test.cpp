// The category editor for real, under Wine: its name edit and icon grid driven with window
// messages, closed with OK or Cancel, and the category model checked.

#include "dialogs/win32/edit_category_form.h"

#include <gtest/gtest.h>

#include <string>

#include "categories/clipboard_handler.h"
#include "dialogs/win32/category_icons.h"
#include "dialogs/win32/icons_grid.h"
#include "tests/dialogs/dialog_script.h"

namespace {

int GridSelection(HWND editor) {
  return static_cast<int>(
      SendMessageW(Control(editor, kIdIconsGrid), kIconsGridGetSelection, 0, 0));
}

int GridFirstColumn(HWND editor) {
  return static_cast<int>(
      SendMessageW(Control(editor, kIdIconsGrid), kIconsGridGetFirstColumn, 0, 0));
}

class EditCategoryFormTest : public ::testing::Test {
 protected:
  ~EditCategoryFormTest() override { ReleaseHandler(); }

  bool Execute(int categoryId, int parentId, HIMAGELIST list) {
    TEditCategoryForm editor(nullptr, handler);
    return editor.ExecuteEditor(list, categoryId, parentId);
  }
  bool Execute(int categoryId, int parentId) { return Execute(categoryId, parentId, icons.get()); }

  int AddCategory(std::u16string name, int parentId = 0, int iconIndex = 0) {
    CCategory category;
    category.name = std::move(name);
    category.parentId = parentId;
    category.iconIndex = iconIndex;
    return handler.AddCategory(category);
  }

  CClipboardHandler handler;  // the editor's own, not the process-wide one
  UniqueImageList icons = LoadCategoriesIcons();
  CDialogScript script;
};

TEST_F(EditCategoryFormTest, ANewCategoryStartsEmptyOnTheFirstIconAndOkAddsIt) {
  script.Then([](HWND editor) {
    EXPECT_EQ(Text(editor), u"Category");
    EXPECT_EQ(Text(Control(editor, kIdCategoryName)), u"");
    EXPECT_EQ(GridSelection(editor), 0);
    SetText(Control(editor, kIdCategoryName), u"Work");
    Click(editor, IDOK);
  });
  EXPECT_TRUE(Execute(0, 0));
  EXPECT_EQ(script.Pending(), 0u);
  const auto top = handler.ChildCategories(0);
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(top[0]->name, u"Work");
  EXPECT_EQ(top[0]->iconIndex, 0);
  EXPECT_EQ(top[0]->parentId, 0);
}

TEST_F(EditCategoryFormTest, OnlyTheModelItIsHandedIsWritten) {
  CreateHandler(nullptr, nullptr);  // an empty process-wide model
  script.Then([](HWND editor) {
    SetText(Control(editor, kIdCategoryName), u"Work");
    Click(editor, IDOK);
  });
  EXPECT_TRUE(Execute(0, 0));
  EXPECT_EQ(handler.Categories().size(), 1u);
  EXPECT_TRUE(GetHandler().Categories().empty());
}

TEST_F(EditCategoryFormTest, OkWithAnEmptyNameStoresAnEmptyName) {
  script.Then([](HWND editor) { Click(editor, IDOK); });
  EXPECT_TRUE(Execute(0, 0));
  ASSERT_EQ(handler.Categories().size(), 1u);
  EXPECT_EQ(handler.Categories()[0]->name, u"");
}

TEST_F(EditCategoryFormTest, CancelReturnsFalseAndLeavesTheModelAlone) {
  const int id = AddCategory(u"Work", 0, 2);
  script.Then([](HWND editor) {
    SetText(Control(editor, kIdCategoryName), u"Changed");
    SendMessageW(Control(editor, kIdIconsGrid), kIconsGridSetSelection, 9, 0);
    Click(editor, IDCANCEL);
  });
  EXPECT_FALSE(Execute(id, 0));
  ASSERT_EQ(handler.Categories().size(), 1u);
  EXPECT_EQ(handler.FindCategory(id)->name, u"Work");
  EXPECT_EQ(handler.FindCategory(id)->iconIndex, 2);
}

TEST_F(EditCategoryFormTest, WithoutAnIconListNothingIsShown) {
  EXPECT_FALSE(Execute(0, 0, nullptr));
  EXPECT_EQ(script.Unexpected(), 0);
  EXPECT_TRUE(handler.Categories().empty());
}

TEST_F(EditCategoryFormTest, EditingOpensOnTheFifthCellAndOkWithoutChangesKeepsEverything) {
  const int parent = AddCategory(u"Work");
  const int id = AddCategory(u"Reports", parent, 4);
  const CCategory before = *handler.FindCategory(id);
  script.Then([](HWND editor) {
    EXPECT_EQ(Text(Control(editor, kIdCategoryName)), u"Reports");
    EXPECT_EQ(GridSelection(editor), 4);
    Click(editor, IDOK);
  });
  EXPECT_TRUE(Execute(id, 0));
  EXPECT_EQ(*handler.FindCategory(id), before);
  EXPECT_EQ(handler.Categories().size(), 2u);
}

TEST_F(EditCategoryFormTest, OnAMonitorOf144DpiTheGridIsScaledAndKeepsItsSelection) {
  const int id = AddCategory(u"Reports", 0, 4);
  script.Then([](HWND editor) {
    HWND grid = Control(editor, kIdIconsGrid);
    RECT suggested{10, 10, 500, 300};
    SendMessageW(editor, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT rect{};
    GetWindowRect(grid, &rect);
    MapWindowPoints(nullptr, editor, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 12);  // 8, 72, 257 x 43 at 96
    EXPECT_EQ(rect.top, 108);
    EXPECT_EQ(rect.right, 398);
    EXPECT_EQ(rect.bottom, 173);
    EXPECT_EQ(GridSelection(editor), 4);
    SendMessageW(grid, kIconsGridSetSelection, 6, 0);
    Click(editor, IDOK);
  });
  EXPECT_TRUE(Execute(id, 0));
  EXPECT_EQ(handler.FindCategory(id)->iconIndex, 6);
}

TEST_F(EditCategoryFormTest, ANewSubCategoryGetsItsParentsId) {
  const int parent = AddCategory(u"Work");
  script.Then([](HWND editor) {
    SetText(Control(editor, kIdCategoryName), u"Reports");
    Click(editor, IDOK);
  });
  EXPECT_TRUE(Execute(0, parent));
  const auto children = handler.ChildCategories(parent);
  ASSERT_EQ(children.size(), 1u);
  EXPECT_EQ(children[0]->name, u"Reports");
}

TEST_F(EditCategoryFormTest, CyrillicAndEmojiNamesSurviveOkUnchanged) {
  const std::u16string cyrillic = u"Рабочие заметки";
  const std::u16string emoji = u"Ideas 💡🚀 (ок)";
  const int first = AddCategory(cyrillic);
  const int second = AddCategory(emoji);
  script.Then([&](HWND editor) {
    EXPECT_EQ(Text(Control(editor, kIdCategoryName)), cyrillic);
    Click(editor, IDOK);
  });
  script.Then([&](HWND editor) {
    EXPECT_EQ(Text(Control(editor, kIdCategoryName)), emoji);
    Click(editor, IDOK);
  });
  EXPECT_TRUE(Execute(first, 0));
  EXPECT_TRUE(Execute(second, 0));
  EXPECT_EQ(handler.FindCategory(first)->name, cyrillic);
  EXPECT_EQ(handler.FindCategory(second)->name, emoji);
}

TEST_F(EditCategoryFormTest, ANameTypedInAnyScriptIsStoredAsTyped) {
  const std::u16string name = u"Ελληνικά · 日本語 · עברית · 🎉";
  script.Then([&](HWND editor) {
    SetText(Control(editor, kIdCategoryName), name);
    Click(editor, IDOK);
  });
  EXPECT_TRUE(Execute(0, 0));
  ASSERT_EQ(handler.Categories().size(), 1u);
  EXPECT_EQ(handler.Categories()[0]->name, name);
}

TEST_F(EditCategoryFormTest, TheGridHasAColumnPerIconAndScrollsToTheLastOnes) {
  const int count = ImageList_GetImageCount(icons.get());
  ASSERT_GE(count, 24);
  script.Then([count](HWND editor) {
    HWND grid = Control(editor, kIdIconsGrid);
    EXPECT_EQ(GridFirstColumn(editor), 0);
    SendMessageW(grid, kIconsGridSetSelection, count - 1, 0);
    EXPECT_EQ(GridSelection(editor), count - 1);
    EXPECT_GT(GridFirstColumn(editor), 0);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(grid, SB_HORZ, &info);
    EXPECT_EQ(info.nMax, count - 1);
    EXPECT_EQ(info.nPos, GridFirstColumn(editor));
    // The scroll bar takes it back to the start; a click picks the cell under it.
    SendMessageW(grid, WM_HSCROLL, SB_LEFT, 0);
    EXPECT_EQ(GridFirstColumn(editor), 0);
    // Cells are 20 pixels at 96 dots per inch, scaled to the screen's.
    HDC screen = GetDC(nullptr);
    const int cell = MulDiv(20, GetDeviceCaps(screen, LOGPIXELSX), 96);
    ReleaseDC(nullptr, screen);
    SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell * 2 + cell / 2, cell / 2));
    EXPECT_EQ(GridSelection(editor), 2);
    SendMessageW(grid, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(GridSelection(editor), 3);
    Click(editor, IDOK);
  });
  EXPECT_TRUE(Execute(0, 0));
  ASSERT_EQ(handler.Categories().size(), 1u);
  EXPECT_EQ(handler.Categories()[0]->iconIndex, 3);
}

}  // namespace
