#pragma once
// Writing little-endian binary data into a growing buffer.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

class CByteWriter {
 public:
  using Sink = std::function<void(std::span<const std::uint8_t>)>;

  CByteWriter() = default;
  // A writer that hands its bytes to `sink` whenever `threshold` of them have gathered, and
  // at Flush(), so that a large file never has to be held in memory whole.
  CByteWriter(Sink sink, std::size_t threshold);

  // Hands the gathered bytes to the sink, if there is one.
  void Flush();

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
  // Bytes below 0x80 written as the UTF-16 units of the same values.
  void WriteAsciiAsUtf16(std::string_view ascii);
  void WriteBytes(const void* data, std::size_t count);
  // Makes room for `count` more bytes in memory; a writer with a sink hands its bytes on as
  // it goes and reserves nothing beyond its threshold.
  void Reserve(std::size_t count) {
    if (!sink_) bytes_.reserve(bytes_.size() + count);
  }

 private:
  void SpillIfFull() {
    if (sink_ && bytes_.size() >= threshold_) Flush();
  }

  std::vector<std::uint8_t> bytes_;
  Sink sink_;
  std::size_t threshold_ = 0;
};
