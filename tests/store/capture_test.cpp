// Capturing the clipboard into the history: what becomes a clip, the caption, the trim.

#include "platform/handles.h"
#include "tests/support/store_fixture.h"

namespace {

using CaptureTest = StoreTest;

std::vector<std::uint8_t> DwordBytes(DWORD value) {
  std::vector<std::uint8_t> bytes(4);
  for (int i = 0; i < 4; ++i)
    bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
  return bytes;
}

ClipFormat UnicodeText(std::u16string text) {
  text.push_back(u'\0');
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  return {CF_UNICODETEXT, std::vector<std::uint8_t>(bytes, bytes + text.size() * 2)};
}

TEST_F(CaptureTest, CopiedTextBecomesNewestHistoryClip) {
  CopyTexts({u"first", u"second"});
  ASSERT_EQ(store.Items().size(), 2u);
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"second", u"first"}));
  EXPECT_EQ(Head().categoryId, kHistoryCategoryId);
  EXPECT_EQ(Head().id, CDataBase::kFirstItemId + 1);
  EXPECT_EQ(Head().textLength, 6);
  EXPECT_EQ(store.LastCaption(), u"second");
}

TEST_F(CaptureTest, ThirteenCapturesKeepTheTwelveNewest) {
  CopyTexts(NumberedTexts(13));
  auto expected = NumberedTexts(13);
  expected.erase(expected.begin());
  std::reverse(expected.begin(), expected.end());
  EXPECT_EQ(History(), expected);
}

TEST_F(CaptureTest, AnsiOnlyTextIsReadThroughTheUnicodeForm) {
  ASSERT_TRUE(driver.CopyAnsiText("caf\xE9 \x80"));
  EXPECT_EQ(History(), std::vector<std::u16string>{Utf16("café €")});
}

TEST_F(CaptureTest, EmbeddedNulCutsTheText) {
  ASSERT_TRUE(driver.CopyFormats({UnicodeText(std::u16string(u"kept\0lost", 9))}));
  EXPECT_EQ(History(), std::vector<std::u16string>{u"kept"});
  EXPECT_EQ(Head().textLength, 4);
}

TEST_F(CaptureTest, EmptyTextGivesAnEmptyClip) {
  ASSERT_TRUE(driver.CopyText(u""));
  ASSERT_EQ(History(), std::vector<std::u16string>{u""});
  EXPECT_EQ(Head().textLength, 0);
  EXPECT_EQ(store.LastCaption(), u"");
}

TEST_F(CaptureTest, TextAnnouncedButNeverDeliveredIsNoClip) {
  CopyTexts({u"before"});
  {
    ClipboardOpen clipboard(driver.OwnerWindow());
    ASSERT_TRUE(clipboard.IsOpen());
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, nullptr);  // promised, never rendered
  }
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(History(), std::vector<std::u16string>{u"before"});
  EXPECT_EQ(store.LastCaption(), u"before");
}

TEST_F(CaptureTest, TextWithoutTerminatingNulIsReadWithinItsBlock) {
  // The system ends an unterminated text block with a NUL in its last unit.
  const std::u16string text = u"no end";
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  ASSERT_TRUE(driver.CopyFormats({{CF_UNICODETEXT, {bytes, bytes + text.size() * 2}}}));
  EXPECT_EQ(History(), std::vector<std::u16string>{u"no en"});
}

TEST_F(CaptureTest, CaptionIsTheFirst200UnitsTrimmed) {
  const std::u16string text = u" \t\r\n" + std::u16string(196, u'x') + u"  tail beyond the caption";
  ASSERT_TRUE(driver.CopyText(text));
  EXPECT_EQ(store.LastCaption(), std::u16string(196, u'x'));
  EXPECT_EQ(Head().textLength, static_cast<int>(text.size()));
}

TEST_F(CaptureTest, CaptionKeepsCharactersTheAnsiCodePageLacks) {
  const std::u16string text = Utf16("Привет 你好 😀");
  ASSERT_TRUE(driver.CopyText(text));
  EXPECT_EQ(store.LastCaption(), text);
}

