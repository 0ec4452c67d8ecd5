// Pausing capture from outside ("quillery.exe /pause" and "/resume") and from the tray
// icon's menu, and the menu's "Clear history".

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/window/single_instance_key.h"
#include "app/window/win32/main_window_messages.h"
#include "app/window/win32/single_instance.h"
#include "platform/handles.h"
#include "platform/win32/gdi.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/program_fixture.h"
#include "tests/e2e/stored_clips.h"

namespace {

using namespace std::chrono_literals;

// Time for a program to take a copy it should not take.
constexpr std::chrono::milliseconds kCaptureGrace{600};

DWORD Code(EPauseResult result) {
  return static_cast<DWORD>(result);
}

class PauseTest : public ProgramTest {
 protected:
  std::optional<DWORD> Run(const wchar_t* arguments) {
    return RunToEnd(installation.Program(), arguments);
  }

  // Right-clicks the tray icon as the shell tells it, and waits for the menu.
  HWND OpenTrayMenu(const CRunningProgram& program) {
    PostMessageW(program.MainWindow(), kTrayMessage, kTrayIconId, WM_RBUTTONUP);
    HWND menu = nullptr;
    PumpUntil([&] {
      menu = FindProcessWindow(program.ProcessId(), L"#32768");
      return menu != nullptr && IsWindowVisible(menu);
    });
    if (menu != nullptr) PumpFor(300ms);  // painted
    return menu;
  }

  // Chooses the `position`-th (from 1) item of the open menu with the keyboard.
  void Choose(int position) {
    for (int i = 0; i < position; ++i) TypeChord({VK_DOWN});
    TypeChord({VK_RETURN});
  }

  std::vector<std::u16string> History() {
    const auto saved = LoadDataFile(installation.DataFile());
    return saved ? ClipTexts(*saved, kHistoryCategoryId) : std::vector<std::u16string>{};
  }
};

// The pixels of the first item's left margin as the screen shows them, where a checked
// item has its check mark.
std::vector<COLORREF> FirstItemMargin(HWND menu) {
  const RECT rect = WindowRect(menu);
  const WindowDc screen(nullptr);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < 22; ++y) {
    for (int x = 0; x < 24; ++x)
      pixels.push_back(GetPixel(screen.get(), rect.left + x, rect.top + y));
  }
  return pixels;
}

TEST_F(PauseTest, WithNoCopyRunningPauseAndResumeEndAtOnceAndStartNone) {
  EXPECT_EQ(Run(L"/pause"), Code(EPauseResult::kNoneRunning));
  EXPECT_EQ(Run(L" /resume "), Code(EPauseResult::kNoneRunning));
  EXPECT_FALSE(std::filesystem::exists(installation.DataFile()));
}

TEST_F(PauseTest, ACopyWhilePausedIsNotKeptAndAfterTheResumeOnlyTheNextCopyIs) {
  auto program = Start();
  ASSERT_TRUE(program);
  ASSERT_TRUE(CopyAndWait(*program, u"before the pause"));
  EXPECT_EQ(Run(L"/pause"), Code(EPauseResult::kDone));
  EXPECT_TRUE(program->WaitForHeader(u"Capture paused \u2013 before the pause"));
  ASSERT_TRUE(driver.CopyText(u"copied while paused"));
  PumpFor(kCaptureGrace);
  EXPECT_EQ(Run(L"/resume"), Code(EPauseResult::kDone));
  EXPECT_TRUE(program->WaitForHeader(u"before the pause"));
  PumpFor(kCaptureGrace);
  EXPECT_EQ(program->HeaderText(), u"before the pause");
  ASSERT_TRUE(CopyAndWait(*program, u"after the resume"));
  ASSERT_TRUE(program->Close());
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"after the resume", u"before the pause"}));
}

TEST_F(PauseTest, ACopyThatHoldsTheNameButDoesNotAnswerIsToldApart) {
  // As a copy that hangs while it starts: the name held, no window answering.
  const std::string name = InstanceNameFor(installation.DataFolder().u16string());
  const std::wstring mutexName = L"Local\\" + std::wstring(name.begin(), name.end());
  const UniqueFile held(CreateMutexW(nullptr, FALSE, mutexName.c_str()));
  ASSERT_TRUE(held);
  EXPECT_EQ(Run(L"/pause"), Code(EPauseResult::kNoAnswer));
}

TEST_F(PauseTest, TheTrayMenusPauseCaptureIsCheckedWhilePausedAndChosenAgainResumes) {
  auto program = Start();
  ASSERT_TRUE(program);
  ASSERT_TRUE(CopyAndWait(*program, u"kept"));
  HWND menu = OpenTrayMenu(*program);
  ASSERT_NE(menu, nullptr) << "no menu opened";
  const std::vector<COLORREF> unchecked = FirstItemMargin(menu);
  Choose(1);
  ASSERT_TRUE(program->WaitForHeader(u"Capture paused \u2013 kept"));
  ASSERT_TRUE(driver.CopyText(u"not kept"));
  PumpFor(kCaptureGrace);

  menu = OpenTrayMenu(*program);
  ASSERT_NE(menu, nullptr);
  EXPECT_NE(FirstItemMargin(menu), unchecked) << "no check mark";
  Choose(1);
  ASSERT_TRUE(program->WaitForHeader(u"kept"));
  menu = OpenTrayMenu(*program);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(FirstItemMargin(menu), unchecked);
  TypeChord({VK_ESCAPE});
  ASSERT_TRUE(CopyAndWait(*program, u"taken again"));
  ASSERT_TRUE(program->Close());
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"taken again", u"kept"}));
}

TEST_F(PauseTest, ClearHistoryAsksNamingTheHistoryAndAfterYesKeepsOnlyTheNotes) {
  WriteTextClips(installation.DataFile(),
                 {{u"old clip", kHistoryCategoryId}, {u"a note", kNotesCategoryId}});
  auto program = Start();
  ASSERT_TRUE(program);
  ASSERT_TRUE(CopyAndWait(*program, u"new clip"));
  ASSERT_NE(OpenTrayMenu(*program), nullptr) << "no menu opened";
  Choose(2);
  HWND box = program->WaitForWindow(L"#32770", L"Confirm", kReplyTimeout);
  ASSERT_NE(box, nullptr) << "no question";
  EXPECT_NE(ChildTexts(box).find(u"All clips of \"Clipboard history\" will be deleted."),
            std::u16string::npos);
  PostMessageW(box, WM_COMMAND, IDYES, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(box); }));
  ASSERT_TRUE(program->Close());
  const auto saved = LoadDataFile(installation.DataFile());
  ASSERT_TRUE(saved);
  EXPECT_TRUE(ClipTexts(*saved, kHistoryCategoryId).empty());
  EXPECT_EQ(ClipTexts(*saved, kNotesCategoryId), std::vector<std::u16string>{u"a note"});
}

}  // namespace
