#include "foundation/crypto/secret_bytes.h"

#include <algorithm>
#include <utility>

#include "platform/windows_api.h"

CSecretBytes::CSecretBytes(std::size_t size)
    : data_(size == 0 ? nullptr : new std::uint8_t[size]()), size_(size) {}

CSecretBytes::CSecretBytes(std::span<const std::uint8_t> bytes) : CSecretBytes(bytes.size()) {
  std::copy(bytes.begin(), bytes.end(), data_);
}

CSecretBytes::~CSecretBytes() {
  Wipe();
}

CSecretBytes::CSecretBytes(CSecretBytes&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

CSecretBytes& CSecretBytes::operator=(CSecretBytes&& other) noexcept {
  if (this != &other) {
    Wipe();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

void CSecretBytes::Wipe() {
  if (data_ != nullptr) {
    SecureZeroMemory(data_, size_);
    delete[] data_;
  }
  data_ = nullptr;
  size_ = 0;
}
