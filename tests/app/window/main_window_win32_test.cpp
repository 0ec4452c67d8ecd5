// The real main window in this process, on a data folder of its own: the header's Unicode
// caption and drag zone, WM_CLOSE saving the data file, and a close that cannot save.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/tree/win32/clip_tree_menu.h"
#include "app/window/win32/clipboard_viewer_form.h"
#include "app/window/win32/main_window_ids.h"
#include "app/window/single_instance_key.h"
#include "app/window/window_metrics.h"
#include "categories/clipboard_handler.h"
#include "foundation/bitmap.h"
#include "foundation/data_paths.h"
#include "foundation/day_count.h"
#include "foundation/error_box.h"
#include "platform/handles.h"
#include "platform/win32/dpi.h"
#include "store/database.h"
#include "store/text_item.h"
#include "tests/app/window/win32_test_helpers.h"
#include "tests/support/environment_guard.h"
#include "tests/support/temp_folder.h"

namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    // Neither the first-run settings dialog nor the update question.
    const std::wstring ini = std::filesystem::path(SettingsFileName()).wstring();
    WritePrivateProfileStringW(L"Main", L"FirstLaunch", L"0", ini.c_str());
    const std::wstring today = std::to_wstring(static_cast<int>(std::trunc(CurrentDayCount())));
    WritePrivateProfileStringW(L"Main", L"LastUpdatesCheck", today.c_str(), ini.c_str());
    SetErrorBoxHandler([this](const std::string& text) { errors_.push_back(text); });
    other_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    // Nothing for the first capture at start-up.
    if (OpenClipboard(other_)) {
      EmptyClipboard();
      CloseClipboard();
    }
  }
  ~MainWindowTest() override {
    form_.reset();
    SetErrorBoxHandler(nullptr);
    DestroyWindow(other_);
    // The closed window ended "the program": take its WM_QUIT away from the next tests.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  void Start() {
    instance_ = std::make_unique<CSingleInstance>(InstanceNameFor(DataFolder()));
    form_ = std::make_unique<TClipboardViewerForm>(*instance_);
    ASSERT_TRUE(form_->Create());
    PumpFor(200);
  }
  HWND Main() const { return form_->Handle(); }
  // The close has run to its end: the clips are on disk and the message loop is told to
  // end. The window itself is left to the end of the process.
  bool Ended() const { return form_->Closed() && IsWindowVisible(Main()) == FALSE; }

  std::wstring Header() const {
    wchar_t text[512] = {};
    GetWindowTextW(GetDlgItem(Main(), kIdClipboardContent), text, 512);
    return text;
  }
  bool Copy(const std::wstring& text) {
    const bool copied = CopyText(other_, text);
    PumpFor(150);
    return copied;
  }
  // Unfolds and pins the list and right-clicks the newest clip; while its menu is open
  // `meanwhile` runs, then "Delete item" is chosen.
  void DeleteNewestClipWhile(const std::function<void()>& meanwhile) {
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(kIdOpenClipboard, BN_CLICKED), 0);
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(kIdPin, BN_CLICKED), 0);
    const HWND tree = GetDlgItem(Main(), kIdItemsTree);
    TreeView_Expand(tree, TreeView_GetRoot(tree), TVE_EXPAND);
    const HTREEITEM newest = TreeView_GetChild(tree, TreeView_GetRoot(tree));
    ASSERT_NE(newest, nullptr);
    RECT row{};
    ASSERT_TRUE(TreeView_GetItemRect(tree, newest, &row, FALSE));
    SetClipTreeMenuTestHook([&](HMENU) -> UINT {
      meanwhile();
      return kCmdDeleteItem;
    });
    SendMessageW(tree, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(60, (row.top + row.bottom) / 2));
    SetClipTreeMenuTestHook({});
  }
  std::vector<std::u16string> SavedTexts() const {
    CDataBase saved;
    saved.LoadFromFile(folder_.Path() / "data.dat");
    std::vector<std::u16string> texts;
    for (const auto& clip : saved.Items()) {
      if (const auto* text = dynamic_cast<const CTextItem*>(clip.get()))
        texts.push_back(text->text.Utf16());
    }
    return texts;
  }

  CTempFolder folder_;
  CEnvironmentGuard dataFolder_{"U3_APP_DATA_PATH", folder_.Path().string().c_str()};
  std::unique_ptr<CSingleInstance> instance_;
  std::unique_ptr<TClipboardViewerForm> form_;
  std::vector<std::string> errors_;
  HWND other_ = nullptr;
};

