#include "foundation/byte_reader.h"

#include <bit>
#include <cstring>

namespace {
template <typename T>
T LittleEndian(const std::uint8_t* bytes) {
  T value = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i) value |= static_cast<T>(T{bytes[i]} << (8 * i));
  return value;
}
}  // namespace

bool CByteReader::Take(std::size_t count, const std::uint8_t** out) {
  if (count > Remaining()) return false;
  *out = data_ + position_;
  position_ += count;
  return true;
}

bool CByteReader::Skip(std::size_t count) {
  const std::uint8_t* ignored;
  return Take(count, &ignored);
}

bool CByteReader::Seek(std::size_t position) {
  if (position > size_) return false;
  position_ = position;
  return true;
}

bool CByteReader::ReadUInt16(std::uint16_t* value) {
  const std::uint8_t* bytes;
  if (!Take(2, &bytes)) return false;
  *value = LittleEndian<std::uint16_t>(bytes);
  return true;
}

bool CByteReader::ReadUInt32(std::uint32_t* value) {
  const std::uint8_t* bytes;
  if (!Take(4, &bytes)) return false;
  *value = LittleEndian<std::uint32_t>(bytes);
  return true;
}

bool CByteReader::ReadInt32(std::int32_t* value) {
  std::uint32_t bits;
  if (!ReadUInt32(&bits)) return false;
  *value = static_cast<std::int32_t>(bits);
  return true;
}

bool CByteReader::ReadDouble(double* value) {
  const std::uint8_t* bytes;
  if (!Take(8, &bytes)) return false;
  *value = std::bit_cast<double>(LittleEndian<std::uint64_t>(bytes));
  return true;
}

bool CByteReader::ReadUtf16(std::size_t count, std::u16string* text) {
  const std::uint8_t* bytes;
  // Checked as count > Remaining() / 2 so that count * 2 cannot overflow.
  if (count > Remaining() / 2 || !Take(count * 2, &bytes)) return false;
  text->resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    (*text)[i] = static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
  }
  return true;
}
