// Writes seed inputs for the fuzzers with the program's own writers: data files of both
// formats with every record kind, BMP images of every depth, and journals of every entry
// kind for the journal fuzzer's data file, and clipboard content (file lists, a CF_DIBV5, a
// PNG image), and encrypted data files and journals for the encrypted container's fuzzer
// (in a folder beside DATA_DIR).
//   make_fuzz_seeds DATA_DIR BMP_DIR JOURNAL_DIR CLIPBOARD_DIR

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz/encrypted_fuzz_key.h"
#include "fuzz/journal_base_file.h"
#include "store/data_journal.h"
#include "store/database.h"
#include "store/encrypted/encrypted_data_writer.h"
#include "store/encrypted/encrypted_journal.h"
#include "store/file_list_item.h"
#include "store/image_item.h"
#include "store/text_item.h"

namespace {

void Write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

TBitmap Picture(int bitsPerPixel) {
  TBitmap picture(5, 3, bitsPerPixel);
  for (int y = 0; y < 3; ++y) {
    for (std::size_t x = 0; x < picture.Stride(); ++x)
      picture.Row(y)[x] = static_cast<std::uint8_t>(x * 37 + y);
  }
  return picture;
}

std::unique_ptr<CBaseItem> Text(const std::u16string& text, int categoryId, std::uint16_t hotKey) {
  auto clip = std::make_unique<CTextItem>();
  clip->text = text;
  clip->categoryId = categoryId;
  clip->hotKey = hotKey;
  return clip;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: make_fuzz_seeds DATA_DIR BMP_DIR JOURNAL_DIR CLIPBOARD_DIR\n");
    return 2;
  }
  const std::filesystem::path dataDir = argv[1];
  const std::filesystem::path bmpDir = argv[2];
  const std::filesystem::path journalDir = argv[3];
  const std::filesystem::path clipboardDir = argv[4];
  std::filesystem::create_directories(dataDir);
  std::filesystem::create_directories(bmpDir);
  std::filesystem::create_directories(journalDir);
  std::filesystem::create_directories(clipboardDir);
  Write(clipboardDir / "files.hdrop", DropListOf({u"C:\\a.txt", u"D:\\b \u00E9"}));
  TBitmap seeded = Picture(32);
  seeded.SetHasAlpha(true);
  Write(clipboardDir / "alpha.dibv5", seeded.ToPackedDibV5());
  Write(clipboardDir / "alpha.png", seeded.ToPng());

  CDataBase store;
  Write(dataDir / "empty.dat", store.SaveToMemory());
  store.AppendClip(Text(u"history", kHistoryCategoryId, 0));
  store.AppendClip(Text(u"note \u00E9", kNotesCategoryId, 0xC041));
  const int category = store.AddCategory(CCategory{0, 0, 3, 0, u"Work"});
  store.AddCategory(CCategory{0, category, 1, 0, u"Sub"});
  store.AppendClip(Text(u"in a category", category, 0));
  Write(dataDir / "texts.dat", store.SaveToMemory());
  auto image = std::make_unique<CImageItem>();
  image->categoryId = kHistoryCategoryId;
  image->SetPicture(Picture(8));
  image->savedAs = EPictureRecord::kBmp;  // the seeds before the PNG one keep the BMP record
  store.AppendClip(std::move(image));
  Write(dataDir / "picture.dat", store.SaveToMemory());
  // The records added later: formats after a text, a file list, alpha after a picture.
  auto styled = std::make_unique<CTextItem>();
  styled->text = u"bold";
  styled->categoryId = kHistoryCategoryId;
  styled->formats = {{u"HTML Format", {'<', 'b', '>', 0}}, {u"Rich Text Format", {'{', '}'}}};
  store.AppendClip(std::move(styled));
  auto files = std::make_unique<CFileListItem>();
  files->paths = {u"C:\\a.txt", u"D:\\b"};
  files->dropEffect = 1;
  files->categoryId = kNotesCategoryId;
  store.AppendClip(std::move(files));
  auto translucent = std::make_unique<CImageItem>();
  translucent->categoryId = kHistoryCategoryId;
  TBitmap translucentPicture = Picture(32);
  translucentPicture.SetHasAlpha(true);
  translucent->SetPicture(std::move(translucentPicture));
  translucent->savedAs = EPictureRecord::kBmp;
  store.AppendClip(std::move(translucent));
  Write(dataDir / "new_records.dat", store.SaveToMemory());
  auto png = std::make_unique<CImageItem>();
  png->categoryId = kNotesCategoryId;
  TBitmap pngPicture = Picture(32);
  pngPicture.SetHasAlpha(true);
  png->SetPicture(std::move(pngPicture));
  store.AppendClip(std::move(png));
  Write(dataDir / "png_picture.dat", store.SaveToMemory());
  // A legacy file: notes flag, time, length, text.
  const std::vector<std::uint8_t> legacy = {0,    0,    0, 0, 0, 0, 0,   0, 0,   0x80,
                                            0xE3, 0x40, 2, 0, 0, 0, 'h', 0, 'i', 0};
  Write(dataDir / "legacy.dat", legacy);

