// The clip list as a screen reader finds it: every row's text read from another process
// the way the system's accessibility proxies read a tree view, and the list reached with
// the keyboard alone through its hot key.

#include <string>
#include <vector>

#include "app/window/win32/main_window_ids.h"
#include "app/window/win32/main_window_messages.h"
#include "foundation/key_combination.h"
#include "foundation/settings_keys.h"
#include "platform/handles.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/program_fixture.h"
// After windows.h, which it needs.
#include <commctrl.h>
#include <shellapi.h>

namespace {

constexpr int kTextUnits = 512;

// A process handle that closes itself.
struct ProcessTraits {
  using Handle = HANDLE;
  static void Close(Handle handle) { CloseHandle(handle); }
};

// Reads tree rows of another process with TVM_GETITEMW: the item and its text buffer live
// in memory placed in that process, as the reader's pointers must be valid there.
class CRemoteTreeReader {
 public:
  CRemoteTreeReader(HWND tree, DWORD processId)
      : tree_(tree),
        process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                             processId)) {
    if (process_) {
      remote_ = static_cast<char*>(
          VirtualAllocEx(process_.get(), nullptr, kSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
  }
  ~CRemoteTreeReader() {
    if (remote_ != nullptr) VirtualFreeEx(process_.get(), remote_, 0, MEM_RELEASE);
  }
  CRemoteTreeReader(const CRemoteTreeReader&) = delete;
  CRemoteTreeReader& operator=(const CRemoteTreeReader&) = delete;

  bool Ready() const { return remote_ != nullptr; }

  // Every row's text, depth first, folded rows' children included.
  std::vector<std::u16string> AllRowTexts() const {
    std::vector<std::u16string> texts;
    AppendLevel(Next(TVGN_ROOT, nullptr), texts);
    return texts;
  }

 private:
  static constexpr SIZE_T kSize = sizeof(TVITEMW) + kTextUnits * sizeof(wchar_t);

  HTREEITEM Next(UINT relation, HTREEITEM item) const {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item),
                        SMTO_ABORTIFHUNG, 2000, &result);
    return reinterpret_cast<HTREEITEM>(result);
  }

  void AppendLevel(HTREEITEM first, std::vector<std::u16string>& texts) const {
    for (HTREEITEM item = first; item != nullptr; item = Next(TVGN_NEXT, item)) {
      texts.push_back(Text(item));
      AppendLevel(Next(TVGN_CHILD, item), texts);
    }
  }

  std::u16string Text(HTREEITEM item) const {
    TVITEMW request{};
    request.mask = TVIF_TEXT | TVIF_HANDLE;
    request.hItem = item;
    request.pszText = reinterpret_cast<wchar_t*>(remote_ + sizeof(TVITEMW));
    request.cchTextMax = kTextUnits;
    const wchar_t cleared = L'\0';
    DWORD_PTR found = 0;
    if (!WriteProcessMemory(process_.get(), remote_, &request, sizeof request, nullptr) ||
        !WriteProcessMemory(process_.get(), request.pszText, &cleared, sizeof cleared, nullptr) ||
        !SendMessageTimeoutW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote_),
                             SMTO_ABORTIFHUNG, 2000, &found) ||
        found == 0) {
      return u"<unread>";
    }
    std::u16string text(kTextUnits, u'\0');
    if (!ReadProcessMemory(process_.get(), request.pszText, text.data(),
                           text.size() * sizeof(char16_t), nullptr)) {
      return u"<unread>";
    }
    text.resize(text.find(u'\0'));
    return text;
  }

  HWND tree_;
  Unique<ProcessTraits> process_;
  char* remote_ = nullptr;
};

bool Contains(const std::vector<std::u16string>& texts, const std::u16string& text) {
  for (const std::u16string& each : texts) {
    if (each == text) return true;
  }
  return false;
}

// Whether the program's keyboard focus is on `control`, as GetGUIThreadInfo tells another
// process.
bool HasKeyboard(const CRunningProgram& program, HWND control) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(program.MainWindow(), nullptr);
  return GetGUIThreadInfo(thread, &info) && info.hwndFocus == control;
}

using ScreenReaderTest = ProgramTest;

