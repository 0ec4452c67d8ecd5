#include "foundation/byte_reader.h"

#include <algorithm>
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
  if (position_ < windowStart_ || position_ - windowStart_ > windowSize_ ||
      count > windowSize_ - (position_ - windowStart_)) {
    if (!Fill(count)) return false;
  }
  *out = data_ + (position_ - windowStart_);
  position_ += count;
  return true;
}

bool CByteReader::Fill(std::size_t count) {
  if (source_ == nullptr) return false;  // cannot happen: memory is all window
  // What the window already holds from the position on is kept, so that no byte is asked
  // of the source twice.
  const std::uint64_t windowEnd = windowStart_ + windowSize_;
  const std::size_t kept = position_ >= windowStart_ && position_ < windowEnd && data_ != nullptr
                               ? static_cast<std::size_t>(windowEnd - position_)
                               : 0;
  const auto wanted =
      static_cast<std::size_t>(std::min<std::uint64_t>(std::max(count, kWindowBytes), Remaining()));
  // A window grown for one large picture does not stay that large.
  if (window_.size() < wanted || (window_.size() > 4 * kWindowBytes && wanted <= kWindowBytes)) {
    std::vector<std::uint8_t> fresh(wanted);
    if (kept != 0) std::memcpy(fresh.data(), data_ + (position_ - windowStart_), kept);
    window_ = std::move(fresh);
  } else if (kept != 0) {
    std::memmove(window_.data(), data_ + (position_ - windowStart_), kept);
  }
  const std::size_t got = source_->ReadAt(position_ + kept, window_.data() + kept, wanted - kept);
  data_ = window_.data();
  windowStart_ = position_;
  windowSize_ = kept + got;
  if (kept + got < wanted) size_ = position_ + kept + got;  // the source ended early
  return count <= windowSize_;
}

bool CByteReader::Skip(std::uint64_t count) {
  if (count > Remaining()) return false;
  if (source_ == nullptr) {
    position_ += count;
    return true;
  }
  // Read through rather than jumped over, so that the source sees every byte in order.
  while (count != 0) {
    const auto step = static_cast<std::size_t>(std::min<std::uint64_t>(count, kWindowBytes));
    const std::uint8_t* ignored;
    if (!Take(step, &ignored)) return false;
    count -= step;
  }
  return true;
}

bool CByteReader::Seek(std::uint64_t position) {
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