TEST_F(CaptureTest, PictureBecomesAClipCaptionedImage) {
  TBitmap picture(3, 2, 32);
  picture.Row(1)[0] = 0xFF;
  ASSERT_TRUE(driver.CopyBitmap(picture));
  ASSERT_EQ(store.Items().size(), 1u);
  const auto* clip = dynamic_cast<const CImageItem*>(&Head());
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(clip->Picture()->ToRgb32(), picture.ToRgb32());
  EXPECT_EQ(clip->textLength, 0);
  EXPECT_EQ(store.LastCaption(), u"Image");
}

TEST_F(CaptureTest, TheNewestHistoryTextCopiedAgainIsNotASecondClip) {
  CopyTexts({u"same", u"same"});
  EXPECT_EQ(History(), std::vector<std::u16string>{u"same"});
  EXPECT_EQ(store.LastCaption(), u"same");
  // After another clip it comes to the head again, still one clip.
  CopyTexts({u"other", u"same", u"Same"});
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"Same", u"same", u"other"}));
}

TEST_F(CaptureTest, WhatTheLastRunLeftOnTheClipboardIsNotCapturedAgainAtStart) {
  CopyTexts({u"older", u"left on the clipboard"});
  const std::vector<std::uint8_t> saved = store.SaveToMemory();
  CDataBase next;
  next.LoadFromMemory(saved);
  next.Attach(driver.OwnerWindow());
  next.CaptureClipboard();  // the first notice after joining the chain
  EXPECT_EQ(ClipTexts(next, kHistoryCategoryId),
            (std::vector<std::u16string>{u"left on the clipboard", u"older"}));
  EXPECT_EQ(next.LastCaption(), u"left on the clipboard");
}

TEST_F(CaptureTest, TheSamePixelsAgainAreNotASecondClipWhateverTheirDepth) {
  TBitmap stored(2, 2, 24);
  stored.Row(0)[2] = 0xC0;  // a red pixel
  auto clip = std::make_unique<CImageItem>();
  clip->SetPicture(TBitmap(stored));
  clip->categoryId = kHistoryCategoryId;
  store.AppendClip(std::move(clip));
  TBitmap copied(2, 2, 32);
  copied.Row(0)[2] = 0xC0;
  ASSERT_TRUE(driver.CopyBitmap(copied));
  EXPECT_EQ(History(), std::vector<std::u16string>{u"<picture>"});
  EXPECT_EQ(store.LastCaption(), u"Image");
  copied.Row(1)[0] = 0x01;  // one blue level more in one pixel
  ASSERT_TRUE(driver.CopyBitmap(copied));
  EXPECT_EQ(History().size(), 2u);
}

TEST_F(CaptureTest, ContentWithNeitherTextNorPictureAddsNothingButStillTrims) {
  CopyTexts(NumberedTexts(5));
  SetCapacity(3);
  const UINT other = RegisterClipboardFormatA("Quillery Test Private Format");
  ASSERT_TRUE(driver.CopyFormats({{other, {1, 2, 3}}}));
  EXPECT_EQ(store.Items().size(), 4u);
  EXPECT_EQ(History().back(), u"clip 2");
}

TEST_F(CaptureTest, CaptureNamesTheClipboardChangeItRead) {
  // The change announced first may already be overtaken when the capture opens the
  // clipboard: the capture names the change whose content it took.
  ASSERT_TRUE(driver.CopyText(u"first"));
  const DWORD first = store.LastCaptureSequence();
  EXPECT_EQ(first, GetClipboardSequenceNumber());
  driver.OnChange(nullptr);
  ASSERT_TRUE(driver.CopyText(u"second"));
  EXPECT_EQ(store.LastCaptureSequence(), first);
  store.CaptureClipboard();
  EXPECT_EQ(History().front(), u"second");
  EXPECT_EQ(store.LastCaptureSequence(), GetClipboardSequenceNumber());
  EXPECT_NE(store.LastCaptureSequence(), first);
  ASSERT_TRUE(driver.CopyFormats({{RegisterClipboardFormatA("Quillery Test Other"), {1}}}));
  store.CaptureClipboard();
  EXPECT_EQ(store.LastCaptureSequence(), 0u);
}

