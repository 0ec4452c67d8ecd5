// The clip tree under Wine: a real tree view with the controller, drawn into a bitmap and
// read back pixel by pixel, clicked, dragged and double-clicked with window messages.

#include "app/tree/win32/clip_tree_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/theme/theme_palette.h"
#include "app/tree/preview_content.h"
#include "categories/clipboard_handler.h"
#include "categories/win32/win32_tree_view.h"
#include "foundation/question_box.h"
#include "foundation/settings_keys.h"
#include "foundation/settings_storage.h"
#include "foundation/skin_image.h"
#include "platform/dib_info.h"
#include "platform/win32/notify_reflection.h"
#include "platform/win32/window.h"
#include "store/image_item.h"
#include "store/text_item.h"
#include "tests/support/clipboard_driver.h"
#include "tests/support/scroll_bar_mark.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr int kTreeWidth = 200;
constexpr int kTreeHeight = 500;
constexpr std::uint32_t kIconColour = 0x00A000;
constexpr std::uint32_t kMarkColour = 0xFF0000;
constexpr int kWork = 1001;

// Hears each notification that reaches the frame, before it is reflected.
std::function<void(const NMHDR&)> frameHears;

// The tree's parent, as the main window is: it reflects the tree's notifications.
LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    if (frameHears) frameHears(*reinterpret_cast<const NMHDR*>(lParam));
    LRESULT result = 0;
    if (ReflectNotify(lParam, result)) return result;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

UniqueWindow MakeFrame() {
  static const ATOM registered = [] {
    const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW frameClass{};
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = GetModuleHandleW(nullptr);
    frameClass.lpszClassName = L"QuilleryClipTreeTestFrame";
    return RegisterClassW(&frameClass);
  }();
  (void)registered;
  return UniqueWindow(CreateWindowExW(WS_EX_TOOLWINDOW, L"QuilleryClipTreeTestFrame", L"", WS_POPUP,
                                      0, 0, kTreeWidth, kTreeHeight, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
}

// The tree as the main window makes it.
HWND MakeTree(HWND frame) {
  HWND tree =
      CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_NOTOOLTIPS, 0, 0,
                      kTreeWidth, kTreeHeight, frame, nullptr, GetModuleHandleW(nullptr), nullptr);
  TreeView_SetIndent(tree, 42);
  TreeView_SetExtendedStyle(tree, TVS_EX_DOUBLEBUFFER, TVS_EX_DOUBLEBUFFER);
  return tree;
}

// Paints pixel rows [top, bottom) of a 24-bit picture in one colour.
void FillRows(TBitmap& picture, int top, int bottom, std::uint32_t colour) {
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      std::uint8_t* pixel = picture.Row(y) + x * 3;
      pixel[0] = colour & 0xFF;
      pixel[1] = (colour >> 8) & 0xFF;
      pixel[2] = (colour >> 16) & 0xFF;
    }
  }
}

// An image list whose every image is one solid colour, so that its pixels can be found.
UniqueImageList SolidImages(std::uint32_t colour, int count) {
  UniqueImageList list(ImageList_Create(16, 16, ILC_COLOR24, count, 0));
  TBitmap image(16, 16, 24);
  FillRows(image, 0, 16, colour);
  UniqueBitmap handle = image.CreateHandle();
  for (int i = 0; i < count; ++i) ImageList_Add(list.get(), handle.get(), nullptr);
  return list;
}

class CFakeHost : public CClipTreeHost {
 public:
  HWND OwnerWindow() const override { return owner; }
  int QuickPasteMode() const override { return quickPasteMode; }
  HIMAGELIST CategoriesIcons() const override { return categoriesIcons.get(); }
  HIMAGELIST MoreIcons() const override { return moreIcons.get(); }
  void MoveSelectedToClipboard(EPickedBy) override { ++moves; }
  void MoveClipToClipboard(int clipId, EPickedBy by) override {
    movedClips.push_back(clipId);
    movedBy.push_back(by);
  }
  void CopyClipAsPlainText(int clipId, EPickedBy) override { plainTextClips.push_back(clipId); }
  void PasteClipAs(int clipId, EPasteAs as, EPickedBy) override {
    pastedAs.emplace_back(clipId, as);
  }
  bool EditCategory(int categoryId, int parentId) override {
    edits.emplace_back(categoryId, parentId);
    return false;
  }
  std::optional<KeyCombination> AskHotKey(KeyCombination) override { return std::nullopt; }
  void TypeToSearch(wchar_t character) override {
    if (searchFails) throw std::runtime_error("no search");
    typed.push_back(character);
  }
  void OpenSearch() override { ++searchesOpened; }
  void EscapePressed() override { ++escapes; }
  void ClipsDeleted() override { ++deletions; }
  void UndoDelete() override { ++undos; }
  void EditClipText(int clipId) override { editedClips.push_back(clipId); }
  void WriteNote(const CItemNode* selected) override {
    noteRows.push_back(selected != nullptr ? static_cast<int>(selected->id) : 0);
  }
  void PasteClipsTogether(const std::vector<int>&, EPickedBy) override {}

  HWND owner = nullptr;
  int quickPasteMode = 1;
  UniqueImageList categoriesIcons = SolidImages(kIconColour, 4);
  UniqueImageList moreIcons = SolidImages(kMarkColour, 1);
  int moves = 0;
  std::vector<EPickedBy> movedBy;
  std::vector<int> movedClips;
  std::vector<int> plainTextClips;
  std::vector<std::pair<int, EPasteAs>> pastedAs;
  std::vector<std::pair<int, int>> edits;
  std::wstring typed;
  bool searchFails = false;
  int searchesOpened = 0;
  int escapes = 0;
  int undos = 0;
  int deletions = 0;
  std::vector<int> editedClips;
  std::vector<int> noteRows;
};

// One menu entry as the user sees it.
struct MenuEntry {
  std::u16string caption;
  UINT command = 0;
  bool enabled = false;
};

