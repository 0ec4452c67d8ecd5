// What other programs copy beyond plain text and bitmaps, through a restart of the real
// program: formatted text, a file list, a PNG picture from X11, a picture with alpha.

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "store/file_list_item.h"
#include "store/image_item.h"
#include "store/text_item.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/paste_target.h"
#include "tests/e2e/program_fixture.h"
#include "tests/e2e/stored_clips.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes UnicodeBytes(std::u16string_view text) {
  std::u16string terminated(text);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(terminated.c_str());
  return Bytes(bytes, bytes + (terminated.size() + 1) * 2);
}

Bytes BytesOf(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

// The bytes a program gave, up to the first NUL: the system may hand a block back a
// little longer than it was made.
Bytes UpToNul(Bytes bytes) {
  bytes.erase(std::find(bytes.begin(), bytes.end(), std::uint8_t{0}), bytes.end());
  return bytes;
}

TBitmap TranslucentPicture(int width, int height) {
  TBitmap picture(width, height, 32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* pixel = picture.Row(y) + x * 4;
      pixel[0] = static_cast<std::uint8_t>(x * 9);
      pixel[1] = static_cast<std::uint8_t>(y * 13);
      pixel[2] = 180;
      pixel[3] = static_cast<std::uint8_t>((x * 255) / (width - 1));  // clear to opaque
    }
  }
  picture.SetHasAlpha(true);
  return picture;
}

class RichContentE2eTest : public ProgramTest {
 protected:
  // Closes the program, which saves, and starts it again on the saved file.
  void Restart() {
    ASSERT_TRUE(program->Close());
    program = Start();
    ASSERT_TRUE(program);
  }

  UINT Html() const { return RegisterClipboardFormatA("HTML Format"); }
  UINT Rtf() const { return RegisterClipboardFormatA("Rich Text Format"); }

  std::unique_ptr<CRunningProgram> program;
};

TEST_F(RichContentE2eTest, HtmlAndRtfComeBackThroughARestartWithCtrlTwo) {
  const Bytes html =
      BytesOf("Version:0.9\r\nStartHTML:0000000097\r\n<html><b>bold</b> words</html>");
  const Bytes rtf = BytesOf("{\\rtf1\\ansi {\\b bold} words}");
  program = Start();
  ASSERT_TRUE(program);
  ASSERT_TRUE(driver.CopyFormats(
      {{CF_UNICODETEXT, UnicodeBytes(u"bold words")}, {Html(), html}, {Rtf(), rtf}}));
  ASSERT_TRUE(program->WaitForHeader(u"bold words"));
  ASSERT_TRUE(CopyAndWait(*program, u"newer"));
  Restart();
  ASSERT_TRUE(driver.Clear());

  CPasteTarget target;
  ASSERT_TRUE(target.TakeFocus());
  TypeChord({VK_CONTROL, '2'});
  EXPECT_TRUE(PumpUntil([&] { return target.Text() == u"bold words"; }))
      << "edit: " << ::testing::PrintToString(target.Text());
  const auto pastedHtml = driver.ReadFormat(Html());
  const auto pastedRtf = driver.ReadFormat(Rtf());
  ASSERT_TRUE(pastedHtml && pastedRtf);
  EXPECT_EQ(UpToNul(*pastedHtml), html);
  EXPECT_EQ(UpToNul(*pastedRtf), rtf);
}

TEST_F(RichContentE2eTest, AFileListComesBackThroughARestartWithTheSamePaths) {
  const std::vector<std::u16string> paths = {u"C:\\windows\\win.ini", u"C:\\windows\\system.ini"};
  const UINT dropEffect = RegisterClipboardFormatA("Preferred DropEffect");
  program = Start();
  ASSERT_TRUE(program);
  ASSERT_TRUE(driver.CopyFormats({{CF_HDROP, DropListOf(paths)}, {dropEffect, {1, 0, 0, 0}}}));
  ASSERT_TRUE(program->WaitForHeader(u"2 files: win.ini, system.ini"));
  Restart();
  ASSERT_TRUE(program->WaitForHeader(u"2 files: win.ini, system.ini"));
  ASSERT_TRUE(driver.Clear());

  TypeChord({VK_CONTROL, '1'});
  ASSERT_TRUE(PumpUntil([&] { return driver.Offers(CF_HDROP); }));
  const auto list = driver.ReadFormat(CF_HDROP);
  ASSERT_TRUE(list);
  EXPECT_EQ(PathsOfDropList(*list), paths);
  const auto effect = driver.ReadFormat(dropEffect);
  ASSERT_TRUE(effect && effect->size() >= 4);
  EXPECT_EQ((*effect)[0], 1);
}

TEST_F(RichContentE2eTest, APictureOfferedOnlyAsPngFromX11IsCapturedWithItsSize) {
  const TBitmap picture = TranslucentPicture(37, 21);
  const std::string unixPng = "/tmp/quillery-e2e-" + std::to_string(GetCurrentProcessId()) + ".png";
  std::string windowsPng = "Z:" + unixPng;
  std::replace(windowsPng.begin(), windowsPng.end(), '/', '\\');
  {
    const Bytes png = picture.ToPng();
    ASSERT_FALSE(png.empty());
    std::ofstream(windowsPng, std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  }
  program = Start();
  ASSERT_TRUE(program);
  ASSERT_TRUE(StartUnixScript(QUILLERY_X11_COPY_PNG_SCRIPT, unixPng));
  EXPECT_TRUE(program->WaitForHeader(u"Image"));
  ASSERT_TRUE(driver.Clear());  // takes the selection from xclip, which then ends
  ASSERT_TRUE(program->Close());
  std::remove(windowsPng.c_str());

  const auto saved = LoadDataFile(installation.DataFile());
  ASSERT_TRUE(saved && !saved->Items().empty());
  const auto* image = dynamic_cast<const CImageItem*>(saved->Items().front().get());
  ASSERT_TRUE(image != nullptr && image->Picture() != nullptr);
  EXPECT_EQ(image->Picture()->Width(), 37);
  EXPECT_EQ(image->Picture()->Height(), 21);
  EXPECT_TRUE(image->Picture()->HasAlpha());
}

TEST_F(RichContentE2eTest, APictureWithAlphaComesBackThroughARestartWithTheSameAlpha) {
  const TBitmap picture = TranslucentPicture(24, 16);
  program = Start();
  ASSERT_TRUE(program);
  ASSERT_TRUE(driver.CopyFormats({{CF_DIBV5, picture.ToPackedDibV5()}}));
  ASSERT_TRUE(program->WaitForHeader(u"Image"));
  Restart();
  ASSERT_TRUE(driver.Clear());

  TypeChord({VK_CONTROL, '1'});
  ASSERT_TRUE(PumpUntil([&] { return driver.Offers(CF_DIBV5); }));
  const auto version5 = driver.ReadFormat(CF_DIBV5);
  ASSERT_TRUE(version5);
  const std::optional<TBitmap> back = TBitmap::FromPackedDib(*version5);
  ASSERT_TRUE(back);
  EXPECT_TRUE(back->HasAlpha());
  EXPECT_EQ(*back, picture);
  const UINT png = RegisterClipboardFormatA("PNG");
  const auto encoded = driver.ReadFormat(png);
  ASSERT_TRUE(encoded);
  EXPECT_EQ(TBitmap::FromPng(*encoded), picture);
}

}  // namespace
