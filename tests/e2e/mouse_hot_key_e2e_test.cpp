// The popup's mouse hot key, Ctrl with a left click, clicked on a window of another
// program: the popup opens and that window never hears of the click; other clicks reach
// it as before.

#include "foundation/settings_keys.h"
#include "store/text_item.h"
#include "platform/win32/gdi.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/paste_program_fixture.h"

namespace {

constexpr wchar_t kClickCounterClass[] = L"QuilleryClickCounter";

// "Another application" under the mouse: a top-level window of this thread that counts
// the presses and releases of the left and middle buttons it is sent, as a link or a caret
// would follow them.
class CClickCounter {
 public:
  explicit CClickCounter(POINT centre) {
    static const ATOM registered = [] {
      WNDCLASSW windowClass{};
      windowClass.lpfnWndProc = &CClickCounter::Proc;
      windowClass.hInstance = GetModuleHandleW(nullptr);
      windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
      windowClass.lpszClassName = kClickCounterClass;
      return RegisterClassW(&windowClass);
    }();
    (void)registered;
    window_.reset(CreateWindowExW(WS_EX_TOPMOST, kClickCounterClass, L"Clicks",
                                  WS_POPUP | WS_VISIBLE, centre.x - 100, centre.y - 100, 200, 200,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), this));
    PumpMessages();
  }

  // Brings the window to the front, and lets the system settle there.
  bool TakeFocus() {
    const bool front = PumpUntil([&] {
      if (GetForegroundWindow() != window_.get()) SetForegroundWindow(window_.get());
      return GetForegroundWindow() == window_.get();
    });
    PumpFor(std::chrono::milliseconds(200));
    return front;
  }

  int Presses() const { return presses_; }
  int Releases() const { return releases_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<CClickCounter*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && (message == WM_LBUTTONDOWN || message == WM_MBUTTONDOWN)) {
      ++self->presses_;
    }
    if (self != nullptr && (message == WM_LBUTTONUP || message == WM_MBUTTONUP)) {
      ++self->releases_;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  UniqueWindow window_;
  int presses_ = 0;
  int releases_ = 0;
};

class MouseHotKeyTest : public PasteProgramTest {
 protected:
  // Where the popup opens beside the cursor on any work area.
  static POINT ClickPoint() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left + 300, work.top + 200};
  }

  // Wine takes the X keyboard's state again when the pointer enters a window or the focus
  // moves, which lets go of the keys that SendInput holds: the cursor is placed and the
  // window brought to the front first, then the modifier is held for a click where the
  // cursor is.
  static void ModifiedClickAt(POINT point, WORD modifier, DWORD down, DWORD up) {
    SetCursorPos(point.x, point.y);
    PumpFor(kSettle);
    PressKey(modifier, true);
    PumpFor(kGap);
    for (DWORD flags : {down, up}) {
      INPUT input{};
      input.type = INPUT_MOUSE;
      input.mi.dwFlags = flags;
      SendInput(1, &input, sizeof input);
      PumpFor(kGap);
    }
    PressKey(modifier, false);
  }

  static void CtrlClickAt(POINT point) {
    ModifiedClickAt(point, VK_CONTROL, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  }

  static constexpr std::chrono::milliseconds kSettle{200};
  static constexpr std::chrono::milliseconds kGap{40};
};

TEST_F(MouseHotKeyTest, CtrlClickOpensThePopupAndTheWindowBelowNeverSeesTheClick) {
  ASSERT_NO_FATAL_FAILURE(StartWithClips());
  CClickCounter counter(ClickPoint());
  ASSERT_TRUE(counter.TakeFocus());
  CtrlClickAt(ClickPoint());
  EXPECT_TRUE(PumpUntil([&] { return PopupShown(); }));
  PumpFor(kAfterPaste);
  EXPECT_EQ(counter.Presses(), 0);
  EXPECT_EQ(counter.Releases(), 0);

  // Closed, the popup leaves the hook watching; a plain click is the window's, once.
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == program->MainWindow(); }));
  TypeChord({VK_ESCAPE});
  ASSERT_TRUE(PumpUntil([&] { return !PopupShown(); }));
  ClickAt(ClickPoint());
  EXPECT_TRUE(PumpUntil([&] { return counter.Releases() > 0; }));
  PumpFor(kAfterPaste);
  EXPECT_EQ(counter.Presses(), 1);
  EXPECT_EQ(counter.Releases(), 1);
}

TEST_F(MouseHotKeyTest, WithoutAMouseHotKeyCtrlClickIsTheWindowsOwn) {
  installation.SetSetting(Settings::kPriHotKeyValue, Settings::kPriHotKeyNone);
  ASSERT_NO_FATAL_FAILURE(StartWithClips());
  CClickCounter counter(ClickPoint());
  ASSERT_TRUE(counter.TakeFocus());
  CtrlClickAt(ClickPoint());
  EXPECT_TRUE(PumpUntil([&] { return counter.Releases() > 0; }));
  PumpFor(kAfterPaste);
  EXPECT_EQ(counter.Presses(), 1);
  EXPECT_EQ(counter.Releases(), 1);
  EXPECT_FALSE(PopupShown());
}

TEST_F(MouseHotKeyTest, AClipsMouseHotKeyPutsItOnTheClipboardAndKeepsTheClick) {
  CDataBase store;
  auto clip = std::make_unique<CTextItem>();
  clip->text = u"bound note";
  clip->textLength = static_cast<int>(clip->text.size());
  clip->categoryId = kNotesCategoryId;
  clip->hotKey = 0x2004;  // Shift with a middle click
  store.AppendClip(std::move(clip));
  store.SaveToFile(installation.DataFile());
  program = Start();
  ASSERT_TRUE(program);
  ASSERT_TRUE(CopyAndWait(*program, u"alpha"));
  ASSERT_TRUE(driver.Clear());
  CClickCounter counter(ClickPoint());
  ASSERT_TRUE(counter.TakeFocus());
  ModifiedClickAt(ClickPoint(), VK_SHIFT, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
  EXPECT_TRUE(PumpUntil([&] { return driver.ReadUnicodeText() == u"bound note"; }));
  PumpFor(kAfterPaste);
  EXPECT_EQ(counter.Presses(), 0);
  EXPECT_EQ(counter.Releases(), 0);
  EXPECT_FALSE(PopupShown());
}

}  // namespace
