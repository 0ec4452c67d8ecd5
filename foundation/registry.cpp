#include "foundation/registry.h"

namespace {

// Names are ASCII (the program's keys), so widening them unit by unit is exact.
std::u16string Wide(std::string_view text) {
  std::u16string wide;
  for (char c : text) wide += static_cast<char16_t>(static_cast<unsigned char>(c));
  return wide;
}

std::string Quoted(std::string_view name) {
  return "'" + std::string(name) + "'";
}

bool Succeeded(LSTATUS status) {
  return status == static_cast<LSTATUS>(ERROR_SUCCESS);
}

std::string Cause(LSTATUS status) {
  return " (error " + std::to_string(status) + ")";
}

}  // namespace

void TRegistry::OpenKey(std::string_view path, bool canCreate) {
  CloseKey();
  if (path.empty()) throw ERegistryException("No registry key given");
  const std::u16string widePath = Wide(path);
  HKEY key = nullptr;
  const LSTATUS status =
      canCreate
          ? RegCreateKeyExW(root_, AsWide(widePath.c_str()), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_READ | KEY_WRITE, nullptr, &key, nullptr)
          : RegOpenKeyExW(root_, AsWide(widePath.c_str()), 0, KEY_READ | KEY_WRITE, &key);
  if (!Succeeded(status)) {
    throw ERegistryException("Failed to open key " + Quoted(path) + Cause(status));
  }
  key_ = key;
}

void TRegistry::CloseKey() {
  if (key_ != nullptr) RegCloseKey(key_);
  key_ = nullptr;
}

bool TRegistry::ValueExists(std::string_view name) const {
  if (key_ == nullptr) throw ERegistryException("No registry key open for " + Quoted(name));
  const std::u16string wideName = Wide(name);
  const LSTATUS status =
      RegQueryValueExW(key_, AsWide(wideName.c_str()), nullptr, nullptr, nullptr, nullptr);
  if (Succeeded(status)) return true;
  if (status == static_cast<LSTATUS>(ERROR_FILE_NOT_FOUND)) return false;
  throw ERegistryException("Failed to get data for " + Quoted(name) + Cause(status));
}

int TRegistry::ReadInteger(std::string_view name) const {
  if (key_ == nullptr) throw ERegistryException("No registry key open for " + Quoted(name));
  const std::u16string wideName = Wide(name);
  DWORD type = REG_NONE;
  DWORD value = 0;
  DWORD size = sizeof value;
  const LSTATUS status = RegQueryValueExW(key_, AsWide(wideName.c_str()), nullptr, &type,
                                          reinterpret_cast<LPBYTE>(&value), &size);
  if (status == static_cast<LSTATUS>(ERROR_MORE_DATA) ||
      (Succeeded(status) && (type != REG_DWORD || size != sizeof value))) {
    throw ERegistryException("Invalid data type for " + Quoted(name));
  }
  if (!Succeeded(status)) {
    throw ERegistryException("Failed to get data for " + Quoted(name) + Cause(status));
  }
  return static_cast<int>(value);
}

void TRegistry::WriteInteger(std::string_view name, int value) {
  if (key_ == nullptr) throw ERegistryException("No registry key open for " + Quoted(name));
  const std::u16string wideName = Wide(name);
  const auto data = static_cast<DWORD>(value);
  const LSTATUS status = RegSetValueExW(key_, AsWide(wideName.c_str()), 0, REG_DWORD,
                                        reinterpret_cast<const BYTE*>(&data), sizeof data);
  if (!Succeeded(status)) {
    throw ERegistryException("Failed to set data for " + Quoted(name) + Cause(status));
  }
}

std::u16string TRegistry::ReadString(std::string_view name) const {
  if (key_ == nullptr) throw ERegistryException("No registry key open for " + Quoted(name));
  const std::u16string wideName = Wide(name);
  // The value may change between the call that sizes it and the one that reads it: read
  // again while it grows.
  std::u16string text(64, u'\0');
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = REG_NONE;
    auto size = static_cast<DWORD>(text.size() * sizeof(char16_t));
    const LSTATUS status = RegQueryValueExW(key_, AsWide(wideName.c_str()), nullptr, &type,
                                            reinterpret_cast<LPBYTE>(text.data()), &size);
    if (Succeeded(status) || status == static_cast<LSTATUS>(ERROR_MORE_DATA)) {
      if (type != REG_SZ && type != REG_EXPAND_SZ) {
        throw ERegistryException("Invalid data type for " + Quoted(name));
      }
    }
    if (status == static_cast<LSTATUS>(ERROR_MORE_DATA)) {
      text.resize(size / sizeof(char16_t) + 1);
      continue;
    }
    if (!Succeeded(status)) {
      throw ERegistryException("Failed to get data for " + Quoted(name) + Cause(status));
    }
    // Stored texts need not end in a null, and may hold one early.
    text.resize(size / sizeof(char16_t));
    const std::size_t end = text.find(u'\0');
    if (end != std::u16string::npos) text.resize(end);
    return text;
  }
  throw ERegistryException("Failed to get data for " + Quoted(name) + " (it keeps growing)");
}

void TRegistry::WriteString(std::string_view name, std::u16string_view value) {
  if (key_ == nullptr) throw ERegistryException("No registry key open for " + Quoted(name));
  const std::u16string wideName = Wide(name);
  const std::u16string data(value);  // with its terminating null
  const LSTATUS status = RegSetValueExW(key_, AsWide(wideName.c_str()), 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(data.c_str()),
                                        static_cast<DWORD>((data.size() + 1) * sizeof(char16_t)));
  if (!Succeeded(status)) {
    throw ERegistryException("Failed to set data for " + Quoted(name) + Cause(status));
  }
}

void TRegistry::DeleteValue(std::string_view name) {
  if (key_ == nullptr) throw ERegistryException("No registry key open for " + Quoted(name));
  const std::u16string wideName = Wide(name);
  const LSTATUS status = RegDeleteValueW(key_, AsWide(wideName.c_str()));
  if (Succeeded(status) || status == static_cast<LSTATUS>(ERROR_FILE_NOT_FOUND)) return;
  throw ERegistryException("Failed to delete " + Quoted(name) + Cause(status));
}