std::vector<MenuEntry> Entries(HMENU menu) {
  std::vector<MenuEntry> entries;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
    const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
    std::u16string caption = AsUtf16(text);
    std::erase(caption, u'&');  // the access keys' marks; clip_tree_menu_test checks them
    entries.push_back({caption, GetMenuItemID(menu, i), (state & MF_GRAYED) == 0});
  }
  return entries;
}

class ClipTreeTest : public ::testing::Test {
 protected:
  ClipTreeTest() {
    Settings::CreateSettings(folder_.Path() / "quillery.ini", true);
    host_.owner = frame_.get();
    handler_.AttachTree(&view_, driver_.OwnerWindow());
    driver_.OnChange([this] {
      handler_.CaptureClipboard();
      handler_.RebuildTree();
    });
    ShowWindow(frame_.get(), SW_SHOWNOACTIVATE);
  }
  ~ClipTreeTest() override {
    frameHears = nullptr;
    SetUiExceptionHandler({});
    SetClipTreeMenuTestHook({});
    SetQuestionBoxHandler({});
    driver_.OnChange(nullptr);
    TreeView_DeleteAllItems(tree_);  // the rows' data goes with the handler
    Settings::ReleaseSettings();
  }

  // Three history clips (h3 newest), two notes and the category "Work" with one clip, all
  // unfolded.
  void FillStore() {
    for (const char16_t* text : {u"h1", u"h2", u"h3"}) ASSERT_TRUE(driver_.CopyText(text));
    CCategory work;
    work.id = kWork;
    work.name = u"Work";
    handler_.AppendCategory(work);
    handler_.SetLastCategoryId(kWork);
    AddClip(kNotesCategoryId, u"n1");
    AddClip(kNotesCategoryId, u"n2");
    AddClip(kWork, u"w1");
    handler_.RebuildTree();
    for (TTreeNode* row : view_.ChildRows(nullptr)) view_.SetExpanded(row, true);
  }

  void AddClip(int categoryId, const std::u16string& text) {
    auto clip = std::make_unique<CTextItem>();
    clip->text = text;
    clip->textLength = static_cast<int>(text.size());
    clip->categoryId = categoryId;
    handler_.AppendClip(std::move(clip));
  }

  HTREEITEM CategoryRow(int categoryId) {
    return reinterpret_cast<HTREEITEM>(
        handler_.Root().children.at(static_cast<unsigned>(categoryId))->treeNode);
  }
  // The `index`-th row below the category's row, in view order.
  HTREEITEM ClipRow(int categoryId, int index) {
    return reinterpret_cast<HTREEITEM>(
        view_.ChildRows(reinterpret_cast<TTreeNode*>(CategoryRow(categoryId))).at(index));
  }
  RECT RowRect(HTREEITEM row) const {
    RECT rect{};
    TreeView_GetItemRect(tree_, row, &rect, FALSE);
    return rect;
  }
  POINT Middle(HTREEITEM row, int x = kTreeWidth / 2) const {
    const RECT rect = RowRect(row);
    return POINT{x, (rect.top + rect.bottom) / 2};
  }

  // The key pressed in the tree with `modifier` (0 for none) held, and nothing held after.
  void KeyDownWith(BYTE modifier, WPARAM key) {
    BYTE keys[256] = {};
    if (modifier != 0) keys[modifier] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(tree_, WM_KEYDOWN, key, 0);
    keys[modifier] = 0;
    SetKeyboardState(keys);
  }
  void Send(UINT message, POINT point, WPARAM keys = 0) {
    SendMessageW(tree_, message, keys, MAKELPARAM(point.x, point.y));
  }
  void Drag(POINT from, POINT to) {
    Send(WM_LBUTTONDOWN, from, MK_LBUTTON);
    Send(WM_MOUSEMOVE, POINT{from.x, from.y + 12}, MK_LBUTTON);
    Send(WM_MOUSEMOVE, to, MK_LBUTTON);
    Send(WM_LBUTTONUP, to);
  }
  // Right-clicks the row and returns the menu's entries; the menu then runs `choice`.
  std::vector<MenuEntry> RightClick(HTREEITEM row, const std::u16string& choice = u"") {
    std::vector<MenuEntry> entries;
    SetClipTreeMenuTestHook([&](HMENU menu) -> UINT {
      entries = Entries(menu);
      for (const MenuEntry& entry : entries) {
        if (entry.caption == choice) return entry.command;
      }
      return 0;
    });
    Send(WM_RBUTTONDOWN, Middle(row), MK_RBUTTON);
    return entries;
  }

  // Right-clicks the row; while the menu is open `meanwhile` runs, then the menu gives
  // `choice`.
  void RightClickWhile(HTREEITEM row, const std::function<void()>& meanwhile,
                       const std::u16string& choice) {
    SetClipTreeMenuTestHook([&](HMENU menu) -> UINT {
      meanwhile();
      for (const MenuEntry& entry : Entries(menu)) {
        if (entry.caption == choice) return entry.command;
      }
      return 0;
    });
    Send(WM_RBUTTONDOWN, Middle(row), MK_RBUTTON);
  }

  // The tree as it paints itself, as 0xRRGGBB pixels: as it prints its client area (the
  // control's own drawing, row by row), or with `paint` as its WM_PAINT draws it.
  class CPicture {
   public:
    explicit CPicture(HWND tree, bool paint = false) {
      const BITMAPINFO info = TopDownDibInfo(kTreeWidth, kTreeHeight, 32);
      void* bits = nullptr;
      UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
      bitmap_.reset(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
      SelectGuard selected(dc.get(), bitmap_.get());
      if (paint) {
        SendMessageW(tree, WM_PAINT, reinterpret_cast<WPARAM>(dc.get()), 0);
      } else {
        SendMessageW(tree, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()),
                     PRF_CLIENT | PRF_ERASEBKGND);
      }
      GdiFlush();
      pixels_ = static_cast<const std::uint32_t*>(bits);
    }
    std::uint32_t At(int x, int y) const { return pixels_[y * kTreeWidth + x] & 0xFFFFFF; }