TEST_F(MainWindowTest, HeaderShowsTheNewestCaptionInAnyScriptAndDragsTheWindow) {
  Start();
  const std::wstring caption = L"Gr\u00FC\u00DFe \u2014 \u65E5\u672C\u8A9E \u0416";
  ASSERT_TRUE(Copy(caption));
  EXPECT_EQ(Header(), caption);

  RECT window{};
  GetWindowRect(Main(), &window);
  EXPECT_EQ(SendMessageW(Main(), WM_NCHITTEST, 0, MAKELPARAM(window.left + 5, window.top + 5)),
            HTCAPTION);
  EXPECT_EQ(SendMessageW(Main(), WM_NCHITTEST, 0, MAKELPARAM(window.right - 5, window.top + 5)),
            HTCLIENT);
}

TEST_F(MainWindowTest, CopiesWhoseNoticesWaitTogetherAreShownOnceTheLastIsHandled) {
  Start();
  ASSERT_TRUE(Copy(L"one"));
  // Two copies before the window hears of either: the header and the list wait for the last
  // notice, which finds nothing new, and then show the clip.
  ASSERT_TRUE(CopyText(other_, L"two"));
  ASSERT_TRUE(CopyText(other_, L"three"));
  PumpFor(150);
  EXPECT_EQ(Header(), L"three");
  const HWND tree = GetDlgItem(Main(), kIdItemsTree);
  const HTREEITEM history = TreeView_GetRoot(tree);
  ASSERT_NE(history, nullptr);
  wchar_t text[64] = {};
  TVITEMW row{};
  row.mask = TVIF_TEXT;
  row.hItem = history;
  row.pszText = text;
  row.cchTextMax = 64;
  ASSERT_TRUE(TreeView_GetItem(tree, &row));
  EXPECT_EQ(std::wstring(text), L"Clipboard history, 2 clips");
}

TEST_F(MainWindowTest, TheHistoryRowIsOpenWhenTheListIsFirstShownAndLeftAsTheUserSetsItAfter) {
  Start();
  ASSERT_TRUE(Copy(L"one"));
  ASSERT_TRUE(Copy(L"two"));
  const HWND tree = GetDlgItem(Main(), kIdItemsTree);
  const HTREEITEM history = TreeView_GetRoot(tree);
  ASSERT_NE(history, nullptr);
  auto expanded = [&] {
    return (TreeView_GetItemState(tree, history, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
  };
  auto shown = [&] { return (GetWindowLongPtrW(tree, GWL_STYLE) & WS_VISIBLE) != 0; };
  auto toggleList = [&] {
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(kIdOpenClipboard, BN_CLICKED), 0);
    PumpFor(50);
  };
  SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(kIdPin, BN_CLICKED), 0);  // open while away
  EXPECT_FALSE(expanded());  // not opened while the list is folded
  toggleList();
  ASSERT_TRUE(shown());
  EXPECT_TRUE(expanded());
  TreeView_Expand(tree, history, TVE_COLLAPSE);
  toggleList();
  toggleList();
  EXPECT_TRUE(shown());
  EXPECT_FALSE(expanded());
}

