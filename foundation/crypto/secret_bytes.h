#pragma once
// CSecretBytes: key material that is wiped (SecureZeroMemory) before its memory is given
// back, whether it is destroyed, moved from or replaced.

#include <cstddef>
#include <cstdint>
#include <span>

class CSecretBytes {
 public:
  CSecretBytes() = default;
  explicit CSecretBytes(std::size_t size);
  explicit CSecretBytes(std::span<const std::uint8_t> bytes);
  ~CSecretBytes();
  CSecretBytes(CSecretBytes&& other) noexcept;
  CSecretBytes& operator=(CSecretBytes&& other) noexcept;
  CSecretBytes(const CSecretBytes&) = delete;
  CSecretBytes& operator=(const CSecretBytes&) = delete;

  std::uint8_t* Data() { return data_; }
  const std::uint8_t* Data() const { return data_; }
  std::size_t Size() const { return size_; }
  std::span<const std::uint8_t> Bytes() const { return {data_, size_}; }
  std::span<std::uint8_t> Bytes() { return {data_, size_}; }

 private:
  void Wipe();

  std::uint8_t* data_ = nullptr;  // owned; allocated with new[]
  std::size_t size_ = 0;
};
