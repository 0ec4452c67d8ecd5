// Several clips selected at once in the real tree view under Wine: Ctrl and Shift with the
// mouse and the arrows, the rows drawn as selected, and Delete, a drag, "Move to notes" and
// "Paste together" acting on all of them.

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/theme/theme_palette.h"
#include "app/tree/win32/clip_tree_controller.h"
#include "categories/clipboard_handler.h"
#include "categories/win32/win32_tree_view.h"
#include "foundation/settings_storage.h"
#include "foundation/skin_image.h"
#include "platform/dib_info.h"
#include "platform/win32/notify_reflection.h"
#include "store/text_item.h"
#include "tests/support/clipboard_driver.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr int kSelectionTreeWidth = 200;
constexpr int kSelectionTreeHeight = 500;
constexpr int kSelectionWork = 1001;

LRESULT CALLBACK SelectionFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    LRESULT result = 0;
    if (ReflectNotify(lParam, result)) return result;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// The tree's parent, which reflects its notifications as the main window does.
UniqueWindow MakeSelectionFrame() {
  static const ATOM registered = [] {
    const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW frameClass{};
    frameClass.lpfnWndProc = SelectionFrameProc;
    frameClass.hInstance = GetModuleHandleW(nullptr);
    frameClass.lpszClassName = L"QuillerySelectionTestFrame";
    return RegisterClassW(&frameClass);
  }();
  (void)registered;
  return UniqueWindow(CreateWindowExW(WS_EX_TOOLWINDOW, L"QuillerySelectionTestFrame", L"",
                                      WS_POPUP, 0, 0, kSelectionTreeWidth, kSelectionTreeHeight,
                                      nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}

class CSelectionHost : public CClipTreeHost {
 public:
  HWND OwnerWindow() const override { return owner; }
  int QuickPasteMode() const override { return 1; }
  HIMAGELIST CategoriesIcons() const override { return nullptr; }
  HIMAGELIST MoreIcons() const override { return nullptr; }
  void MoveSelectedToClipboard(EPickedBy) override {}
  void MoveClipToClipboard(int, EPickedBy) override {}
  void CopyClipAsPlainText(int, EPickedBy) override {}
  void PasteClipAs(int, EPasteAs, EPickedBy) override {}
  bool EditCategory(int, int) override { return false; }
  std::optional<KeyCombination> AskHotKey(KeyCombination) override { return std::nullopt; }
  void TypeToSearch(wchar_t) override {}
  void OpenSearch() override {}
  void EscapePressed() override {}
  void ClipsDeleted() override { ++deletions; }
  void UndoDelete() override {}
  void EditClipText(int) override {}
  void WriteNote(const CItemNode*) override {}
  void PasteClipsTogether(const std::vector<int>& clipIds, EPickedBy) override {
    pastedTogether.push_back(clipIds);
  }

  HWND owner = nullptr;
  int deletions = 0;
  std::vector<std::vector<int>> pastedTogether;
};

class ClipTreeSelectionTest : public ::testing::Test {
 protected:
  // The history h3 (newest), h2, h1, the notes n1, n2 and "Work" with w1, all unfolded.
  ClipTreeSelectionTest() {
    Settings::CreateSettings(folder_.Path() / "quillery.ini", true);
    host_.owner = frame_.get();
    handler_.AttachTree(&view_, driver_.OwnerWindow());
    driver_.OnChange([this] {
      handler_.CaptureClipboard();
      handler_.RebuildTree();
    });
    ShowWindow(frame_.get(), SW_SHOWNOACTIVATE);
    for (const char16_t* text : {u"h1", u"h2", u"h3"}) EXPECT_TRUE(driver_.CopyText(text));
    CCategory work;
    work.id = kSelectionWork;
    work.name = u"Work";
    handler_.AppendCategory(work);
    handler_.SetLastCategoryId(kSelectionWork);
    for (const auto& [categoryId, text] :
         {std::pair{kNotesCategoryId, u"n1"}, std::pair{kNotesCategoryId, u"n2"},
          std::pair{kSelectionWork, u"w1"}}) {
      auto clip = std::make_unique<CTextItem>();
      clip->text = text;
      clip->textLength = 2;
      clip->categoryId = categoryId;
      handler_.AppendClip(std::move(clip));
    }
    handler_.RebuildTree();
    for (TTreeNode* row : view_.ChildRows(nullptr)) view_.SetExpanded(row, true);
  }
  ~ClipTreeSelectionTest() override {
    SetClipTreeMenuTestHook({});
    HoldKeys({});
    driver_.OnChange(nullptr);
    TreeView_DeleteAllItems(tree_);  // the rows' data goes with the handler
    Settings::ReleaseSettings();
  }

  // The clip row that shows `text`.
  HTREEITEM Row(const std::u16string& text) {
    for (TTreeNode* top : view_.ChildRows(nullptr)) {
      for (TTreeNode* row : view_.ChildRows(top)) {
        const auto* node = static_cast<const CItemNode*>(view_.RowData(row));
        if (node->caption == text) return reinterpret_cast<HTREEITEM>(row);
      }
    }
    ADD_FAILURE() << "no row";
    return nullptr;
  }
  HTREEITEM CategoryRow(int categoryId) {
    return reinterpret_cast<HTREEITEM>(
        handler_.Root().children.at(static_cast<unsigned>(categoryId))->treeNode);
  }
  POINT Middle(HTREEITEM row) const {
    RECT rect{};
    TreeView_GetItemRect(tree_, row, &rect, FALSE);
    return POINT{kSelectionTreeWidth / 2, (rect.top + rect.bottom) / 2};
  }
  int IdOf(const std::u16string& text) const {
    for (const auto& clip : handler_.Items()) {
      if (static_cast<const CTextItem&>(*clip).text == text) return clip->id;
    }
    return 0;
  }
  std::vector<std::u16string> TextsOf(int categoryId) const {
    std::vector<std::u16string> texts;
    for (const auto& clip : handler_.Items()) {
      if (clip->categoryId == categoryId)
        texts.push_back(static_cast<CTextItem&>(*clip).text.Utf16());
    }
    return texts;
  }

  // The keyboard state that GetKeyState reports: `held` down, every other key up.
  static void HoldKeys(std::initializer_list<BYTE> held) {
    BYTE keys[256] = {};
    for (BYTE key : held) keys[key] = 0x80;
    SetKeyboardState(keys);
  }
  void Send(UINT message, POINT point, WPARAM keys = 0) {
    SendMessageW(tree_, message, keys, MAKELPARAM(point.x, point.y));
  }
  // A left click on the row with `held` down.
  void Click(HTREEITEM row, std::initializer_list<BYTE> held = {}) {
    HoldKeys(held);
    WPARAM keys = MK_LBUTTON;
    for (BYTE key : held) keys |= key == VK_CONTROL ? MK_CONTROL : key == VK_SHIFT ? MK_SHIFT : 0;
    Send(WM_LBUTTONDOWN, Middle(row), keys);
    Send(WM_LBUTTONUP, Middle(row));
    HoldKeys({});
  }
  void KeyDown(WPARAM key, std::initializer_list<BYTE> held = {}) {
    HoldKeys(held);
    SendMessageW(tree_, WM_KEYDOWN, key, 0);
    HoldKeys({});
  }
  struct MenuEntry {
    std::u16string caption;
    UINT command = 0;
  };
  // Right-clicks the row and returns its menu's entries; the menu then gives `choice`.
  std::vector<MenuEntry> RightClick(HTREEITEM row, UINT choice = 0) {
    std::vector<MenuEntry> entries;
    SetClipTreeMenuTestHook([&](HMENU menu) -> UINT {
      for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
        entries.push_back({AsUtf16(text), GetMenuItemID(menu, i)});
      }
      return choice;
    });
    Send(WM_RBUTTONDOWN, Middle(row), MK_RBUTTON);
    return entries;
  }
  static bool Offers(const std::vector<MenuEntry>& entries, UINT command) {
    return std::any_of(entries.begin(), entries.end(),
                       [command](const MenuEntry& entry) { return entry.command == command; });
  }

  // Whether each row is drawn in the selection's colour, read from the tree's own paint.
  std::vector<bool> DrawnSelected(const std::vector<HTREEITEM>& rows) {
    const BITMAPINFO info = TopDownDibInfo(kSelectionTreeWidth, kSelectionTreeHeight, 32);
    void* bits = nullptr;
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    UniqueBitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    SelectGuard selected(dc.get(), bitmap.get());
    SendMessageW(tree_, WM_PAINT, reinterpret_cast<WPARAM>(dc.get()), 0);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    const std::uint32_t highlight = RowColours{}.selectedClipBackground;
    std::vector<bool> drawn;
    for (HTREEITEM row : rows) {
      const POINT middle = Middle(row);
      const std::uint32_t pixel =
          pixels[middle.y * kSelectionTreeWidth + kSelectionTreeWidth - 8] & 0xFFFFFF;
      drawn.push_back(pixel == highlight);
    }
    return drawn;
  }

  CTempFolder folder_;
  CClipboardDriver driver_;
  UniqueWindow frame_ = MakeSelectionFrame();
  HWND tree_ = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_NOTOOLTIPS, 0, 0,
                               kSelectionTreeWidth, kSelectionTreeHeight, frame_.get(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  CWin32TreeView view_{tree_};
  CClipboardHandler handler_;  // after the view: its mirror goes first
  CSelectionHost host_;
  CClipTreeController controller_{tree_, host_, handler_, MakeSkinImage(), 96};
};

TEST_F(ClipTreeSelectionTest, CtrlAndShiftClicksGatherClipsOfSeveralCategoriesAndAllAreDrawn) {
  Click(Row(u"h3"));
  Click(Row(u"n1"), {VK_CONTROL});
  EXPECT_EQ(DrawnSelected({Row(u"h3"), Row(u"h2"), Row(u"n1")}),
            (std::vector<bool>{true, false, true}));
  Click(Row(u"h2"), {VK_SHIFT});  // from n1 up to h2, over the notes' category row
  EXPECT_EQ(DrawnSelected({Row(u"h3"), Row(u"h2"), Row(u"h1"), Row(u"n1"), Row(u"n2")}),
            (std::vector<bool>{false, true, true, true, false}));
  Click(Row(u"w1"));  // a plain click: one clip again
  EXPECT_EQ(DrawnSelected({Row(u"h2"), Row(u"n1"), Row(u"w1")}),
            (std::vector<bool>{false, false, true}));
}

TEST_F(ClipTreeSelectionTest, ShiftDownGathersAndDeleteTakesThemAllAsOneUndoStep) {
  Click(Row(u"h3"));
  KeyDown(VK_DOWN, {VK_SHIFT});
  KeyDown(VK_DOWN, {VK_SHIFT});
  KeyDown(VK_DOWN, {VK_SHIFT});  // the notes' category row: it is never one of them
  KeyDown(VK_DELETE);
  EXPECT_TRUE(TextsOf(kHistoryCategoryId).empty());
  EXPECT_EQ(TextsOf(kNotesCategoryId), (std::vector<std::u16string>{u"n1", u"n2"}));
  EXPECT_EQ(host_.deletions, 1);
  const std::vector<int> restored = handler_.UndoDeletion();
  ASSERT_EQ(restored.size(), 3U);
  EXPECT_EQ(TextsOf(kHistoryCategoryId), (std::vector<std::u16string>{u"h3", u"h2", u"h1"}));
  // Back in their rows' places, and selected all three as the window's undo does.
  handler_.RebuildTree();
  controller_.SelectClips(restored);
  EXPECT_EQ(TreeView_GetNextSibling(tree_, Row(u"h3")), Row(u"h2"));
  EXPECT_EQ(TreeView_GetNextSibling(tree_, Row(u"h2")), Row(u"h1"));
  EXPECT_EQ(DrawnSelected({Row(u"h3"), Row(u"h2"), Row(u"h1"), Row(u"n1")}),
            (std::vector<bool>{true, true, true, false}));
}

TEST_F(ClipTreeSelectionTest, APlainArrowSelectsOneAgainAndDeleteTakesOnlyThat) {
  Click(Row(u"h3"));
  KeyDown(VK_DOWN, {VK_SHIFT});
  KeyDown(VK_DOWN);
  KeyDown(VK_DELETE);
  EXPECT_EQ(TextsOf(kHistoryCategoryId), (std::vector<std::u16string>{u"h3", u"h2"}));
}

TEST_F(ClipTreeSelectionTest, DraggingOneOfTheSelectedClipsMovesThemAllOntoTheCategory) {
  Click(Row(u"h3"));
  Click(Row(u"n2"), {VK_CONTROL});
  const POINT from = Middle(Row(u"n2"));
  const POINT to = Middle(CategoryRow(kSelectionWork));
  Send(WM_LBUTTONDOWN, from, MK_LBUTTON);
  Send(WM_MOUSEMOVE, POINT{from.x, from.y + 12}, MK_LBUTTON);
  Send(WM_MOUSEMOVE, to, MK_LBUTTON);
  Send(WM_LBUTTONUP, to);
  EXPECT_EQ(TextsOf(kSelectionWork), (std::vector<std::u16string>{u"w1", u"h3", u"n2"}));
  EXPECT_EQ(TextsOf(kHistoryCategoryId), (std::vector<std::u16string>{u"h2", u"h1"}));
}

TEST_F(ClipTreeSelectionTest, AClickWithoutADragOnOneOfTheSelectedClipsSelectsItAlone) {
  Click(Row(u"h3"));
  Click(Row(u"h1"), {VK_CONTROL});
  Click(Row(u"h1"));
  EXPECT_EQ(DrawnSelected({Row(u"h3"), Row(u"h1")}), (std::vector<bool>{false, true}));
}

TEST_F(ClipTreeSelectionTest, PasteTogetherIsOfferedForSeveralClipsAndPastesThemInListOrder) {
  Click(Row(u"n2"));
  EXPECT_FALSE(Offers(RightClick(Row(u"n2")), kCmdPasteTogether));  // one clip

  Click(Row(u"h2"), {VK_CONTROL});
  const std::vector<MenuEntry> menu = RightClick(Row(u"n2"), kCmdPasteTogether);
  EXPECT_TRUE(Offers(menu, kCmdPasteTogether));
  EXPECT_EQ(menu.at(1).caption, u"Paste &together");  // beside the one clip's paste
  KeyDown(VK_RETURN, {VK_CONTROL});
  EXPECT_EQ(host_.pastedTogether.size(), 1U);  // not while Ctrl is down
  SendMessageW(tree_, WM_KEYUP, VK_CONTROL, 0);
  const std::vector<int> inListOrder{IdOf(u"h2"), IdOf(u"n2")};
  EXPECT_EQ(host_.pastedTogether, (std::vector<std::vector<int>>{inListOrder, inListOrder}));
}

TEST_F(ClipTreeSelectionTest, MoveToNotesTakesEveryHistoryClipOfTheSelection) {
  Click(Row(u"h3"));
  Click(Row(u"h1"), {VK_CONTROL});
  Click(Row(u"w1"), {VK_CONTROL});
  // Offered for the history clips selected with it.
  EXPECT_TRUE(Offers(RightClick(Row(u"w1"), kCmdMoveToNotes), kCmdMoveToNotes));
  EXPECT_EQ(TextsOf(kNotesCategoryId), (std::vector<std::u16string>{u"n1", u"n2", u"h3", u"h1"}));
  EXPECT_EQ(TextsOf(kHistoryCategoryId), std::vector<std::u16string>{u"h2"});
  EXPECT_EQ(TextsOf(kSelectionWork), std::vector<std::u16string>{u"w1"});
}

// The tree holds a page of each category's rows at a time: the keys that go down the list
// still reach every clip.
class ClipTreeRowPagesTest : public ClipTreeSelectionTest {
 protected:
  ClipTreeRowPagesTest() {
    handler_.SetRowPage(30);
    for (int i = 0; i < 100; ++i) {
      Append(kHistoryCategoryId, u"older " + std::u16string(static_cast<std::size_t>(i + 1), u'.'));
    }
    for (int i = 0; i < 40; ++i) Append(kSelectionWork, u"w");
    Append(kSelectionWork, u"last work");
    handler_.RebuildTree();
  }
  void Append(int categoryId, const std::u16string& text) {
    auto clip = std::make_unique<CTextItem>();
    clip->text = text;
    clip->textLength = static_cast<int>(text.size());
    clip->categoryId = categoryId;
    handler_.AppendClip(std::move(clip));
  }
  const CItemNode* SelectedNode() const {
    const HTREEITEM row = TreeView_GetSelection(tree_);
    return row != nullptr
               ? static_cast<const CItemNode*>(view_.RowData(reinterpret_cast<TTreeNode*>(row)))
               : nullptr;
  }
  std::size_t RowsBelow(int categoryId) {
    return view_.ChildRows(reinterpret_cast<TTreeNode*>(CategoryRow(categoryId))).size();
  }
};

TEST_F(ClipTreeRowPagesTest, PageDownGoesThroughEveryRowOfALongHistory) {
  ASSERT_EQ(RowsBelow(kHistoryCategoryId), 30u);
  Click(Row(u"h3"));
  for (int i = 0; i < 12; ++i) KeyDown(VK_NEXT);
  EXPECT_EQ(RowsBelow(kHistoryCategoryId), 103u);
  const CItemNode* selected = SelectedNode();
  ASSERT_NE(selected, nullptr);
  EXPECT_NE(selected->categoryId, static_cast<unsigned>(kHistoryCategoryId));
}

TEST_F(ClipTreeRowPagesTest, EndSelectsTheLastClipOfTheCategoryThatEndsTheTree) {
  ASSERT_EQ(RowsBelow(kSelectionWork), 30u);
  Click(Row(u"h3"));
  KeyDown(VK_END);
  EXPECT_EQ(RowsBelow(kSelectionWork), 42u);
  const CItemNode* selected = SelectedNode();
  ASSERT_NE(selected, nullptr);
  EXPECT_EQ(selected->caption, u"last work");
}

}  // namespace
