// A store encrypted under a password by one build opens in the other: the files in
// tests/store/data/ were written by each build from the same fixed store, and both builds
// open both. With QUILLERY_WRITE_ENCRYPTED_STORE naming a file, the writing test writes
// that build's file anew.

#include <gtest/gtest.h>

#include <cstdlib>
#include <span>
#include <string>
#include <utility>

#include "store/category.h"
#include "store/database.h"
#include "store/encrypted/unlock.h"
#include "store/file_list_item.h"
#include "store/image_item.h"
#include "store/png_encoder.h"
#include "store/text_item.h"
#include "tests/store/encrypted_test_keys.h"
#include "tests/support/temp_folder.h"

namespace {

// The files' bytes, embedded at build time so that the program needs no path to the tree.
#include "encrypted_store_files.inc"

constexpr std::u16string_view kFixedPassword = u"Fixed p\u00E4ssword \u20AC";

void FillFixedStore(CDataBase& store) {
  auto text = std::make_unique<CTextItem>();
  text->text = u"written by one build, read by the other \u00E9\U0001F600";
  text->categoryId = kHistoryCategoryId;
  text->created = 46364.25;
  text->hotKey = 0xC041;
  store.AppendClip(std::move(text));
  const int work = store.AddCategory(CCategory{0, 0, 3, 0, u"Work"});
  auto note = std::make_unique<CTextItem>();
  note->text = u"a note";
  note->categoryId = work;
  note->created = 46000.5;
  store.AppendClip(std::move(note));
  auto files = std::make_unique<CFileListItem>();
  files->paths = {u"C:\\a.txt", u"D:\\b"};
  files->categoryId = kNotesCategoryId;
  files->created = 46001.0;
  store.AppendClip(std::move(files));
  auto image = std::make_unique<CImageItem>();
  image->categoryId = kHistoryCategoryId;
  image->created = 46002.0;
  TBitmap picture(7, 5, 24);
  for (int y = 0; y < 5; ++y) {
    for (std::size_t x = 0; x < picture.Stride(); ++x) {
      picture.Row(y)[x] = static_cast<std::uint8_t>(x * 29 + y);
    }
  }
  image->SetPicture(std::move(picture));
  store.AppendClip(std::move(image));
}

TEST(EncryptedCrossBuildTest, WritesTheFixedStoreUnderTheFixedPasswordWhenAsked) {
  const char* path = std::getenv("QUILLERY_WRITE_ENCRYPTED_STORE");
  if (path == nullptr) GTEST_SKIP() << "QUILLERY_WRITE_ENCRYPTED_STORE names no file to write";
  CDataBase store;
  FillFixedStore(store);
  const CStoreKey key = CStoreKey::NewForPassword(kFixedPassword);
  ASSERT_TRUE(store.SaveToFile(path, &key));
}

TEST(EncryptedCrossBuildTest, EachBuildsFileOpensWithTheFixedPasswordAsTheFixedStore) {
  CDataBase expected;
  FillFixedStore(expected);
  const CTempFolder folder;
  for (const auto& [name, bytes] :
       {std::pair{"windows", std::span<const std::uint8_t>(kWindowsEncryptedStore)},
        std::pair{"native", std::span<const std::uint8_t>(kNativeEncryptedStore)}}) {
    SCOPED_TRACE(name);
    const std::filesystem::path path = folder.Path() / (std::string(name) + ".dat");
    WriteBytes(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    const std::optional<CEncryptedHeader> header = ReadEncryptedHeader(path);
    ASSERT_TRUE(header);
    std::optional<CStoreKey> key;
    ASSERT_EQ(Unlock(*header, kFixedPassword, &key), EUnlock::kUnlocked);
    CDataBase loaded;
    ASSERT_TRUE(loaded.ReadDataFile(path, &*key));
    EXPECT_FALSE(loaded.LastLoad().damaged) << loaded.LastLoad().damageReason;
    // Compared once the pictures' PNG images, which the saves ask for, are made on both sides.
    loaded.SaveToMemory();
    expected.SaveToMemory();
    WaitForPngEncodes();
    EXPECT_EQ(loaded.SaveToMemory(), expected.SaveToMemory());
  }
}

}  // namespace
