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

void CByteWriter::WriteUInt16(std::uint16_t value) { AppendLittleEndian(bytes_, value); }

void CByteWriter::WriteUInt32(std::uint32_t value) { AppendLittleEndian(bytes_, value); }

void CByteWriter::WriteInt32(std::int32_t value) {
  AppendLittleEndian(bytes_, static_cast<std::uint32_t>(value));
}

void CByteWriter::WriteDouble(double value) {
  AppendLittleEndian(bytes_, std::bit_cast<std::uint64_t>(value));
}

void CByteWriter::WriteUtf16(std::u16string_view text) {
  bytes_.reserve(bytes_.size() + text.size() * 2);
  for (char16_t unit : text) AppendLittleEndian(bytes_, static_cast<std::uint16_t>(unit));
}

void CByteWriter::WriteBytes(const void* data, std::size_t count) {
  const auto* first = static_cast<const std::uint8_t*>(data);
  bytes_.insert(bytes_.end(), first, first + count);
}

void CByteWriter::PatchUInt32(std::size_t position, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) bytes_.at(position + i) = static_cast<std::uint8_t>(value >> (8 * i));
}
