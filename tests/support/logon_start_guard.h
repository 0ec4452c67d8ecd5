#pragma once
// For tests of the logon start: the "Quillery" value of the current user's Run key, read
// and written directly, and a guard that takes it away for a test and puts back what was
// there (under Wine this is the registry of the build tree's prefix).

#include <optional>
#include <string>
#include <string_view>

#include "foundation/logon_start.h"
#include "foundation/registry.h"

// The value's text; nullopt when it (or the Run key) is missing or holds no text.
inline std::optional<std::u16string> LogonStartValue() {
  try {
    TRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    registry.OpenKey(kRunKeyPath, false);
    if (!registry.ValueExists(kRunValueName)) return std::nullopt;
    return registry.ReadString(kRunValueName);
  } catch (const ERegistryException&) {
    return std::nullopt;
  }
}

// Writes the value (nullopt: removes it). Throws ERegistryException.
inline void PutLogonStartValue(const std::optional<std::u16string>& command) {
  TRegistry registry;
  registry.SetRootKey(HKEY_CURRENT_USER);
  registry.OpenKey(kRunKeyPath, true);
  if (command) {
    registry.WriteString(kRunValueName, *command);
  } else {
    registry.DeleteValue(kRunValueName);
  }
}

class CLogonStartGuard {
 public:
  CLogonStartGuard() : saved_(LogonStartValue()) { PutLogonStartValue(std::nullopt); }
  ~CLogonStartGuard() {
    try {
      PutLogonStartValue(saved_);
    } catch (const ERegistryException&) {
    }
  }
  CLogonStartGuard(const CLogonStartGuard&) = delete;
  CLogonStartGuard& operator=(const CLogonStartGuard&) = delete;

 private:
  std::optional<std::u16string> saved_;
};