   private:
    UniqueBitmap bitmap_;
    const std::uint32_t* pixels_ = nullptr;
  };

  int IdOf(const std::u16string& text) const {
    for (const auto& clip : handler_.Items()) {
      const auto* item = dynamic_cast<const CTextItem*>(clip.get());
      if (item != nullptr && item->text == text) return clip->id;
    }
    return 0;
  }

  std::vector<std::u16string> TextsOf(int categoryId) const {
    std::vector<std::u16string> texts;
    for (const auto& clip : handler_.Items()) {
      const auto* text = dynamic_cast<const CTextItem*>(clip.get());
      if (clip->categoryId == categoryId)
        texts.push_back(text != nullptr ? text->text.Utf16() : u"<picture>");
    }
    return texts;
  }

  CTempFolder folder_;
  CClipboardDriver driver_;
  UniqueWindow frame_ = MakeFrame();
  HWND tree_ = MakeTree(frame_.get());
  CWin32TreeView view_{tree_};
  CClipboardHandler handler_;  // after the view: its mirror goes first
  CFakeHost host_;
  CClipTreeController controller_{tree_, host_, handler_, MakeSkinImage(), 96};
};

using ClipTreeDrawingTest = ClipTreeTest;
using ClipTreeMenuTest = ClipTreeTest;
using ClipTreeDragTest = ClipTreeTest;
using ClipTreeWiringTest = ClipTreeTest;

TEST_F(ClipTreeWiringTest, ATreesDrawingIsAnsweredOnlyWhileItsControllerLives) {
  HWND other = MakeTree(frame_.get());
  NMTVCUSTOMDRAW draw{};
  draw.nmcd.hdr = {other, 0, static_cast<UINT>(NM_CUSTOMDRAW)};
  draw.nmcd.dwDrawStage = CDDS_PREPAINT;
  const auto notify = [&] {
    return SendMessageW(frame_.get(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw));
  };
  auto controller =
      std::make_unique<CClipTreeController>(other, host_, handler_, MakeSkinImage(), 96);
  EXPECT_EQ(notify(), CDRF_NOTIFYITEMDRAW);
  controller.reset();
  EXPECT_EQ(notify(), CDRF_DODEFAULT);
  DestroyWindow(other);
}

TEST_F(ClipTreeWiringTest, TheTreesOwnHandlingRunsInsideTheMessageScope) {
  FillStore();
  int depth = -1;
  frameHears = [&](const NMHDR& header) {
    if (header.code == TVN_SELCHANGEDW) depth = CMessageScope::Depth();
  };
  TreeView_SelectItem(tree_, ClipRow(kNotesCategoryId, 0));
  EXPECT_EQ(depth, 1);  // a close heard in there waits for the selection to end
}

TEST_F(ClipTreeWiringTest, AnExceptionInAHandlerIsReportedAndTheTreeGoesOn) {
  std::vector<std::string> reported;
  SetUiExceptionHandler([&](const std::exception& error) { reported.push_back(error.what()); });
  host_.searchFails = true;
  SendMessageW(tree_, WM_CHAR, L'a', 0);
  host_.searchFails = false;
  SendMessageW(tree_, WM_CHAR, L'b', 0);
  EXPECT_EQ(reported, std::vector<std::string>{"no search"});
  EXPECT_EQ(host_.typed, L"b");
}

TEST_F(ClipTreeDrawingTest, CategoryRowsStandOnTheirSkinStripeWithTheirIcon) {
  FillStore();
  const CPicture picture(tree_);
  const RECT history = RowRect(CategoryRow(kHistoryCategoryId));
  EXPECT_EQ(TreeView_GetItemHeight(tree_), 26);
  EXPECT_EQ(picture.At(1, history.top + 13), SkinRowColour(13));
  EXPECT_EQ(picture.At(10, history.top + 13), kIconColour);  // icon at (2, 5)
  const RECT notes = RowRect(CategoryRow(kNotesCategoryId));
  EXPECT_EQ(picture.At(1, notes.top + 20), SkinRowColour(26 + 20));
}

TEST_F(ClipTreeDrawingTest, ClipRowsAlternateWhiteAndGreyAboveTheirSeparator) {
  FillStore();
  const CPicture picture(tree_);
  const std::uint32_t expected[] = {0xFFFFFF, 0xF0F0F0, 0xFFFFFF};
  for (int index = 0; index < 3; ++index) {
    const RECT row = RowRect(ClipRow(kHistoryCategoryId, index));
    EXPECT_EQ(picture.At(kTreeWidth - 4, row.top + 12), expected[index]) << index;
    EXPECT_EQ(picture.At(kTreeWidth - 4, row.top + 25), 0xC0C0C0u) << index;
  }
}

TEST_F(ClipTreeDrawingTest, QuickPasteBadgeIsGreyAndGivesWayToTheTextInModeZero) {
  FillStore();
  const RECT row = RowRect(ClipRow(kHistoryCategoryId, 0));
  // Pixels darker than the background in the badge's place, and the darkest green level.
  auto badgeInk = [&](const CPicture& picture) {
    int ink = 0;
    std::uint32_t darkest = 0xFF;
    for (int y = row.top; y < row.top + 24; ++y) {
      for (int x = 0; x < 20; ++x) {
        const std::uint32_t green = (picture.At(x, y) >> 8) & 0xFF;
        if (green < 0xF8) ++ink;
        darkest = std::min(darkest, green);
      }
    }
    return std::pair{ink, darkest};
  };
  const auto [ink, darkest] = badgeInk(CPicture(tree_));
  EXPECT_GT(ink, 10);
  // Grey, never darker than the badge's colour, and the black text starts to its right.
  EXPECT_GE(darkest, (RowColours{}.badge >> 8) & 0xFF);
  host_.quickPasteMode = 0;
  EXPECT_LT(badgeInk(CPicture(tree_)).second, 0x60u);  // the text now starts at the indent
}

