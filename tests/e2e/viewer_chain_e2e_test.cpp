// Capture beside other programs that watch the clipboard: a viewer that keeps every notice
// to itself cannot stop Quillery's capture, and a viewer that was there first still hears
// of every change.

#include <string>

#include "tests/e2e/desktop.h"
#include "tests/e2e/program_fixture.h"
#include "tests/e2e/stored_clips.h"

namespace {

using OtherViewerTest = ProgramTest;

// A window of another program in the clipboard-viewer chain that counts the notices it
// gets and, when told to, passes none on (as a viewer that misbehaves, hangs or crashed
// does for everything behind it).
class CChainViewer {
 public:
  explicit CChainViewer(bool passOn) : passOn_(passOn) {
    static const ATOM registered = [] {
      WNDCLASSW windowClass{};
      windowClass.lpfnWndProc = Procedure;
      windowClass.hInstance = GetModuleHandleW(nullptr);
      windowClass.lpszClassName = L"QuilleryTestChainViewer";
      return RegisterClassW(&windowClass);
    }();
    (void)registered;
    window_ = CreateWindowExW(0, L"QuilleryTestChainViewer", L"", WS_OVERLAPPED, 0, 0, 10, 10,
                              nullptr, nullptr, GetModuleHandleW(nullptr), this);
    next_ = SetClipboardViewer(window_);
  }
  ~CChainViewer() {
    ChangeClipboardChain(window_, next_);
    DestroyWindow(window_);
  }
  CChainViewer(const CChainViewer&) = delete;
  CChainViewer& operator=(const CChainViewer&) = delete;

  int Notices() const { return notices_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<CChainViewer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_DRAWCLIPBOARD) {
      ++self->notices_;
      if (self->passOn_ && self->next_ != nullptr) {
        SendMessageW(self->next_, message, wParam, lParam);
      }
      return 0;
    }
    if (self != nullptr && message == WM_CHANGECBCHAIN) {
      if (reinterpret_cast<HWND>(wParam) == self->next_) {
        self->next_ = reinterpret_cast<HWND>(lParam);
      } else if (self->next_ != nullptr) {
        SendMessageW(self->next_, message, wParam, lParam);
      }
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  bool passOn_;
  HWND window_ = nullptr;
  HWND next_ = nullptr;
  int notices_ = 0;
};

TEST_F(OtherViewerTest, CopiesAreCapturedWhileAViewerThatJoinedLaterSwallowsEveryNotice) {
  auto program = Start();
  ASSERT_TRUE(program);
  ASSERT_TRUE(CopyAndWait(*program, u"before the other viewer"));
  {
    const CChainViewer swallower(false);
    for (const auto* text : {u"behind a swallowing viewer 1", u"behind a swallowing viewer 2"}) {
      ASSERT_TRUE(CopyAndWait(*program, text));
    }
    EXPECT_GE(swallower.Notices(), 2);
  }
  ASSERT_TRUE(program->Close());

  const auto saved = LoadDataFile(installation.DataFile());
  ASSERT_TRUE(saved);
  EXPECT_EQ(
      ClipTexts(*saved, kHistoryCategoryId),
      (std::vector<std::u16string>{u"behind a swallowing viewer 2", u"behind a swallowing viewer 1",
                                   u"before the other viewer"}));
}

TEST_F(OtherViewerTest, AViewerThatWasThereFirstHearsOfEveryChangeWhileQuilleryRunsAndAfter) {
  const CChainViewer first(true);
  auto program = Start();
  ASSERT_TRUE(program);
  PumpFor(std::chrono::milliseconds(300));  // whatever the start passed on has come
  const int atStart = first.Notices();
  ASSERT_TRUE(CopyAndWait(*program, u"heard by both"));
  EXPECT_TRUE(PumpUntil([&] { return first.Notices() == atStart + 1; }));
  ASSERT_TRUE(program->Close());
  ASSERT_TRUE(driver.CopyText(u"after Quillery left"));
  EXPECT_TRUE(PumpUntil([&] { return first.Notices() == atStart + 2; }));
}

}  // namespace
