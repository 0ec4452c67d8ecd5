#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"

namespace {

TEST(ByteReaderTest, ReadsWhatTheWriterWroteLittleEndian) {
  CByteWriter writer;
  writer.WriteInt32(-2);
  writer.WriteUInt16(0xBEEF);
  writer.WriteDouble(46364.75);
  writer.WriteUtf16(u"h\u00E9");
  EXPECT_EQ(writer.Bytes()[0], 0xFE);
  EXPECT_EQ(writer.Bytes()[4], 0xEF);
  CByteReader reader(writer.Bytes().data(), writer.Size());
  std::int32_t number;
  std::uint16_t small;
  double day;
  std::u16string text;
  ASSERT_TRUE(reader.ReadInt32(&number) && reader.ReadUInt16(&small) && reader.ReadDouble(&day) &&
              reader.ReadUtf16(2, &text));
  EXPECT_EQ(number, -2);
  EXPECT_EQ(small, 0xBEEF);
  EXPECT_EQ(day, 46364.75);
  EXPECT_EQ(text, u"h\u00E9");
  EXPECT_TRUE(reader.AtEnd());
}

TEST(ByteReaderTest, ShortReadsFailWithoutMoving) {
  const std::uint8_t bytes[3] = {1, 2, 3};
  CByteReader reader(bytes, sizeof bytes);
  std::int32_t number;
  EXPECT_FALSE(reader.ReadInt32(&number));
  EXPECT_EQ(reader.Position(), 0u);
  std::u16string text;
  EXPECT_FALSE(reader.ReadUtf16(2, &text));
  EXPECT_FALSE(reader.ReadUtf16(std::numeric_limits<std::size_t>::max() / 2 + 1, &text));
  EXPECT_FALSE(reader.Skip(std::numeric_limits<std::size_t>::max()));
  EXPECT_TRUE(reader.Skip(3));
  EXPECT_FALSE(reader.Seek(4));
}

TEST(ByteReaderTest, DoublesKeepEveryBit) {
  CByteWriter writer;
  const double quietNan = std::numeric_limits<double>::quiet_NaN();
  writer.WriteDouble(quietNan);
  writer.WriteDouble(-0.0);
  CByteReader reader(writer.Bytes().data(), writer.Size());
  double first, second;
  ASSERT_TRUE(reader.ReadDouble(&first) && reader.ReadDouble(&second));
  EXPECT_EQ(std::bit_cast<std::uint64_t>(first), std::bit_cast<std::uint64_t>(quietNan));
  EXPECT_TRUE(std::signbit(second));
}

}  // namespace