TEST_F(ClipTreeDrawingTest, SelectedClipTakesTheSelectionColourAndHotKeyShowsTheMark) {
  FillStore();
  handler_.SetItemHotKey(static_cast<int>(handler_.Items().front()->id), 0xC041);
  handler_.RebuildTree();
  TreeView_SelectItem(tree_, ClipRow(kHistoryCategoryId, 1));
  const CPicture picture(tree_);
  const RECT marked = RowRect(ClipRow(kHistoryCategoryId, 0));
  const RECT selected = RowRect(ClipRow(kHistoryCategoryId, 1));
  EXPECT_EQ(picture.At(kTreeWidth - 8, marked.top + 12), kMarkColour);
  EXPECT_EQ(picture.At(kTreeWidth - 8, selected.top + 12), RowColours{}.selectedClipBackground);
}

TEST_F(ClipTreeDrawingTest, PictureClipShowsItsThumbnailUprightAtTheIndent) {
  FillStore();
  auto clip = std::make_unique<CImageItem>();
  TBitmap halves(20, 44, 24);
  FillRows(halves, 0, 22, 0xFF0000);
  FillRows(halves, 22, 44, 0x0000FF);
  clip->SetPicture(std::move(halves));
  clip->categoryId = kWork;
  handler_.AppendClip(std::move(clip));
  handler_.RebuildTree();
  const CPicture picture(tree_);
  const RECT row = RowRect(ClipRow(kWork, 1));  // 10 x 22 at (2, 1), no badge in "Work"
  EXPECT_EQ(picture.At(2 + 5, row.top + 1 + 4), 0xFF0000u);
  EXPECT_EQ(picture.At(2 + 5, row.top + 1 + 17), 0x0000FFu);
  EXPECT_EQ(picture.At(2 + 12, row.top + 12), 0xF0F0F0u);  // the second row of "Work"
}

TEST_F(ClipTreeDrawingTest, ItsPaintDrawsTheRowsAsTheControlWouldAndTheBackgroundBelowThem) {
  FillStore();
  TreeView_SelectItem(tree_, ClipRow(kNotesCategoryId, 1));
  const CPicture printed(tree_);
  const CPicture painted(tree_, true);
  const RECT last = RowRect(ClipRow(kWork, 0));
  int differing = 0;
  for (int y = 0; y < last.bottom; ++y) {
    for (int x = 0; x < kTreeWidth; ++x) differing += printed.At(x, y) != painted.At(x, y);
  }
  EXPECT_EQ(differing, 0);
  const std::uint32_t window = FromColorRef(GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(painted.At(5, last.bottom + 2), window);
  EXPECT_EQ(painted.At(kTreeWidth - 1, kTreeHeight - 1), window);
}

TEST_F(ClipTreeDrawingTest, ACaptureWithTheHistoryOpenHasEveryRowDrawnAgain) {
  FillStore();
  UpdateWindow(tree_);
  ASSERT_TRUE(driver_.CopyText(u"h4"));
  RECT dirty{};
  GetUpdateRect(tree_, &dirty, FALSE);
  const RECT last = RowRect(ClipRow(kWork, 0));
  EXPECT_LE(dirty.top, RowRect(ClipRow(kHistoryCategoryId, 0)).top);
  EXPECT_GE(dirty.bottom, last.bottom);
  const CPicture painted(tree_, true);
  const std::uint32_t expected[] = {0xFFFFFF, 0xF0F0F0, 0xFFFFFF, 0xF0F0F0};
  for (int index = 0; index < 4; ++index) {
    const RECT row = RowRect(ClipRow(kHistoryCategoryId, index));
    EXPECT_EQ(painted.At(kTreeWidth - 4, row.top + 12), expected[index]) << index;
  }
}

TEST_F(ClipTreeMenuTest, CopyAsPlainTextGoesToTheHostForTextsButIsNoEntryForPictures) {
  FillStore();
  RightClick(ClipRow(kNotesCategoryId, 1), u"Copy as plain text");
  EXPECT_EQ(host_.plainTextClips, std::vector<int>{IdOf(u"n2")});
  auto clip = std::make_unique<CImageItem>();
  clip->SetPicture(TBitmap(4, 4, 24));
  clip->categoryId = kWork;
  handler_.AppendClip(std::move(clip));
  handler_.RebuildTree();
  const std::vector<MenuEntry> entries = RightClick(ClipRow(kWork, 1));
  EXPECT_TRUE(std::none_of(entries.begin(), entries.end(), [](const MenuEntry& entry) {
    return entry.caption == u"Copy as plain text";
  }));
}

TEST_F(ClipTreeMenuTest, EditTextIsOfferedForTextClipsAndNewNoteWhereNotesMayGo) {
  FillStore();
  RightClick(ClipRow(kNotesCategoryId, 1), u"Edit text");
  EXPECT_EQ(host_.editedClips, std::vector<int>{IdOf(u"n2")});
  auto clip = std::make_unique<CImageItem>();
  clip->SetPicture(TBitmap(4, 4, 24));
  clip->categoryId = kWork;
  handler_.AppendClip(std::move(clip));
  handler_.RebuildTree();
  RightClick(ClipRow(kWork, 1), u"Edit text");  // disabled: a menu gives no such choice
  for (const MenuEntry& entry : RightClick(ClipRow(kWork, 1))) {
    if (entry.caption == u"Edit text") {
      EXPECT_FALSE(entry.enabled);
    }
  }
  const std::vector<MenuEntry> history = RightClick(CategoryRow(kHistoryCategoryId));
  EXPECT_TRUE(std::none_of(history.begin(), history.end(),
                           [](const MenuEntry& entry) { return entry.caption == u"New note"; }));
  RightClick(CategoryRow(kNotesCategoryId), u"New note");
  RightClick(CategoryRow(kWork), u"New note");
  EXPECT_EQ(host_.noteRows, (std::vector<int>{kNotesCategoryId, kWork}));
}

TEST_F(ClipTreeMenuTest, BuiltInCategoryMenuDisablesEditDeleteAndAddChild) {
  FillStore();
  const std::vector<MenuEntry> entries = RightClick(CategoryRow(kHistoryCategoryId));
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].caption, u"Add category");
  EXPECT_TRUE(entries[0].enabled);
  for (int i = 1; i < 4; ++i) EXPECT_FALSE(entries[i].enabled) << i;
  EXPECT_EQ(TreeView_GetSelection(tree_), CategoryRow(kHistoryCategoryId));
  const std::vector<MenuEntry> work = RightClick(CategoryRow(kWork), u"Add child");
  EXPECT_TRUE(work[1].enabled && work[2].enabled && work[3].enabled);
  EXPECT_EQ(host_.edits, (std::vector<std::pair<int, int>>{{0, kWork}}));
}

