#pragma once
// Writing little-endian binary data into a growing buffer.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class CByteWriter {
 public:
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::vector<std::uint8_t>& Bytes() { return bytes_; }
  std::size_t Size() const { return bytes_.size(); }

  void WriteUInt16(std::uint16_t value);
  void WriteUInt32(std::uint32_t value);
  void WriteInt32(std::int32_t value);
  // An IEEE 754 double, bit for bit.
  void WriteDouble(double value);
  // UTF-16 code units, without a length or terminator.
  void WriteUtf16(std::u16string_view text);
  void WriteBytes(const void* data, std::size_t count);
  // Overwrites 4 bytes already written at `position`, for sizes known only afterwards.
  void PatchUInt32(std::size_t position, std::uint32_t value);

 private:
  std::vector<std::uint8_t> bytes_;
};
