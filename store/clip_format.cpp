#include "store/clip_format.h"

#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"
#include "store/base_item.h"
#include "store/data_file_format.h"
#include "store/record_error.h"

namespace {
// The bytes of the formats after the record's size field.
std::size_t FormatsBodyBytes(const std::vector<CClipFormat>& formats) {
  std::size_t bytes = 4;
  for (const CClipFormat& format : formats)
    bytes += 8 + 2 * format.name.size() + format.data.size();
  return bytes;
}
}  // namespace

void SaveFormatsRecord(CByteWriter& writer, const std::vector<CClipFormat>& formats) {
  writer.WriteInt32(kFormatsRecord);
  writer.WriteInt32(static_cast<std::int32_t>(FormatsBodyBytes(formats)));
  writer.WriteInt32(static_cast<std::int32_t>(formats.size()));
  for (const CClipFormat& format : formats) {
    writer.WriteInt32(static_cast<std::int32_t>(format.name.size()));
    writer.WriteUtf16(format.name);
    writer.WriteInt32(static_cast<std::int32_t>(format.data.size()));
    writer.WriteBytes(format.data.data(), format.data.size());
  }
}

std::vector<CClipFormat> LoadFormatsRecord(CByteReader& reader) {
  const std::span<const std::uint8_t> body = TakeSizedRecordBody(reader, "formats record");
  CByteReader fields(body.data(), body.size());
  std::int32_t count;
  if (!fields.ReadInt32(&count) || count < 0) throw CRecordError("formats record without a count");
  std::vector<CClipFormat> formats;
  for (std::int32_t i = 0; i < count; ++i) {
    CClipFormat format;
    std::int32_t nameLength;
    std::int32_t dataLength;
    const std::uint8_t* data;
    if (!fields.ReadInt32(&nameLength) || nameLength < 0 ||
        !fields.ReadUtf16(static_cast<std::size_t>(nameLength), &format.name) ||
        !fields.ReadInt32(&dataLength) || dataLength < 0 ||
        !fields.Take(static_cast<std::size_t>(dataLength), &data)) {
      throw CRecordError("format " + std::to_string(i + 1) + " runs past its record");
    }
    format.data.assign(data, data + dataLength);
    formats.push_back(std::move(format));
  }
  if (!fields.AtEnd()) throw CRecordError("formats record longer than its formats");
  return formats;
}