TEST_F(ClipTreeMenuTest, ClearAfterYesRemovesTheCategorysClipsOnly) {
  FillStore();
  std::vector<std::u16string> questions;
  bool answer = false;
  SetQuestionBoxHandler([&](std::u16string_view text) {
    questions.emplace_back(text);
    return answer;
  });
  RightClick(ClipRow(kNotesCategoryId, 0), u"Clear");
  EXPECT_EQ(TextsOf(kNotesCategoryId).size(), 2u);
  answer = true;
  const std::vector<MenuEntry> entries = RightClick(ClipRow(kNotesCategoryId, 0), u"Clear");
  EXPECT_EQ(entries[0].caption, u"Copy to clipboard");
  EXPECT_TRUE(TextsOf(kNotesCategoryId).empty());
  EXPECT_EQ(TextsOf(kHistoryCategoryId).size(), 3u);
  EXPECT_EQ(questions,
            (std::vector<std::u16string>(
                2, u"Delete all items?\nAll clips of \"Quick notes\" will be deleted.")));
  EXPECT_EQ(host_.deletions, 1);  // the one answered Yes
}

TEST_F(ClipTreeMenuTest, DeletingACategoryAsksWithItsQuotedNameAndTakesItsClips) {
  FillStore();
  std::u16string question;
  SetQuestionBoxHandler([&](std::u16string_view text) {
    question = text;
    return true;
  });
  RightClick(CategoryRow(kWork), u"Delete");
  EXPECT_EQ(question, u"Delete category \"Work\"?");
  EXPECT_EQ(handler_.FindCategory(kWork), nullptr);
  EXPECT_EQ(handler_.Root().children.count(kWork), 0u);
  EXPECT_TRUE(TextsOf(kWork).empty());
  EXPECT_EQ(host_.deletions, 1);
}

TEST_F(ClipTreeMenuTest, ACommandActsOnTheRightClickedClipWhereverTheSelectionWent) {
  FillStore();
  const HTREEITEM oldest = ClipRow(kHistoryCategoryId, 2);  // h1
  RightClickWhile(
      oldest, [&] { TreeView_SelectItem(tree_, ClipRow(kHistoryCategoryId, 0)); },
      u"Move to notes");
  EXPECT_EQ(TextsOf(kHistoryCategoryId), (std::vector<std::u16string>{u"h3", u"h2"}));
  EXPECT_EQ(TextsOf(kNotesCategoryId), (std::vector<std::u16string>{u"n1", u"n2", u"h1"}));
  RightClickWhile(
      ClipRow(kHistoryCategoryId, 1),
      [&] { TreeView_SelectItem(tree_, ClipRow(kNotesCategoryId, 0)); }, u"Move to clipboard");
  EXPECT_EQ(host_.movedClips, std::vector<int>{IdOf(u"h2")});
}

TEST_F(ClipTreeMenuTest, ACommandForAClipThatACaptureTrimmedMeanwhileDoesNothing) {
  FillStore();
  handler_.SetLimits({.capacity = 3});
  const HTREEITEM oldest = ClipRow(kHistoryCategoryId, 2);  // h1
  RightClickWhile(
      oldest, [&] { ASSERT_TRUE(driver_.CopyText(u"h4")); }, u"Delete item");
  EXPECT_EQ(TextsOf(kHistoryCategoryId), (std::vector<std::u16string>{u"h4", u"h3", u"h2"}));
  EXPECT_EQ(TextsOf(kNotesCategoryId), (std::vector<std::u16string>{u"n1", u"n2"}));
  EXPECT_EQ(TextsOf(kWork), (std::vector<std::u16string>{u"w1"}));
}

TEST_F(ClipTreeDragTest, AHistoryClipDraggedOntoAUserCategoryMovesThere) {
  FillStore();
  Drag(Middle(ClipRow(kHistoryCategoryId, 0)), Middle(CategoryRow(kWork)));
  EXPECT_EQ(TextsOf(kHistoryCategoryId), (std::vector<std::u16string>{u"h2", u"h1"}));
  EXPECT_EQ(TextsOf(kWork), (std::vector<std::u16string>{u"w1", u"h3"}));
}

TEST_F(ClipTreeDragTest, ANoteDraggedOntoTheHistoryStaysAndComesBackAsAHistoryClip) {
  FillStore();
  Drag(Middle(ClipRow(kNotesCategoryId, 1)), Middle(CategoryRow(kHistoryCategoryId)));
  EXPECT_EQ(TextsOf(kNotesCategoryId), (std::vector<std::u16string>{u"n1", u"n2"}));
  EXPECT_EQ(TextsOf(kHistoryCategoryId), (std::vector<std::u16string>{u"n2", u"h3", u"h2", u"h1"}));
  EXPECT_EQ(TreeView_GetSelection(tree_), ClipRow(kNotesCategoryId, 1));
}

