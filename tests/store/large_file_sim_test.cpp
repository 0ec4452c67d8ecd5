// A data file larger than 2 GiB, as a history of 10,000 screenshots makes one: it loads
// whole. The pictures are blank, so the file is written sparse and costs little disk.

#include <gtest/gtest.h>

#include <fstream>

#include "foundation/byte_writer.h"
#include "store/data_file_format.h"
#include "store/image_item.h"
#include "tests/support/clip_texts.h"
#include "tests/support/store_fixture.h"

namespace {

class LargeFileTest : public StoreTest {};

TEST_F(LargeFileTest, AFileOverTwoGibibytesLoadsWhole) {
  constexpr int kPictures = 17;
  const TBitmap picture(8192, 4096, 32);  // 128 MiB of pixels
  CByteWriter record;
  record.WriteInt32(kPictureRecord);
  record.WriteInt32(0);
  record.WriteInt32(kHistoryCategoryId);
  record.WriteDouble(0);
  record.WriteUInt16(0);
  const std::size_t fieldsEnd = record.Size();
  picture.WriteBmp(record);
  const std::size_t headersEnd = fieldsEnd + 54;  // the BMP's headers; its pixels are 0
  const std::filesystem::path path = folder.Path() / "data.dat";
  {
    std::ofstream file(path, std::ios::binary);
    const std::uint8_t header[8] = {100, 0, 0, 0, 0xE8, 3, 0, 0};
    file.write(reinterpret_cast<const char*>(header), 8);
    for (int i = 0; i < kPictures; ++i) {
      CByteWriter fields;
      fields.WriteInt32(kPictureRecord);
      fields.WriteInt32(0);
      fields.WriteInt32(kHistoryCategoryId);
      fields.WriteDouble(i);  // which picture it is
      fields.WriteUInt16(0);
      file.write(reinterpret_cast<const char*>(fields.Bytes().data()), fieldsEnd);
      file.write(reinterpret_cast<const char*>(record.Bytes().data() + fieldsEnd), 54);
      file.seekp(static_cast<std::streamoff>(record.Size() - headersEnd), std::ios::cur);
    }
    CTextItem last;
    last.text = u"after two gibibytes";
    last.categoryId = kHistoryCategoryId;
    CByteWriter text;
    last.Save(text);
    file.write(reinterpret_cast<const char*>(text.Bytes().data()),
               static_cast<std::streamsize>(text.Size()));
  }
  ASSERT_GT(std::filesystem::file_size(path), std::uintmax_t{2} << 30);

  ASSERT_TRUE(store.LoadFromFile(path));
  EXPECT_FALSE(store.LastLoad().damaged) << store.LastLoad().damageReason;
  ASSERT_EQ(store.Items().size(), std::size_t{kPictures} + 1);
  EXPECT_EQ(ClipTexts(store, kHistoryCategoryId).front(), u"after two gibibytes");
  double expected = kPictures - 1;  // the last record read is the head
  for (auto clip = std::next(store.Items().begin()); clip != store.Items().end(); ++clip) {
    const auto* image = dynamic_cast<const CImageItem*>(clip->get());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->created, expected--);
    EXPECT_EQ(image->Picture()->Width(), 8192);
  }
}

}  // namespace
