// The clipboard's own rules, which the program relies on. Natively these check the model,
// under Wine the real clipboard: both must pass, so the model cannot drift from Windows.

#include <gtest/gtest.h>

#include <cstring>

#include "platform/handles.h"
#include "tests/support/clipboard_driver.h"

namespace {

class ClipboardTest : public ::testing::Test {
 protected:
  HWND Owner() const { return driver.OwnerWindow(); }

  // Places one block of text as `format` from the owner window.
  bool PlaceText(UINT format, const void* data, std::size_t size) {
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, size));
    {
      GlobalLockGuard lock(memory.get());
      std::memcpy(lock.data(), data, size);
    }
    ClipboardOpen clipboard(Owner());
    if (!clipboard.IsOpen() || !EmptyClipboard()) return false;
    if (SetClipboardData(format, memory.get()) == nullptr) return false;
    memory.release();
    return true;
  }

  CClipboardDriver driver;
};

TEST_F(ClipboardTest, UnicodeTextIsAlsoOfferedAsAnsiAndOemText) {
  ASSERT_TRUE(driver.CopyText(u"plain"));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_OEMTEXT));
  EXPECT_EQ(driver.ReadAnsiText(), "plain");
}

TEST_F(ClipboardTest, AnsiTextIsAlsoOfferedAsUnicodeText) {
  ASSERT_TRUE(driver.CopyAnsiText("\x93quoted\x94 \x80"));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_EQ(driver.ReadUnicodeText(), Utf16("“quoted” €"));
}

TEST_F(ClipboardTest, OemTextUsesTheOemCodePage) {
  const char16_t text[] = u"\u00E9\u2500";  // é and a box-drawing line
  ASSERT_TRUE(PlaceText(CF_UNICODETEXT, text, sizeof text));
  ClipboardOpen clipboard(Owner());
  ASSERT_TRUE(clipboard.IsOpen());
  HANDLE oem = GetClipboardData(CF_OEMTEXT);
  ASSERT_NE(oem, nullptr);
  GlobalLockGuard lock(oem);
  EXPECT_STREQ(static_cast<const char*>(lock.data()), "\x82\xC4");
}

TEST_F(ClipboardTest, PictureIsNotText) {
  ASSERT_TRUE(driver.CopyBitmap(TBitmap(1, 1, 24)));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
}

TEST_F(ClipboardTest, EmptyingMakesTheOpenerTheOwnerAndRemovesEverything) {
  ASSERT_TRUE(driver.CopyText(u"x"));
  ClipboardOpen clipboard(Owner());
  ASSERT_TRUE(clipboard.IsOpen());
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_EQ(GetClipboardOwner(), Owner());
  EXPECT_EQ(CountClipboardFormats(), 0);
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
}

TEST_F(ClipboardTest, ViewerHearsOfAChangeBeforeCloseReturns) {
  int heard = 0;
  bool wasClosed = false;
  driver.OnChange([&] {
    ++heard;
    wasClosed = GetOpenClipboardWindow() == nullptr;
  });
  ASSERT_TRUE(PlaceText(CF_UNICODETEXT, u"hi", 6));
  EXPECT_EQ(heard, 1);
  EXPECT_TRUE(wasClosed);
}

TEST_F(ClipboardTest, ViewerCanReadTheNewContentWhileTheWriterIsStillInside) {
  std::u16string seen;
  driver.OnChange([&] { seen = driver.ReadUnicodeText().value_or(u"<none>"); });
  ASSERT_TRUE(PlaceText(CF_UNICODETEXT, u"re-entered", 22));
  EXPECT_EQ(seen, u"re-entered");
}

TEST_F(ClipboardTest, ClosingWithoutAChangeNotifiesNoViewer) {
  int heard = 0;
  driver.OnChange([&] { ++heard; });
  {
    ClipboardOpen clipboard(Owner());
    ASSERT_TRUE(clipboard.IsOpen());
  }
  EXPECT_EQ(heard, 0);
}

TEST_F(ClipboardTest, ClipboardHeldByAnotherThreadCannotBeOpened) {
  auto hold = driver.HoldOpen();
  EXPECT_FALSE(OpenClipboard(Owner()));
  ClipboardOpen patient(Owner(), ClipboardPatience{10, 2});
  EXPECT_FALSE(patient.IsOpen());
}

TEST_F(ClipboardTest, PatienceOutlastsABriefHold) {
  auto hold = driver.HoldOpen(5);
  ClipboardOpen patient(Owner(), ClipboardPatience{200, 2});
  EXPECT_TRUE(patient.IsOpen());
}

TEST_F(ClipboardTest, SetWithoutOpeningFails) {
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, 4));
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, memory.get()), nullptr);
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
}

TEST_F(ClipboardTest, RegisteredNamesAreCaseInsensitiveAndStable) {
  const UINT first = RegisterClipboardFormatA("Quillery Test Format");
  EXPECT_GE(first, 0xC000u);
  EXPECT_EQ(RegisterClipboardFormatA("QUILLERY test format"), first);
  EXPECT_NE(RegisterClipboardFormatA("Quillery Test Format 2"), first);
}

TEST_F(ClipboardTest, AnnouncedTextWithoutDataDeliversNoHandle) {
  {
    ClipboardOpen clipboard(driver.OwnerWindow());
    ASSERT_TRUE(clipboard.IsOpen());
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, nullptr);  // promised, never rendered
  }
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  ClipboardOpen clipboard(Owner());
  EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), nullptr);
}

}  // namespace