TEST_F(CaptureTest, LoweredCapacityDropsOnlyOneClipPerCapture) {
  SetCapacity(100);
  CopyTexts(NumberedTexts(20));
  SetCapacity(10);
  ASSERT_TRUE(driver.CopyText(u"one more"));
  EXPECT_EQ(History().size(), 20u);
  EXPECT_EQ(History().front(), u"one more");
  EXPECT_EQ(History().back(), u"clip 2");
}

TEST_F(CaptureTest, CapacityOfZeroDropsTheNewClipButKeepsItsCaption) {
  SetCapacity(0);
  ASSERT_TRUE(driver.CopyText(u"gone at once"));
  EXPECT_TRUE(store.Items().empty());
  EXPECT_EQ(store.LastCaption(), u"gone at once");
}

TEST_F(CaptureTest, ClipsOfOtherCategoriesNeitherCountNorGetTrimmed) {
  SetCapacity(2);
  CopyTexts({u"note"});
  ASSERT_TRUE(store.MoveItem(Head().id, kNotesCategoryId));
  CopyTexts({u"a", u"b", u"c"});
  EXPECT_EQ(History(), (std::vector<std::u16string>{u"c", u"b"}));
  EXPECT_EQ(TextsOf(kNotesCategoryId), std::vector<std::u16string>{u"note"});
}

TEST_F(CaptureTest, InactiveStoreCapturesNothing) {
  CDataBase inactive;
  ASSERT_TRUE(driver.CopyText(u"text"));
  inactive.CaptureClipboard();
  EXPECT_TRUE(inactive.Items().empty());
  EXPECT_EQ(inactive.LastCaption(), u"");
}

TEST_F(CaptureTest, ClipboardHeldOpenForAMomentIsStillCaptured) {
  driver.OnChange(nullptr);
  ASSERT_TRUE(driver.CopyText(u"patient"));
  auto hold = driver.HoldOpen(5);
  store.CaptureClipboard();
  EXPECT_EQ(History(), std::vector<std::u16string>{u"patient"});
}

TEST_F(CaptureTest, ClipboardHeldOpenLongerIsGivenUp) {
  driver.OnChange(nullptr);
  ASSERT_TRUE(driver.CopyText(u"unreachable"));
  auto hold = driver.HoldOpen();
  store.CaptureClipboard();
  EXPECT_TRUE(store.Items().empty());
}

TEST_F(CaptureTest, ContentMarkedPrivateIsNotKeptButTheTrimRuns) {
  const char* marks[] = {"ExcludeClipboardContentFromMonitorProcessing", "Clipboard Viewer Ignore"};
  for (const char* mark : marks) {
    CopyTexts({u"a", u"b"});
    SetCapacity(1);
    ASSERT_TRUE(driver.CopyFormats(
        {UnicodeText(u"secret"), {RegisterClipboardFormatA(mark), DwordBytes(0)}}));
    EXPECT_EQ(History(), std::vector<std::u16string>{u"b"}) << mark;
    store.DeleteItemsOfCategory(kHistoryCategoryId);
    SetCapacity(12);
  }
}

TEST_F(CaptureTest, ContentBarredFromClipboardHistoryIsNotKept) {
  const UINT history = RegisterClipboardFormatA("CanIncludeInClipboardHistory");
  ASSERT_TRUE(driver.CopyFormats({UnicodeText(u"secret"), {history, DwordBytes(0)}}));
  EXPECT_TRUE(store.Items().empty());
  ASSERT_TRUE(driver.CopyFormats({UnicodeText(u"public"), {history, DwordBytes(1)}}));
  EXPECT_EQ(History(), std::vector<std::u16string>{u"public"});
}

TEST_F(CaptureTest, CaptureSetsTheCreationTimeToNow) {
  const double before = CurrentDayCount();
  ASSERT_TRUE(driver.CopyText(u"now"));
  const double after = CurrentDayCount();
  EXPECT_GE(Head().created, before);
  EXPECT_LE(Head().created, after);
}

TEST_F(CaptureTest, ANewCapacityAppliesFromTheNextCapture) {
  CopyTexts(NumberedTexts(3));
  SetCapacity(2);
  CopyTexts({u"x"});
  EXPECT_EQ(History().size(), 3u);
  CopyTexts({u"y"});
  EXPECT_EQ(History().size(), 3u);
  driver.Clear();
  EXPECT_EQ(History().size(), 2u);
}

}  // namespace