  for (int depth : {1, 4, 8, 16, 24, 32}) {
    CByteWriter writer;
    Picture(depth).WriteBmp(writer);
    Write(bmpDir / ("depth" + std::to_string(depth) + ".bmp"), writer.Bytes());
  }
  TBitmap masked = Picture(16);
  masked.SetMasks({0xF800, 0x07E0, 0x001F});
  CByteWriter writer;
  masked.WriteBmp(writer);
  Write(bmpDir / "masks565.bmp", writer.Bytes());

  // Journals: inserts of both kinds, a removal, a hot key and the categories.
  CDataBase based;
  based.LoadFromMemory(JournalBaseFile());
  CJournalDiff diff;
  diff.Reset(based);
  std::vector<std::uint8_t> journal = JournalHeader();
  const std::vector<std::uint8_t> base = JournalBaseFrame(based.LastLoad().fileDigest);
  journal.insert(journal.end(), base.begin(), base.end());
  auto journalChanges = [&] {
    const std::vector<std::uint8_t> frames = diff.Changes(based);
    journal.insert(journal.end(), frames.begin(), frames.end());
  };
  based.AppendClip(Text(u"added", kNotesCategoryId, 0));
  journalChanges();
  Write(journalDir / "insert.journal", journal);
  auto picture = std::make_unique<CImageItem>();
  picture->categoryId = kHistoryCategoryId;
  picture->SetPicture(Picture(24));
  picture->savedAs = EPictureRecord::kBmp;
  based.InsertClipAt(0, std::move(picture));
  based.ClipAt(1)->hotKey = 0x4031;
  journalChanges();
  based.RemoveClipAt(2);
  based.AddCategory(CCategory{0, 0, 2, 0, u"New"});
  journalChanges();
  auto journaledFiles = std::make_unique<CFileListItem>();
  journaledFiles->paths = {u"C:\\x"};
  journaledFiles->categoryId = kHistoryCategoryId;
  based.InsertClipAt(0, std::move(journaledFiles));
  auto journaledText = std::make_unique<CTextItem>();
  journaledText->text = u"t";
  journaledText->categoryId = kHistoryCategoryId;
  journaledText->formats = {{u"HTML Format", {'h'}}};
  based.InsertClipAt(0, std::move(journaledText));
  journalChanges();
  Write(journalDir / "all.journal", journal);

  // The encrypted container's seeds, beside the data files' (the fuzzer's own folder):
  // data files of one chunk and of several short ones, and journals of one segment and of
  // several, all of the fuzzer's key.
  const std::filesystem::path encryptedDir = dataDir.parent_path() / "encrypted_container_fuzzer";
  std::filesystem::create_directories(encryptedDir);
  const CStoreKey key = EncryptedFuzzKey();
  Write(encryptedDir / "texts.dat", EncryptDataFile(key, store.SaveToMemory()));
  Write(encryptedDir / "chunks.dat", EncryptDataFile(key, store.SaveToMemory(), kMinChunkBytes));
  Write(encryptedDir / "empty.dat", EncryptDataFile(key, {}));
  CEncryptedJournalSealer sealer(key);
  std::vector<std::uint8_t> sealed = sealer.Header();
  const std::vector<std::uint8_t> whole = sealer.Seal(journal);
  sealed.insert(sealed.end(), whole.begin(), whole.end());
  Write(encryptedDir / "one_segment.journal", sealed);
  CEncryptedJournalSealer pieces(key);
  sealed = pieces.Header();
  for (std::size_t at = 0; at < journal.size(); at += 40) {
    const std::size_t step = std::min<std::size_t>(40, journal.size() - at);
    const std::vector<std::uint8_t> piece = pieces.Seal(std::span(journal).subspan(at, step));
    sealed.insert(sealed.end(), piece.begin(), piece.end());
  }
  Write(encryptedDir / "segments.journal", sealed);
  return 0;
}
