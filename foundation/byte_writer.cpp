#include "foundation/byte_writer.h"

#include <bit>

namespace {
template <typename T>
void AppendLittleEndian(std::vector<std::uint8_t>& bytes, T value) {
  for (std::size_t i = 0; i < sizeof(T); ++i) {
    bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
}
}  // namespace

CByteWriter::CByteWriter(Sink sink, std::size_t threshold)
    : sink_(std::move(sink)), threshold_(threshold) {
  bytes_.reserve(threshold + threshold / 4);
}

void CByteWriter::Flush() {
  if (!sink_ || bytes_.empty()) return;
  sink_(bytes_);
  bytes_.clear();  // keeps the capacity: the same pages serve the whole file
}

void CByteWriter::WriteUInt16(std::uint16_t value) {
  AppendLittleEndian(bytes_, value);
  SpillIfFull();
}

void CByteWriter::WriteUInt32(std::uint32_t value) {
  AppendLittleEndian(bytes_, value);
  SpillIfFull();
}

void CByteWriter::WriteInt32(std::int32_t value) {
  WriteUInt32(static_cast<std::uint32_t>(value));
}

void CByteWriter::WriteDouble(double value) {
  AppendLittleEndian(bytes_, std::bit_cast<std::uint64_t>(value));
  SpillIfFull();
}

void CByteWriter::WriteUtf16(std::u16string_view text) {
  const std::size_t start = bytes_.size();
  bytes_.resize(start + text.size() * 2);
  std::uint8_t* out = bytes_.data() + start;
  for (char16_t unit : text) {
    *out++ = static_cast<std::uint8_t>(unit);
    *out++ = static_cast<std::uint8_t>(unit >> 8);
  }
  SpillIfFull();
}

void CByteWriter::WriteAsciiAsUtf16(std::string_view ascii) {
  const std::size_t start = bytes_.size();
  bytes_.resize(start + ascii.size() * 2);
  std::uint8_t* out = bytes_.data() + start;
  for (char unit : ascii) {
    *out++ = static_cast<std::uint8_t>(unit);
    *out++ = 0;
  }
  SpillIfFull();
}

void CByteWriter::WriteBytes(const void* data, std::size_t count) {
  const auto* first = static_cast<const std::uint8_t*>(data);
  // Large pieces go to the sink in parts of the threshold, so the buffer never grows beyond it.
  while (sink_ && count > threshold_) {
    const std::size_t room = bytes_.size() < threshold_ ? threshold_ - bytes_.size() : 0;
    bytes_.insert(bytes_.end(), first, first + room);
    first += room;
    count -= room;
    Flush();
  }
  bytes_.insert(bytes_.end(), first, first + count);
  SpillIfFull();
}
