// The clip tree as assistive programs read it under Wine: each row's text asked of the real
// tree view with TVM_GETITEMW, and the focus rectangle of the row that has the keyboard.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/tree/win32/clip_tree_controller.h"
#include "categories/clipboard_handler.h"
#include "categories/win32/win32_tree_view.h"
#include "foundation/settings_storage.h"
#include "foundation/skin_image.h"
#include "platform/dib_info.h"
#include "platform/win32/notify_reflection.h"
#include "platform/win32/window.h"
#include "store/text_item.h"
#include "tests/support/clipboard_driver.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr int kReadTreeWidth = 200;
constexpr int kReadTreeHeight = 300;

LRESULT CALLBACK ReadTreeFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (message == WM_NOTIFY && ReflectNotify(lParam, result)) return result;
  return DefWindowProcW(window, message, wParam, lParam);
}

UniqueWindow MakeReadTreeFrame() {
  static const ATOM registered = [] {
    const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW frameClass{};
    frameClass.lpfnWndProc = ReadTreeFrameProc;
    frameClass.hInstance = GetModuleHandleW(nullptr);
    frameClass.lpszClassName = L"QuilleryReadTreeTestFrame";
    return RegisterClassW(&frameClass);
  }();
  (void)registered;
  return UniqueWindow(CreateWindowExW(WS_EX_TOOLWINDOW, L"QuilleryReadTreeTestFrame", L"", WS_POPUP,
                                      0, 0, kReadTreeWidth, kReadTreeHeight, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
}

class CReadTreeHost : public CClipTreeHost {
 public:
  HWND OwnerWindow() const override { return owner; }
  int QuickPasteMode() const override { return quickPasteMode; }
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
  void ClipsDeleted() override {}
  void UndoDelete() override {}
  void EditClipText(int) override {}
  void WriteNote(const CItemNode*) override {}
  void PasteClipsTogether(const std::vector<int>&, EPickedBy) override {}

  HWND owner = nullptr;
  int quickPasteMode = 1;
};

class ClipTreeReadingTest : public ::testing::Test {
 protected:
  ClipTreeReadingTest() {
    Settings::CreateSettings(folder_.Path() / "quillery.ini", true);
    host_.owner = frame_.get();
    handler_.AttachTree(&view_, driver_.OwnerWindow());
    driver_.OnChange([this] {
      handler_.CaptureClipboard();
      handler_.RebuildTree();
    });
    ShowWindow(frame_.get(), SW_SHOWNOACTIVATE);
    // History clips come as captures do, each newest at the head of the history.
    for (const char16_t* text : {u"older words", u"newest\r\nwords"}) {
      EXPECT_TRUE(driver_.CopyText(text));
    }
    AddClip(kNotesCategoryId, u"a note");
    handler_.RebuildTree();
    for (TTreeNode* row : view_.ChildRows(nullptr)) view_.SetExpanded(row, true);
  }
  ~ClipTreeReadingTest() override {
    driver_.OnChange(nullptr);
    TreeView_DeleteAllItems(tree_);  // the rows' data goes with the handler
    Settings::ReleaseSettings();
  }

  void AddClip(int categoryId, const std::u16string& text) {
    auto clip = std::make_unique<CTextItem>();
    clip->text = text;
    clip->textLength = static_cast<int>(text.size());
    clip->categoryId = categoryId;
    handler_.AppendClip(std::move(clip));
  }

  // What TVM_GETITEMW puts into a buffer of `units` for the row.
  std::wstring Read(HTREEITEM row, int units = 260, UINT mask = TVIF_TEXT) const {
    std::wstring buffer(static_cast<std::size_t>(units), L'#');
    TVITEMW item{};
    item.mask = mask | TVIF_HANDLE;
    item.hItem = row;
    item.pszText = buffer.data();
    item.cchTextMax = units;
    if (!SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return L"<none>";
    const std::size_t end = buffer.find(L'\0');
    return end == std::wstring::npos ? buffer : buffer.substr(0, end);
  }

  std::vector<std::wstring> ReadAll() const {
    std::vector<std::wstring> texts;
    for (HTREEITEM category = TreeView_GetRoot(tree_); category != nullptr;
         category = TreeView_GetNextSibling(tree_, category)) {
      texts.push_back(Read(category));
      for (HTREEITEM clip = TreeView_GetChild(tree_, category); clip != nullptr;
           clip = TreeView_GetNextSibling(tree_, clip)) {
        texts.push_back(Read(clip));
      }
    }
    return texts;
  }

  // The selected row's top edge as WM_PAINT draws it, 0xRRGGBB.
  std::vector<std::uint32_t> SelectedRowTopEdge() const {
    const BITMAPINFO info = TopDownDibInfo(kReadTreeWidth, kReadTreeHeight, 32);
    void* bits = nullptr;
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    UniqueBitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    SelectGuard selected(dc.get(), bitmap.get());
    SendMessageW(tree_, WM_PAINT, reinterpret_cast<WPARAM>(dc.get()), 0);
    GdiFlush();
    RECT row{};
    TreeView_GetItemRect(tree_, TreeView_GetSelection(tree_), &row, FALSE);
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> edge;
    for (int x = 0; x < kReadTreeWidth; ++x) {
      edge.push_back(pixels[row.top * kReadTreeWidth + x] & 0xFFFFFF);
    }
    return edge;
  }

  CTempFolder folder_;
  CClipboardDriver driver_;
  UniqueWindow frame_ = MakeReadTreeFrame();
  HWND tree_ = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_NOTOOLTIPS, 0, 0,
                               kReadTreeWidth, kReadTreeHeight, frame_.get(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  CWin32TreeView view_{tree_};
  CClipboardHandler handler_;  // after the view: its mirror goes first
  CReadTreeHost host_;
  CClipTreeController controller_{tree_, host_, handler_, MakeSkinImage(), 96};
};

TEST_F(ClipTreeReadingTest, EveryRowReadsAsItsCategoryOrClip) {
  EXPECT_EQ(ReadAll(), (std::vector<std::wstring>{
                           L"Clipboard history, 2 clips", L"newest words, quick paste Ctrl+1",
                           L"older words, quick paste Ctrl+2", L"Quick notes, 1 clip",
                           L"a note, quick paste Alt+1"}));
}

TEST_F(ClipTreeReadingTest, TheTextFollowsTheQuickPasteSettingWithoutARebuild) {
  host_.quickPasteMode = 0;
  const HTREEITEM newest = TreeView_GetChild(tree_, TreeView_GetRoot(tree_));
  EXPECT_EQ(Read(newest), L"newest words");
}

TEST_F(ClipTreeReadingTest, AShortBufferGetsTheTextCutAndEnded) {
  EXPECT_EQ(Read(TreeView_GetRoot(tree_), 10), L"Clipboard");
  // Asked for no text, the buffer is left as it was.
  EXPECT_EQ(Read(TreeView_GetRoot(tree_), 4, TVIF_PARAM), L"####");
}

TEST_F(ClipTreeReadingTest, TheSelectedRowShowsAFocusRectangleOnlyWhileTheTreeHasTheKeyboard) {
  TreeView_SelectItem(tree_, TreeView_GetChild(tree_, TreeView_GetRoot(tree_)));
  SetFocus(nullptr);
  const std::vector<std::uint32_t> unfocused = SelectedRowTopEdge();
  SetFocus(tree_);
  ASSERT_EQ(GetFocus(), tree_);
  EXPECT_NE(SelectedRowTopEdge(), unfocused);
}

}  // namespace
