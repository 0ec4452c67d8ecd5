// Excluded programs told apart by the process behind the copy, as only the model can stage:
// windows of other programs, a clipboard without owner, processes that cannot be opened.

#include <gtest/gtest.h>

#include <cstring>

#include "platform/sim/sim_control.h"
#include "tests/support/store_fixture.h"

namespace {

class CaptureExclusionSimTest : public StoreTest {
 protected:
  CaptureExclusionSimTest() {
    CCaptureRules rules = store.CaptureRules();
    rules.excludedPrograms = {u"KeePass.exe"};
    store.SetCaptureRules(rules);
  }
  // The one process kept open is the last one asked about (it keeps its id to itself).
  ~CaptureExclusionSimTest() override { EXPECT_LE(sim::LiveProcessHandles(), 1u); }

  // Copies `text` with `owner` as the clipboard owner, null for none.
  static void CopyAs(HWND owner, std::u16string_view text) {
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t)));
    {
      GlobalLockGuard lock(memory.get());
      std::memcpy(lock.data(), text.data(), text.size() * sizeof(char16_t));
      static_cast<char16_t*>(lock.data())[text.size()] = u'\0';
    }
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    if (SetClipboardData(CF_UNICODETEXT, memory.get()) != nullptr) memory.release();
    CloseClipboard();
  }

  HWND keePass = sim::NewProgramWindow(u"C:\\Program Files\\KeePass\\KeePass.exe");
  HWND editor = sim::NewProgramWindow(u"C:\\Windows\\notepad.exe");
};

TEST_F(CaptureExclusionSimTest, TheOwnerWindowsProgramDecides) {
  sim::SetForegroundWindow(keePass);
  CopyAs(editor, u"from the editor");
  sim::SetForegroundWindow(editor);
  CopyAs(keePass, u"password");
  EXPECT_EQ(History(), std::vector<std::u16string>{u"from the editor"});
}

TEST_F(CaptureExclusionSimTest, WithoutOwnerTheWindowInFrontDecides) {
  sim::SetForegroundWindow(keePass);
  CopyAs(nullptr, u"password");
  sim::SetForegroundWindow(editor);
  CopyAs(nullptr, u"from the editor");
  EXPECT_EQ(History(), std::vector<std::u16string>{u"from the editor"});
}

TEST_F(CaptureExclusionSimTest, AnOwnerWhoseProcessCannotBeOpenedLeavesItToTheWindowInFront) {
  // Processes that cannot be opened from their start, as those of a higher integrity level.
  HWND elevatedKeePass = sim::NewProgramWindow(u"C:\\Program Files\\KeePass\\KeePass.exe");
  HWND elevatedEditor = sim::NewProgramWindow(u"C:\\Windows\\notepad.exe");
  sim::SetProcessOpenable(elevatedKeePass, false);
  sim::SetProcessOpenable(elevatedEditor, false);
  sim::SetForegroundWindow(editor);
  CopyAs(elevatedKeePass, u"captured: the program cannot be told");
  sim::SetForegroundWindow(elevatedEditor);
  CopyAs(elevatedKeePass, u"captured: neither can be told");
  sim::SetForegroundWindow(keePass);
  CopyAs(elevatedEditor, u"password");
  sim::SetForegroundWindow(nullptr);
  CopyAs(elevatedEditor, u"captured: no window in front");
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"captured: no window in front",
                                                    u"captured: neither can be told",
                                                    u"captured: the program cannot be told"}));
}

TEST_F(CaptureExclusionSimTest, ABurstFromOneProcessAsksForItsProgramOnce) {
  CopyAs(keePass, u"first password");
  EXPECT_EQ(sim::LiveProcessHandles(), 1u);
  // Kept open since, the process is known without asking again: a process that could not be
  // asked now is still the same program.
  sim::SetProcessOpenable(keePass, false);
  sim::SetForegroundWindow(editor);
  CopyAs(keePass, u"second password");
  CopyAs(editor, u"from the editor");
  EXPECT_EQ(sim::LiveProcessHandles(), 1u);  // the editor's now
  EXPECT_EQ(History(), std::vector<std::u16string>{u"from the editor"});
}

TEST_F(CaptureExclusionSimTest, AnEmptyListAsksNoProcess) {
  store.SetCaptureRules(CCaptureRules{});
  sim::SetProcessOpenable(editor, false);
  CopyAs(keePass, u"kept");
  EXPECT_EQ(History(), std::vector<std::u16string>{u"kept"});
}

TEST(SimProcessTest, ImageNamesAreGivenAsTheSystemGivesThem) {
  sim::Reset();
  HWND window = sim::NewProgramWindow(u"C:\\Tools\\tool.exe");
  DWORD processId = 0;
  ASSERT_NE(GetWindowThreadProcessId(window, &processId), 0u);
  EXPECT_NE(processId, 1u);
  UniqueProcess process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  ASSERT_TRUE(process);
  WCHAR name[18];
  DWORD size = 17;  // one unit short of the name and its NUL
  EXPECT_FALSE(QueryFullProcessImageNameW(process.get(), 0, name, &size));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  size = 18;
  ASSERT_TRUE(QueryFullProcessImageNameW(process.get(), 0, name, &size));
  EXPECT_EQ(size, 17u);
  EXPECT_EQ(std::u16string(name), u"C:\\Tools\\tool.exe");
  EXPECT_EQ(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, 4242), nullptr);
  process.reset();
  EXPECT_EQ(sim::LiveProcessHandles(), 0u);
  EXPECT_TRUE(sim::HandleMisuses().empty());
}

}  // namespace