TEST_F(MainWindowTest, CloseMessageSavesEveryClipAndEnds) {
  Start();
  ASSERT_TRUE(Copy(L"kept at close"));
  SendMessageW(Main(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(Ended());
  EXPECT_TRUE(errors_.empty());
  EXPECT_EQ(SavedTexts(), std::vector<std::u16string>{u"kept at close"});
}

TEST_F(MainWindowTest, ACloseWhileAClipMenuIsOpenWaitsUntilItsCommandHasRun) {
  Start();
  ASSERT_TRUE(Copy(L"kept"));
  ASSERT_TRUE(Copy(L"deleted from the menu"));
  bool openInMenu = false;
  DeleteNewestClipWhile([&] {
    SendMessageW(Main(), WM_CLOSE, 0, 0);
    openInMenu = !Ended();
  });
  EXPECT_TRUE(openInMenu);
  PumpFor(100);
  EXPECT_TRUE(Ended());
  EXPECT_TRUE(errors_.empty());
  EXPECT_EQ(SavedTexts(), std::vector<std::u16string>{u"kept"});
}

TEST_F(MainWindowTest, TheEndOfTheSessionWhileAClipMenuIsOpenSavesAtOnceAndClosesAfter) {
  Start();
  ASSERT_TRUE(Copy(L"kept"));
  ASSERT_TRUE(Copy(L"deleted from the menu"));
  bool openInMenu = false;
  std::vector<std::u16string> savedInMenu;
  DeleteNewestClipWhile([&] {
    SendMessageW(Main(), WM_ENDSESSION, TRUE, 0);
    openInMenu = !Ended();
    savedInMenu = SavedTexts();
  });
  EXPECT_TRUE(openInMenu);
  EXPECT_EQ(savedInMenu, (std::vector<std::u16string>{u"deleted from the menu", u"kept"}));
  PumpFor(100);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(SavedTexts(), std::vector<std::u16string>{u"kept"});
}

TEST_F(MainWindowTest, ACloseThatCannotSaveKeepsCapturingUntilItCan) {
  Start();
  ASSERT_TRUE(Copy(L"before the failed close"));
  // A folder where the data file should go: it cannot be replaced.
  std::filesystem::create_directory(folder_.Path() / "data.dat");
  SendMessageW(Main(), WM_CLOSE, 0, 0);
  ASSERT_FALSE(Ended());
  EXPECT_EQ(errors_.size(), 1u);
  ASSERT_TRUE(Copy(L"after the failed close"));
  EXPECT_EQ(Header(), L"after the failed close");

  std::filesystem::remove(folder_.Path() / "data.dat");
  SendMessageW(Main(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(SavedTexts(),
            (std::vector<std::u16string>{u"after the failed close", u"before the failed close"}));
}

TEST_F(MainWindowTest, ADataFileThatCannotBeReadIsKeptBeforeItIsSavedOver) {
  const std::filesystem::path data = folder_.Path() / "data.dat";
  std::ofstream(data, std::ios::binary) << "not read, not lost";
  {
    // Another program holds the file open, sharing nothing: neither read nor copied.
    UniqueFile held(AdoptFile(
        CreateFileW(data.wstring().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
    ASSERT_TRUE(held);
    Start();
  }
  EXPECT_EQ(errors_.size(), 1u);
  ASSERT_TRUE(Copy(L"captured after all"));
  EXPECT_EQ(Header(), L"captured after all");
  // The file is free now: at close it is kept beside, then replaced.
  SendMessageW(Main(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(Ended());
  EXPECT_EQ(SavedTexts(), std::vector<std::u16string>{u"captured after all"});
  int kept = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder_.Path())) {
    if (entry.path().filename().string().rfind("data.dat.unreadable-", 0) != 0) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "not read, not lost");
    ++kept;
  }
  EXPECT_EQ(kept, 1);
}

// ---- Dots per inch ----
// Wine gives every window the dpi of its LogPixels setting (GetDpiForWindow, as Windows
// does for a program aware of each monitor's dpi) but has one monitor and never sends
// WM_DPICHANGED; the message is sent here as Windows sends it when the window is dragged
// onto a monitor of another dpi.

int FontHeightOf(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return font.lfHeight;
}

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void SendDpiChanged(HWND window, int dpi, RECT suggested) {
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

bool CopyPicture(HWND owner, int width, int height) {
  UniqueBitmap picture = TBitmap(width, height, 24).CreateHandle();
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  const bool placed = SetClipboardData(CF_BITMAP, picture.get()) != nullptr;
  if (placed) picture.release();
  CloseClipboard();
  return placed;
}

// The thumbnail of the newest history clip.
const TBitmap* NewestThumbnail() {
  const auto history = GetHandler().Root().children.find(kHistoryCategoryId);
  if (history == GetHandler().Root().children.end()) return nullptr;
  for (const auto& [id, node] : history->second->children) {
    if (node->thumbnail) return node->thumbnail.get();
  }
  return nullptr;
}

TEST_F(MainWindowTest, TheWindowOpensAtTheDpiTheSystemGivesIt) {
  Start();
  const int dpi = DpiOfWindow(Main());
  EXPECT_EQ(dpi, ScreenDpi());  // Wine's one monitor has the system's dpi
  const MainWindowMetrics metrics = MainWindowMetricsAt(dpi);
  const RECT window = WindowRect(Main());
  EXPECT_EQ(window.bottom - window.top, metrics.headerHeight);
  EXPECT_EQ(window.right - window.left, ScaleToDpi(200, dpi));
  EXPECT_EQ(FontHeightOf(GetDlgItem(Main(), kIdClipboardContent)), metrics.formFontHeight);
  EXPECT_EQ(FontHeightOf(GetDlgItem(Main(), kIdItemsTree)), metrics.treeFontHeight);
}

TEST_F(MainWindowTest, AMoveTo144DpiTakesTheSuggestedPlaceAndScalesTheRowsFontsAndThumbnails) {
  Start();
  ASSERT_TRUE(CopyPicture(other_, 40, 20));
  PumpFor(150);
  ASSERT_NE(NewestThumbnail(), nullptr);
  EXPECT_EQ(NewestThumbnail()->Height(), 22);
  const HWND tree = GetDlgItem(Main(), kIdItemsTree);
  EXPECT_EQ(TreeView_GetItemHeight(tree), 26);

  SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(kIdOpenClipboard, BN_CLICKED), 0);
  SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(kIdPin, BN_CLICKED), 0);
  const RECT before = WindowRect(Main());
  // Windows suggests the old rectangle scaled, where the drag has taken it.
  SendDpiChanged(Main(), 144,
                 {before.left - 50, before.top + 20, before.left + 250, before.top + 602});
  EXPECT_TRUE(WindowRect(Main()) ==
              (RECT{before.left - 50, before.top + 20, before.left + 250, before.top + 602}));
  EXPECT_EQ(FontHeightOf(GetDlgItem(Main(), kIdClipboardContent)), -17);
  EXPECT_EQ(FontHeightOf(tree), -29);
  EXPECT_EQ(TreeView_GetItemHeight(tree), 38);
  EXPECT_EQ(TreeView_GetIndent(tree), 63);
  EXPECT_EQ(NewestThumbnail()->Height(), 33);
  const RECT open = WindowRect(GetDlgItem(Main(), kIdOpenClipboard));
  EXPECT_EQ(open.right - open.left, 30);
  EXPECT_EQ(WindowRect(Main()).right - open.right, 2);  // 1 pixel of frame at 96 dpi, scaled

  // And back, as it was.
  SendDpiChanged(Main(), 96, before);
  EXPECT_TRUE(WindowRect(Main()) == before);
  EXPECT_EQ(FontHeightOf(tree), -19);
  EXPECT_EQ(TreeView_GetItemHeight(tree), 26);
  EXPECT_EQ(NewestThumbnail()->Height(), 22);
  EXPECT_TRUE(errors_.empty());
}

}  // namespace
