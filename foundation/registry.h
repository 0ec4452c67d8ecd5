#pragma once
// TRegistry: integer and text values under one open registry key. Failures are exceptions
// of type ERegistryException whose message says what failed, for the settings store's log.

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/windows_api.h"

class ERegistryException : public std::runtime_error {
 public:
  explicit ERegistryException(const std::string& what) : std::runtime_error(what) {}
};

class TRegistry {
 public:
  TRegistry() = default;
  ~TRegistry() { CloseKey(); }
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  // The predefined key that OpenKey paths start from; HKEY_CURRENT_USER until set.
  void SetRootKey(HKEY root) { root_ = root; }

  // Opens `path` below the root key, creating the keys missing when `canCreate`; closes the
  // key open before. Throws ERegistryException when the key cannot be opened. An empty
  // path is refused: it would name the root key itself.
  void OpenKey(std::string_view path, bool canCreate);
  void CloseKey();
  bool HasOpenKey() const { return key_ != nullptr; }

  // Throw ERegistryException when no key is open or the system fails.
  bool ValueExists(std::string_view name) const;
  // Also throws when the value is missing or is not a 32-bit integer.
  int ReadInteger(std::string_view name) const;
  void WriteInteger(std::string_view name, int value);
  // A text value (REG_SZ, or REG_EXPAND_SZ as stored, unexpanded), without the terminating
  // null; also throws when the value is missing or of another type.
  std::u16string ReadString(std::string_view name) const;
  void WriteString(std::string_view name, std::u16string_view value);
  // Removes the value; a missing value is no error.
  void DeleteValue(std::string_view name);

 private:
  HKEY root_ = HKEY_CURRENT_USER;
  HKEY key_ = nullptr;
};