TEST_F(ClipTreeDragTest, ShortMovesOnTheIndentOrOnItselfMoveNothing) {
  FillStore();
  const POINT clip = Middle(ClipRow(kNotesCategoryId, 0));
  Send(WM_LBUTTONDOWN, clip, MK_LBUTTON);  // 9 pixels: no drag, even over another row
  Send(WM_MOUSEMOVE, POINT{clip.x, clip.y + 9}, MK_LBUTTON);
  Send(WM_LBUTTONUP, Middle(CategoryRow(kWork)));
  Drag(clip, Middle(ClipRow(kWork, 0), 20));  // on the indent of Work's clip row
  Drag(clip, POINT{clip.x + 30, clip.y});
  EXPECT_EQ(TextsOf(kNotesCategoryId), (std::vector<std::u16string>{u"n1", u"n2"}));
  EXPECT_EQ(TextsOf(kWork), (std::vector<std::u16string>{u"w1"}));
}

TEST_F(ClipTreeDragTest, DoubleClickTogglesACategoryAndPastesAClip) {
  FillStore();
  Send(WM_LBUTTONDOWN, Middle(CategoryRow(kNotesCategoryId)), MK_LBUTTON);
  Send(WM_LBUTTONUP, Middle(CategoryRow(kNotesCategoryId)));
  Send(WM_LBUTTONDBLCLK, Middle(CategoryRow(kNotesCategoryId)), MK_LBUTTON);
  EXPECT_FALSE(view_.IsExpanded(reinterpret_cast<TTreeNode*>(CategoryRow(kNotesCategoryId))));
  Send(WM_LBUTTONDOWN, Middle(ClipRow(kHistoryCategoryId, 0)), MK_LBUTTON);
  Send(WM_LBUTTONUP, Middle(ClipRow(kHistoryCategoryId, 0)));
  Send(WM_LBUTTONDBLCLK, Middle(ClipRow(kHistoryCategoryId, 0)), MK_LBUTTON);
  EXPECT_EQ(host_.moves, 1);
}

// Handles this thread's messages (the preview's timer among them) for that long.
void PumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(5);
  }
}

