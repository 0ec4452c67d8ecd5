// The clipboard-viewer chain, pasting into the focused control and the single instance,
// against the real system (under Wine).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/window/win32/clipboard_viewer_chain.h"
#include "app/window/win32/clipboard_watch.h"
#include "app/window/win32/main_window_ids.h"
#include "app/paste/win32/paste_target.h"
#include "app/window/win32/single_instance.h"
#include "app/window/single_instance_key.h"
#include "tests/app/window/win32_test_helpers.h"

namespace {

// A hidden window that records the messages it gets; with a chain, it is a viewer that
// handles them as the main window does.
struct CRecordingWindow {
  CRecordingWindow(CClipboardViewerChain* viewerChain = nullptr, const wchar_t* className = kClass)
      : chain(viewerChain) {
    static const bool registered = [] {
      for (const wchar_t* name : {kClass, kOtherMainClass}) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = name;
        RegisterClassW(&windowClass);
      }
      return true;
    }();
    (void)registered;
    handle = CreateWindowExW(0, className, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleW(nullptr), this);
  }
  ~CRecordingWindow() { DestroyWindow(handle); }

  int Count(UINT message) const {
    int count = 0;
    for (UINT seen : messages) count += seen == message ? 1 : 0;
    return count;
  }

  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      SetWindowLongPtrW(
          window, GWLP_USERDATA,
          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<CRecordingWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    self->messages.push_back(message);
    if (self->chain != nullptr && message == WM_DRAWCLIPBOARD) {
      self->chain->PassOnChange(wParam, lParam);
      return 0;
    }
    if (self->chain != nullptr && message == WM_CHANGECBCHAIN) {
      self->chain->OnChangeChain(wParam, lParam);
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  static constexpr wchar_t kClass[] = L"QuilleryTestRecordingWindow";
  // Stands in for the main window's class, which this process registers for the real one.
  static constexpr wchar_t kOtherMainClass[] = L"QuilleryTestMainWindow";
  CClipboardViewerChain* chain;
  HWND handle = nullptr;
  std::vector<UINT> messages;
};

TEST(ViewerChainTest, HearsEveryChangeAndPassesItOnToTheNextViewer) {
  CRecordingWindow other;  // another program's viewer, in the chain before us
  const HWND otherNext = SetClipboardViewer(other.handle);
  CClipboardViewerChain chain;
  CRecordingWindow main(&chain);
  chain.Join(main.handle);
  EXPECT_EQ(chain.Next(), other.handle);
  EXPECT_EQ(GetClipboardViewer(), main.handle);
  EXPECT_EQ(main.Count(WM_DRAWCLIPBOARD), 1);  // at once, while joining

  const int before = other.Count(WM_DRAWCLIPBOARD);
  ASSERT_TRUE(CopyText(other.handle, L"chain test"));
  PumpFor(300);
  EXPECT_EQ(main.Count(WM_DRAWCLIPBOARD), 2);
  // The copy's, posted on. (The join's notice comes before the next viewer is known.)
  EXPECT_EQ(other.Count(WM_DRAWCLIPBOARD), before + 1);

  // The other viewer leaves: the system tells the head, which takes its successor.
  ChangeClipboardChain(other.handle, otherNext);
  EXPECT_EQ(chain.Next(), otherNext);
  chain.Leave();
  EXPECT_NE(GetClipboardViewer(), main.handle);
  // Joining again (after a close that could not save) puts it back at the head.
  chain.Join(main.handle);
  EXPECT_EQ(GetClipboardViewer(), main.handle);
  chain.Leave();
}

TEST(ViewerChainTest, ALeavingSuccessorWithNoneAfterItMakesUsTheEnd) {
  CClipboardViewerChain chain;
  CRecordingWindow main(&chain);
  CRecordingWindow other;
  chain.Join(main.handle);
  chain.OnChangeChain(reinterpret_cast<WPARAM>(chain.Next()),
                      reinterpret_cast<LPARAM>(other.handle));
  EXPECT_EQ(chain.Next(), other.handle);
  chain.OnChangeChain(reinterpret_cast<WPARAM>(other.handle), 0);
  EXPECT_EQ(chain.Next(), nullptr);
  chain.Leave();
}

// A viewer that joins the chain after Quillery and keeps every notice to itself, as some
// programs do, or as a viewer that hangs or crashed in the chain does.
struct CSwallowingViewer {
  CSwallowingViewer() : next(SetClipboardViewer(window.handle)) {}
  ~CSwallowingViewer() { ChangeClipboardChain(window.handle, next); }
  CRecordingWindow window;
  HWND next;
};

TEST(ClipboardWatchTest, AViewerThatSwallowsTheNoticeCannotKeepAChangeFromTheListener) {
  CRecordingWindow main;
  CClipboardWatch watch;
  watch.Start(main.handle);
  ASSERT_TRUE(watch.Listening());
  PumpFor(50);
  // The content already there is announced like a change.
  EXPECT_EQ(main.Count(WM_CLIPBOARDUPDATE), 1);
  {
    CSwallowingViewer swallower;
    ASSERT_TRUE(CopyText(swallower.window.handle, L"copied behind a swallowing viewer"));
    PumpFor(300);
    EXPECT_GE(swallower.window.Count(WM_DRAWCLIPBOARD), 1);
    EXPECT_EQ(main.Count(WM_CLIPBOARDUPDATE), 2);
    EXPECT_EQ(main.Count(WM_DRAWCLIPBOARD), 0);  // a listener is not in the chain
  }
  watch.Stop();
  ASSERT_TRUE(CopyText(main.handle, L"copied after the watch stopped"));
  PumpFor(300);
  EXPECT_EQ(main.Count(WM_CLIPBOARDUPDATE), 2);
  // Started again, as after a close that could not save.
  watch.Start(main.handle);
  PumpFor(50);
  EXPECT_EQ(main.Count(WM_CLIPBOARDUPDATE), 3);
}

TEST(ClipboardWatchTest, TheChainStaysTheFallbackAndStillPassesEveryChangeOn) {
  CRecordingWindow other;  // a viewer already in the chain
  const HWND otherNext = SetClipboardViewer(other.handle);
  CClipboardWatch watch;
  CRecordingWindow main(&watch.Chain());
  watch.Start(main.handle, EClipboardWatchWay::kViewerChain);
  EXPECT_FALSE(watch.Listening());
  EXPECT_EQ(GetClipboardViewer(), main.handle);
  EXPECT_EQ(main.Count(WM_DRAWCLIPBOARD), 1);  // at once, while joining
  const int before = other.Count(WM_DRAWCLIPBOARD);
  ASSERT_TRUE(CopyText(other.handle, L"watched through the chain"));
  PumpFor(300);
  EXPECT_EQ(main.Count(WM_DRAWCLIPBOARD), 2);
  EXPECT_EQ(other.Count(WM_DRAWCLIPBOARD), before + 1);
  watch.Stop();
  EXPECT_NE(GetClipboardViewer(), main.handle);
  ChangeClipboardChain(other.handle, otherNext);
}

TEST(ClipboardWatchTest, TellsOfANoticeWaitingInTheQueueButNeverOfTheChains) {
  CRecordingWindow main;
  CClipboardWatch watch;
  watch.Start(main.handle);
  ASSERT_TRUE(watch.Listening());
  EXPECT_TRUE(watch.NoticeWaiting());  // the content already there, announced at the start
  PumpFor(50);
  EXPECT_FALSE(watch.NoticeWaiting());
  // Two copies before the window looks at its queue: their notices wait, and looking leaves
  // them there for the window.
  ASSERT_TRUE(CopyText(main.handle, L"first of a burst"));
  ASSERT_TRUE(CopyText(main.handle, L"second of a burst"));
  EXPECT_TRUE(watch.NoticeWaiting());
  EXPECT_TRUE(watch.NoticeWaiting());
  PumpFor(50);
  EXPECT_GE(main.Count(WM_CLIPBOARDUPDATE), 2);
  EXPECT_FALSE(watch.NoticeWaiting());
  watch.Stop();

  CClipboardWatch chainWatch;
  CRecordingWindow viewer(&chainWatch.Chain());
  chainWatch.Start(viewer.handle, EClipboardWatchWay::kViewerChain);
  ASSERT_TRUE(CopyText(viewer.handle, L"copied with the chain"));
  EXPECT_FALSE(chainWatch.NoticeWaiting());
  PumpFor(50);
  chainWatch.Stop();
}

class PasteTargetTest : public ::testing::Test {
 protected:
  PasteTargetTest() {
    frame_ = CreateWindowExW(0, L"STATIC", L"target", WS_POPUP | WS_VISIBLE, 10, 10, 300, 100,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 300, 30, frame_, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(frame_);
    SetFocus(edit_);
  }
  ~PasteTargetTest() override { DestroyWindow(frame_); }

  std::wstring EditText() const {
    wchar_t text[256] = {};
    GetWindowTextW(edit_, text, 256);
    return text;
  }

  HWND frame_;
  HWND edit_;
};

TEST_F(PasteTargetTest, AutomaticallyAnEditInFrontGetsThePasteMessage) {
  ASSERT_EQ(GetFocus(), edit_);
  ASSERT_TRUE(CopyText(frame_, L"pasted text"));
  EXPECT_EQ(PasteToFocusedControl(EPasteMethod::kAutomatic), EPasteResult::kPasted);
  PumpFor(50);
  EXPECT_EQ(EditText(), L"pasted text");
}

// Gives the focus back to the window's first child when the window gets it, as programs do
// when they are activated again.
WNDPROC frameProc = nullptr;
LRESULT CALLBACK FocusTheFirstChild(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETFOCUS) {
    SetFocus(GetWindow(window, GW_CHILD));
    return 0;
  }
  return CallWindowProcW(frameProc, window, message, wParam, lParam);
}

// As the popup pastes: another window has the focus, the target is brought back first.
TEST_F(PasteTargetTest, ThePopupsPasteBringsTheTargetToTheFrontFirst) {
  frameProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(frame_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FocusTheFirstChild)));
  HWND popup = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"popup", WS_POPUP | WS_VISIBLE, 400, 10,
                               100, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetForegroundWindow(popup);
  ASSERT_EQ(GetForegroundWindow(), popup);
  ASSERT_TRUE(CopyText(frame_, L"picked clip"));
  EXPECT_EQ(PasteIntoTarget(frame_, EPasteMethod::kMessage), EPasteResult::kPasted);
  EXPECT_EQ(GetForegroundWindow(), frame_);
  PumpFor(50);
  EXPECT_EQ(EditText(), L"picked clip");
  DestroyWindow(popup);
}

