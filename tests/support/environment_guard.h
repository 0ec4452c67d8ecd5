#pragma once
// Sets an environment variable of this process for the life of the object, then puts back
// what was there (or removes it).

#include <optional>
#include <string>
#include <utility>

#include "platform/windows_api.h"

class CEnvironmentGuard {
 public:
  // A null value removes the variable for the object's life.
  CEnvironmentGuard(std::string name, const char* value) : name_(std::move(name)) {
    std::string buffer(32768, '\0');
    const DWORD length =
        GetEnvironmentVariableA(name_.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length > 0 && length < buffer.size()) previous_ = buffer.substr(0, length);
    SetEnvironmentVariableA(name_.c_str(), value);
  }
  ~CEnvironmentGuard() {
    SetEnvironmentVariableA(name_.c_str(), previous_ ? previous_->c_str() : nullptr);
  }
  CEnvironmentGuard(const CEnvironmentGuard&) = delete;
  CEnvironmentGuard& operator=(const CEnvironmentGuard&) = delete;

 private:
  std::string name_;
  std::optional<std::string> previous_;
};