TEST_F(ScreenReaderTest, AnotherProcessReadsEveryRowAsItsCategoryOrClip) {
  auto program = Start();
  ASSERT_NE(program, nullptr);
  ASSERT_TRUE(CopyAndWait(*program, u"first copied words"));
  ASSERT_TRUE(CopyAndWait(*program, u"second\r\ncopied words"));
  const CRemoteTreeReader reader(program->Control(kIdItemsTree), program->ProcessId());
  ASSERT_TRUE(reader.Ready());
  std::vector<std::u16string> texts;
  // The rows follow the header's caption once the tree is rebuilt.
  PumpUntil([&] {
    texts = reader.AllRowTexts();
    return Contains(texts, u"Clipboard history, 2 clips");
  });
  EXPECT_TRUE(Contains(texts, u"Clipboard history, 2 clips")) << ::testing::PrintToString(texts);
  // Quick paste is on by default: the newest is Ctrl+1.
  EXPECT_TRUE(Contains(texts, u"second copied words, quick paste Ctrl+1"))
      << ::testing::PrintToString(texts);
  EXPECT_TRUE(Contains(texts, u"first copied words, quick paste Ctrl+2"))
      << ::testing::PrintToString(texts);
  for (const std::u16string& text : texts) {
    EXPECT_EQ(text.find_first_not_of(u' '), 0u) << ::testing::PrintToString(text);
  }
  EXPECT_TRUE(program->Close());
}

TEST_F(ScreenReaderTest, TheListHotKeyGivesTheDockedListTheKeyboardWithARowSelected) {
  installation.SetSetting(Settings::kListHotKeyValue, kKeyCtrl | kKeyShift | 'L');
  auto program = Start();
  ASSERT_NE(program, nullptr);
  ASSERT_TRUE(CopyAndWait(*program, u"reached by keys"));
  HWND tree = program->Control(kIdItemsTree);
  EXPECT_FALSE(IsWindowVisible(tree));  // folded while the cursor is away
  TypeChord({VK_CONTROL, VK_SHIFT, 'L'});
  EXPECT_TRUE(PumpUntil([&] { return HasKeyboard(*program, tree); }));
  EXPECT_TRUE(IsWindowVisible(tree));
  EXPECT_EQ(GetForegroundWindow(), program->MainWindow());
  EXPECT_NE(TreeView_GetSelection(tree), nullptr);
  // The list stays for the keyboard although the cursor is nowhere near it.
  PumpFor(std::chrono::milliseconds(300));
  EXPECT_TRUE(IsWindowVisible(tree));
  EXPECT_TRUE(program->Close());
}

TEST_F(ScreenReaderTest, TabGoesRoundTheHeaderButtonsAndTheList) {
  installation.SetSetting(Settings::kListHotKeyValue, kKeyCtrl | kKeyShift | 'L');
  auto program = Start();
  ASSERT_NE(program, nullptr);
  HWND tree = program->Control(kIdItemsTree);
  TypeChord({VK_CONTROL, VK_SHIFT, 'L'});
  ASSERT_TRUE(PumpUntil([&] { return HasKeyboard(*program, tree); }));
  // From the last stop on to the first: the open button, at the header's left.
  TypeChord({VK_TAB});
  EXPECT_TRUE(PumpUntil([&] { return HasKeyboard(*program, program->Control(kIdOpenClipboard)); }));
  TypeChord({VK_SHIFT, VK_TAB});
  EXPECT_TRUE(PumpUntil([&] { return HasKeyboard(*program, tree); }));
  EXPECT_TRUE(program->Close());
}

TEST_F(ScreenReaderTest, TheTrayIconsKeyboardSelectionGivesTheListTheKeyboard) {
  auto program = Start();
  ASSERT_NE(program, nullptr);
  ASSERT_TRUE(CopyAndWait(*program, u"from the tray"));
  HWND tree = program->Control(kIdItemsTree);
  // As the shell tells Enter on the icon reached with the keyboard.
  PostMessageW(program->MainWindow(), kTrayMessage, kTrayIconId, NIN_KEYSELECT);
  EXPECT_TRUE(PumpUntil([&] { return HasKeyboard(*program, tree); }));
  EXPECT_TRUE(IsWindowVisible(tree));
  EXPECT_NE(TreeView_GetSelection(tree), nullptr);
  EXPECT_TRUE(program->Close());
}

}  // namespace