// Under Wine the scroll bar takes longer to draw than a screen of rows: the rows come first.
TEST_F(ClipTreeDrawingTest, RowsDueWithTheScrollBarAreDrawnFirstAndTheScrollBarOnceNoInputWaits) {
  FillStore();
  for (int i = 0; i < 40; ++i) AddClip(kNotesCategoryId, u"note");
  handler_.RebuildTree();
  RedrawWindow(tree_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  PumpFor(100);
  CScrollBarMark mark;
  ASSERT_TRUE(mark.Mark(tree_)) << "the tree shows no scroll bar";
  // Rows and frame due, the paint comes from the message loop, as after a key.
  RedrawWindow(tree_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
  MSG paint;
  ASSERT_TRUE(PeekMessageW(&paint, tree_, WM_PAINT, WM_PAINT, PM_REMOVE));
  DispatchMessageW(&paint);
  RECT dirty{};
  EXPECT_FALSE(GetUpdateRect(tree_, &dirty, FALSE));  // the rows are drawn
  EXPECT_TRUE(mark.StillMarked());
  PumpFor(100);
  EXPECT_FALSE(mark.StillMarked());
}

BOOL CALLBACK FindShownPreview(HWND window, LPARAM found) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (std::wstring(name) != L"QuilleryClipPreview" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// The preview shown now, or null.
HWND ShownPreview() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindShownPreview, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Handles this thread's messages until the preview shows, for three seconds at most.
HWND WaitForPreview() {
  for (int i = 0; i < 60 && ShownPreview() == nullptr; ++i) PumpFor(50);
  return ShownPreview();
}

using ClipTreeKeyboardTest = ClipTreeTest;

TEST_F(ClipTreeKeyboardTest, EnterDoesWhatADoubleClickDoes) {
  FillStore();
  TreeView_SelectItem(tree_, CategoryRow(kNotesCategoryId));
  SendMessageW(tree_, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_FALSE(view_.IsExpanded(reinterpret_cast<TTreeNode*>(CategoryRow(kNotesCategoryId))));
  TreeView_SelectItem(tree_, ClipRow(kHistoryCategoryId, 1));
  SendMessageW(tree_, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(host_.moves, 1);
}

TEST_F(ClipTreeKeyboardTest, ShiftEnterPutsOnlyTheClipsPlainText) {
  FillStore();
  BYTE keys[256] = {};
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  TreeView_SelectItem(tree_, ClipRow(kNotesCategoryId, 1));
  SendMessageW(tree_, WM_KEYDOWN, VK_RETURN, 0);
  TreeView_SelectItem(tree_, CategoryRow(kNotesCategoryId));
  SendMessageW(tree_, WM_KEYDOWN, VK_RETURN, 0);  // a category still folds
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(host_.plainTextClips, std::vector<int>{IdOf(u"n2")});
  EXPECT_EQ(host_.moves, 0);
  EXPECT_FALSE(view_.IsExpanded(reinterpret_cast<TTreeNode*>(CategoryRow(kNotesCategoryId))));
}

TEST_F(ClipTreeKeyboardTest, ArrowsMoveThroughTheRowsAndCharactersGoToTheSearch) {
  FillStore();
  TreeView_SelectItem(tree_, ClipRow(kHistoryCategoryId, 0));
  SendMessageW(tree_, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(TreeView_GetSelection(tree_), ClipRow(kHistoryCategoryId, 1));
  for (wchar_t typed : {L'a', L'\u00E9', L'\r', L'\x1B', L'\x08'}) {
    SendMessageW(tree_, WM_CHAR, typed, 0);
  }
  EXPECT_EQ(host_.typed, L"a\u00E9");
  SendMessageW(tree_, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(host_.escapes, 1);
  EXPECT_EQ(TreeView_GetSelection(tree_), ClipRow(kHistoryCategoryId, 1));
}

TEST_F(ClipTreeKeyboardTest, CtrlFOpensTheSearchAndFAloneDoesNot) {
  FillStore();
  KeyDownWith(0, 'F');
  EXPECT_EQ(host_.searchesOpened, 0);
  KeyDownWith(VK_CONTROL, 'F');
  EXPECT_EQ(host_.searchesOpened, 1);
}

TEST_F(ClipTreeKeyboardTest, DeleteTakesTheSelectedClipWithoutAQuestionAndSelectsItsNeighbour) {
  FillStore();
  std::vector<std::u16string> questions;
  SetQuestionBoxHandler([&](std::u16string_view text) {
    questions.emplace_back(text);
    return true;
  });
  const auto selectedCaption = [&] {
    const HTREEITEM row = TreeView_GetSelection(tree_);
    const auto* node =
        static_cast<const CItemNode*>(view_.RowData(reinterpret_cast<TTreeNode*>(row)));
    return node != nullptr ? node->caption : u"<none>";
  };
  TreeView_SelectItem(tree_, ClipRow(kHistoryCategoryId, 1));  // h2, between h3 and h1
  SendMessageW(tree_, WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(TextsOf(kHistoryCategoryId), (std::vector<std::u16string>{u"h3", u"h1"}));
  EXPECT_EQ(selectedCaption(), u"h1");  // the one below
  SendMessageW(tree_, WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(selectedCaption(), u"h3");  // none below: the one above
  SendMessageW(tree_, WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_TRUE(TextsOf(kHistoryCategoryId).empty());
  EXPECT_EQ(TreeView_GetSelection(tree_),
            CategoryRow(kHistoryCategoryId));  // none left: its category
  EXPECT_TRUE(questions.empty());
  EXPECT_EQ(host_.deletions, 3);
  EXPECT_EQ(TextsOf(kNotesCategoryId), (std::vector<std::u16string>{u"n1", u"n2"}));
}

TEST_F(ClipTreeKeyboardTest, DeleteOnACategoryRowDoesWhatItsMenuDoesAndModifiersLeaveIt) {
  FillStore();
  std::vector<std::u16string> questions;
  bool answer = false;
  SetQuestionBoxHandler([&](std::u16string_view text) {
    questions.emplace_back(text);
    return answer;
  });
  TreeView_SelectItem(tree_, CategoryRow(kHistoryCategoryId));  // built in: no Delete
  SendMessageW(tree_, WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_TRUE(questions.empty());
  EXPECT_EQ(TextsOf(kHistoryCategoryId).size(), 3U);

  TreeView_SelectItem(tree_, CategoryRow(kWork));
  SendMessageW(tree_, WM_KEYDOWN, VK_DELETE, 0);  // answered No
  ASSERT_EQ(questions, std::vector<std::u16string>{u"Delete category \"Work\"?"});
  EXPECT_NE(handler_.FindCategory(kWork), nullptr);
  EXPECT_EQ(TreeView_GetSelection(tree_), CategoryRow(kWork));

  answer = true;
  KeyDownWith(VK_SHIFT, VK_DELETE);  // Shift+Delete is not Delete
  EXPECT_EQ(questions.size(), 1U);
  SendMessageW(tree_, WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(handler_.FindCategory(kWork), nullptr);
}

TEST_F(ClipTreeKeyboardTest, CtrlZAsksTheHostForTheLastDeletionBackAndZAloneDoesNot) {
  FillStore();
  KeyDownWith(0, 'Z');
  EXPECT_EQ(host_.undos, 0);
  KeyDownWith(VK_CONTROL, 'Z');
  EXPECT_EQ(host_.undos, 1);
}

TEST_F(ClipTreeKeyboardTest, F2EditsTheSelectedClipAndCtrlNWritesANoteForTheSelectedRow) {
  FillStore();
  TreeView_SelectItem(tree_, ClipRow(kNotesCategoryId, 1));
  KeyDownWith(0, VK_F2);
  TreeView_SelectItem(tree_, CategoryRow(kWork));
  KeyDownWith(0, VK_F2);  // a category's row has no text
  EXPECT_EQ(host_.editedClips, std::vector<int>{IdOf(u"n2")});
  KeyDownWith(0, 'N');
  EXPECT_TRUE(host_.noteRows.empty());
  KeyDownWith(VK_CONTROL, 'N');
  EXPECT_EQ(host_.noteRows, std::vector<int>{kWork});
}

class ClipPreviewTest : public ClipTreeTest {
 protected:
  // The pointer off the list, and the move that the list's showing under it brought handled:
  // the pointer resting on a row would ask for a preview of its own.
  ClipPreviewTest() {
    SetCursorPos(kTreeWidth + 600, kTreeHeight + 100);
    PumpFor(100);
  }
};

TEST_F(ClipPreviewTest, AKeyboardSelectionShowsThePreviewBesideTheListAfterAMoment) {
  FillStore();
  TreeView_SelectItem(tree_, ClipRow(kNotesCategoryId, 0));
  SendMessageW(tree_, WM_KEYDOWN, VK_DOWN, 0);
  PumpFor(150);
  EXPECT_EQ(ShownPreview(), nullptr);
  HWND preview = WaitForPreview();
  ASSERT_NE(preview, nullptr);
  RECT place{};
  GetWindowRect(preview, &place);
  EXPECT_GE(place.left, kTreeWidth);  // no room left of the list at the screen's edge
  EXPECT_EQ(GetWindowLongPtrW(preview, GWL_EXSTYLE) & WS_EX_NOACTIVATE, WS_EX_NOACTIVATE);
  Send(WM_LBUTTONDOWN, Middle(ClipRow(kNotesCategoryId, 0)), MK_LBUTTON);
  Send(WM_LBUTTONUP, Middle(ClipRow(kNotesCategoryId, 0)));
  EXPECT_EQ(ShownPreview(), nullptr);
}

TEST_F(ClipPreviewTest, APictureIsShownAt320By240AtMost) {
  auto clip = std::make_unique<CImageItem>();
  clip->SetPicture(TBitmap(1920, 1080, 24));
  clip->categoryId = kNotesCategoryId;
  handler_.AppendClip(std::move(clip));
  handler_.RebuildTree();
  view_.SetExpanded(reinterpret_cast<TTreeNode*>(CategoryRow(kNotesCategoryId)), true);
  TreeView_SelectItem(tree_, CategoryRow(kNotesCategoryId));
  SendMessageW(tree_, WM_KEYDOWN, VK_DOWN, 0);
  HWND preview = WaitForPreview();
  ASSERT_NE(preview, nullptr);
  RECT client{};
  GetClientRect(preview, &client);
  EXPECT_EQ(client.right, 320 + 2 * kPreviewPadding);
  EXPECT_GT(client.bottom, 180 + 2 * kPreviewPadding);
  controller_.HidePreview();
  EXPECT_EQ(ShownPreview(), nullptr);
}

// The "Paste as" submenu's entries of the menu opened for `row`, the menu then giving the
// submenu's entry at `choice` (none when negative).
std::vector<MenuEntry> PasteAsEntriesChoosing(HWND tree, int choice) {
  std::vector<MenuEntry> forms;
  SetClipTreeMenuTestHook([&](HMENU menu) -> UINT {
    for (int at = 0; at < GetMenuItemCount(menu); ++at) {
      if (HMENU sub = GetSubMenu(menu, at)) forms = Entries(sub);
    }
    return choice >= 0 && choice < static_cast<int>(forms.size()) ? forms[choice].command : 0;
  });
  SendMessageW(tree, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree), MAKELPARAM(-1, -1));
  return forms;
}

TEST_F(ClipTreeMenuTest, ATextClipsPasteAsOffersEveryFormAndTheChoiceGoesToTheHost) {
  FillStore();
  TreeView_SelectItem(tree_, ClipRow(kNotesCategoryId, 1));
  const std::vector<MenuEntry> forms = PasteAsEntriesChoosing(tree_, 1);
  ASSERT_EQ(forms.size(), PasteAsChoices().size());
  EXPECT_EQ(forms[1].caption, u"UPPER CASE\tCtrl+Shift+U");
  EXPECT_EQ(host_.pastedAs,
            (std::vector<std::pair<int, EPasteAs>>{{IdOf(u"n2"), EPasteAs::kUpperCase}}));
  // A category and a picture have none.
  TreeView_SelectItem(tree_, CategoryRow(kWork));
  EXPECT_TRUE(PasteAsEntriesChoosing(tree_, -1).empty());
  auto clip = std::make_unique<CImageItem>();
  clip->SetPicture(TBitmap(4, 4, 24));
  clip->categoryId = kWork;
  handler_.AppendClip(std::move(clip));
  handler_.RebuildTree();
  TreeView_SelectItem(tree_, ClipRow(kWork, 1));
  EXPECT_TRUE(PasteAsEntriesChoosing(tree_, -1).empty());
}

TEST_F(ClipTreeMenuTest, CtrlShiftLettersPasteTheSelectedClipInTheirForms) {
  FillStore();
  TreeView_SelectItem(tree_, ClipRow(kHistoryCategoryId, 0));
  BYTE keys[256] = {};
  keys[VK_CONTROL] = keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  for (WPARAM key : {'U', 'L', 'T', 'R', 'J'}) SendMessageW(tree_, WM_KEYDOWN, key, 0);
  TreeView_SelectItem(tree_, CategoryRow(kWork));
  SendMessageW(tree_, WM_KEYDOWN, 'U', 0);  // a category pastes nothing
  keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  const int h3 = IdOf(u"h3");
  EXPECT_EQ(host_.pastedAs, (std::vector<std::pair<int, EPasteAs>>{{h3, EPasteAs::kUpperCase},
                                                                   {h3, EPasteAs::kLowerCase},
                                                                   {h3, EPasteAs::kTitleCase},
                                                                   {h3, EPasteAs::kTrimmed},
                                                                   {h3, EPasteAs::kOneLine}}));
  KeyDownWith(VK_CONTROL, 'U');
  EXPECT_EQ(host_.pastedAs.size(), 5u);
}

TEST_F(ClipTreeMenuTest, TheContextMenuKeyOpensTheSelectedRowsMenuAndAMouseMenuIsNotOpenedTwice) {
  FillStore();
  std::vector<MenuEntry> entries;
  int opened = 0;
  SetClipTreeMenuTestHook([&](HMENU menu) -> UINT {
    ++opened;
    entries = Entries(menu);
    return 0;
  });
  TreeView_SelectItem(tree_, CategoryRow(kWork));
  SendMessageW(tree_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree_), MAKELPARAM(-1, -1));
  ASSERT_EQ(opened, 1);
  EXPECT_EQ(entries[0].caption, u"Add category");
  TreeView_SelectItem(tree_, ClipRow(kHistoryCategoryId, 0));
  SendMessageW(tree_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree_), MAKELPARAM(-1, -1));
  ASSERT_EQ(opened, 2);
  EXPECT_EQ(entries[0].caption, u"Move to clipboard");
  // The menu of a right click opened at the press; the WM_CONTEXTMENU of its release is not
  // another.
  SendMessageW(tree_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree_), MAKELPARAM(20, 20));
  EXPECT_EQ(opened, 2);
}

TEST_F(ClipTreeMenuTest, AChoiceInAMenuOpenedByTheKeyboardIsPickedByTheKeyboard) {
  // The popup goes back to its place after a paste picked by the keyboard, and folds at
  // the mouse after one picked by the mouse.
  FillStore();
  const HTREEITEM row = ClipRow(kHistoryCategoryId, 0);
  TreeView_SelectItem(tree_, row);
  SetClipTreeMenuTestHook([](HMENU) -> UINT { return kCmdMoveToClipboard; });
  SendMessageW(tree_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree_), MAKELPARAM(-1, -1));
  RightClick(row, u"Move to clipboard");
  EXPECT_EQ(host_.movedBy, (std::vector<EPickedBy>{EPickedBy::kKeyboard, EPickedBy::kMouse}));
}

}  // namespace
