#pragma once
// Sets an environment variable of this process for the life of the object, then puts back
// what was there (or removes it). Values are UTF-8 and go through the wide calls, so that a
// folder in any script reaches the program as it would from the system.

#include <optional>
#include <string>
#include <utility>

#include "foundation/utf8_text.h"
#include "platform/windows_api.h"

class CEnvironmentGuard {
 public:
  // A null value removes the variable for the object's life.
  CEnvironmentGuard(std::string name, const char* value) : name_(Utf16FromUtf8(name)) {
    std::u16string buffer(32768, u'\0');
    const DWORD length = GetEnvironmentVariableW(AsWide(name_.c_str()), AsWide(buffer.data()),
                                                 static_cast<DWORD>(buffer.size()));
    if (length > 0 && length < buffer.size()) previous_ = buffer.substr(0, length);
    const std::u16string wide = value != nullptr ? Utf16FromUtf8(value) : std::u16string();
    SetEnvironmentVariableW(AsWide(name_.c_str()),
                            value != nullptr ? AsWide(wide.c_str()) : nullptr);
  }
  ~CEnvironmentGuard() {
    SetEnvironmentVariableW(AsWide(name_.c_str()),
                            previous_ ? AsWide(previous_->c_str()) : nullptr);
  }
  CEnvironmentGuard(const CEnvironmentGuard&) = delete;
  CEnvironmentGuard& operator=(const CEnvironmentGuard&) = delete;

 private:
  std::u16string name_;
  std::optional<std::u16string> previous_;
};