TEST(SingleInstanceTest, ASecondCopyForTheSameFolderAsksTheFirstToShowItsList) {
  const std::string tick = std::to_string(GetTickCount());
  const std::string name =
      InstanceNameFor(u"C:\\quillery-test\\" + std::u16string(tick.begin(), tick.end()));
  CSingleInstance first(name);
  ASSERT_TRUE(first.First());
  CSingleInstance other(InstanceNameFor(u"C:\\another-folder\\"));
  EXPECT_TRUE(other.First());

  const wchar_t* mainClass = CRecordingWindow::kOtherMainClass;
  CRecordingWindow mainWindow(nullptr, mainClass);
  CRecordingWindow unmarked(nullptr, mainClass);  // another folder's copy
  first.MarkMainWindow(mainWindow.handle);
  CSingleInstance second(name);
  EXPECT_FALSE(second.First());
  EXPECT_TRUE(second.ShowRunningCopy(mainClass));
  PumpFor(50);
  const UINT showList = RegisterWindowMessageW(kShowListMessageName);
  EXPECT_EQ(mainWindow.Count(showList), 1);
  EXPECT_EQ(unmarked.Count(showList), 0);

  first.UnmarkMainWindow(mainWindow.handle);
  EXPECT_FALSE(second.ShowRunningCopy(mainClass));
}

}  // namespace
