// The model's registry: keys in memory, reached through handles that share them. Only the
// calls and rules the program relies on are modelled: paths of names joined by
// backslashes, names without regard to case, values of any type as bytes.

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/sim/sim_state.h"

namespace {
using sim::detail::RegistryKey;
using sim::detail::State;

// Names compare without regard to case (ASCII, which is what the program writes).
std::u16string Folded(std::u16string_view name) {
  std::u16string folded(name);
  for (char16_t& c : folded) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  }
  return folded;
}

std::u16string_view View(LPCWSTR text) {
  return text != nullptr ? std::u16string_view(text) : std::u16string_view();
}

bool ShouldFail(const char* function) {
  auto& failing = State().failingRegistryCalls;
  auto found = std::find(failing.begin(), failing.end(), function);
  if (found == failing.end()) return false;
  failing.erase(found);
  return true;
}

// The key behind a handle: a root key, or one opened earlier. Null for anything else.
std::shared_ptr<RegistryKey> KeyOf(HKEY handle) {
  if (handle == HKEY_LOCAL_MACHINE) return State().localMachine;
  if (handle == HKEY_CURRENT_USER) return State().currentUser;
  auto found = State().registryHandles.find(reinterpret_cast<std::uintptr_t>(handle));
  return found == State().registryHandles.end() ? nullptr : found->second;
}

// Splits "A\B\C" into its names; empty names (doubled or trailing backslashes) are skipped.
// False for a path that starts with a backslash, which the system refuses.
bool SplitPath(std::u16string_view path, std::vector<std::u16string>* names) {
  if (!path.empty() && path.front() == u'\\') return false;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find(u'\\', start);
    if (end == std::u16string_view::npos) end = path.size();
    if (end > start) {
      if (end - start > 255) return false;  // the system's limit on a key name
      names->push_back(Folded(path.substr(start, end - start)));
    }
    start = end + 1;
  }
  return true;
}

LSTATUS OpenOrCreate(HKEY parent, LPCWSTR subKey, bool create, PHKEY result, LPDWORD disposition) {
  if (result == nullptr) return static_cast<LSTATUS>(ERROR_INVALID_PARAMETER);
  *result = nullptr;
  std::shared_ptr<RegistryKey> key = KeyOf(parent);
  if (key == nullptr) return static_cast<LSTATUS>(ERROR_INVALID_HANDLE);
  if (key->deleted) return static_cast<LSTATUS>(ERROR_KEY_DELETED);
  std::vector<std::u16string> names;
  if (!SplitPath(View(subKey), &names)) return static_cast<LSTATUS>(ERROR_BAD_PATHNAME);
  bool created = false;
  for (const auto& name : names) {
    auto& child = key->children[name];
    if (child == nullptr) {
      if (!create) {
        key->children.erase(name);
        return static_cast<LSTATUS>(ERROR_FILE_NOT_FOUND);
      }
      child = std::make_shared<RegistryKey>();
      created = true;
    }
    key = child;
  }
  if (disposition != nullptr) {
    *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  }
  const std::uintptr_t handle = sim::detail::NewHandleValue();
  State().registryHandles.emplace(handle, key);
  *result = reinterpret_cast<HKEY>(handle);
  return static_cast<LSTATUS>(ERROR_SUCCESS);
}

void MarkDeleted(RegistryKey& key) {
  key.deleted = true;
  for (auto& [name, child] : key.children) MarkDeleted(*child);
  key.children.clear();
  key.values.clear();
}
}  // namespace

LSTATUS RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM,
                        LPSECURITY_ATTRIBUTES, PHKEY result, LPDWORD disposition) {
  if (ShouldFail("RegCreateKeyExW")) return static_cast<LSTATUS>(ERROR_ACCESS_DENIED);
  return OpenOrCreate(key, subKey, true, result, disposition);
}

LSTATUS RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM, PHKEY result) {
  if (ShouldFail("RegOpenKeyExW")) return static_cast<LSTATUS>(ERROR_ACCESS_DENIED);
  return OpenOrCreate(key, subKey, false, result, nullptr);
}

LSTATUS RegCloseKey(HKEY key) {
  if (State().registryHandles.erase(reinterpret_cast<std::uintptr_t>(key)) == 0) {
    sim::detail::RecordMisuse("RegCloseKey of a handle that is not an open key");
    return static_cast<LSTATUS>(ERROR_INVALID_HANDLE);
  }
  return static_cast<LSTATUS>(ERROR_SUCCESS);
}

LSTATUS RegQueryValueExW(HKEY handle, LPCWSTR valueName, LPDWORD, LPDWORD type, LPBYTE data,
                         LPDWORD dataSize) {
  if (ShouldFail("RegQueryValueExW")) return static_cast<LSTATUS>(ERROR_ACCESS_DENIED);
  std::shared_ptr<RegistryKey> key = KeyOf(handle);
  if (key == nullptr) return static_cast<LSTATUS>(ERROR_INVALID_HANDLE);
  if (key->deleted) return static_cast<LSTATUS>(ERROR_KEY_DELETED);
  auto found = key->values.find(Folded(View(valueName)));
  if (found == key->values.end()) return static_cast<LSTATUS>(ERROR_FILE_NOT_FOUND);
  const auto& value = found->second;
  if (type != nullptr) *type = value.type;
  if (dataSize == nullptr) {
    return static_cast<LSTATUS>(data == nullptr ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER);
  }
  const auto size = static_cast<DWORD>(value.data.size());
  const bool fits = *dataSize >= size;
  *dataSize = size;
  if (data == nullptr) return static_cast<LSTATUS>(ERROR_SUCCESS);
  if (!fits) return static_cast<LSTATUS>(ERROR_MORE_DATA);
  std::copy(value.data.begin(), value.data.end(), data);
  return static_cast<LSTATUS>(ERROR_SUCCESS);
}

LSTATUS RegSetValueExW(HKEY handle, LPCWSTR valueName, DWORD, DWORD type, const BYTE* data,
                       DWORD dataSize) {
  if (ShouldFail("RegSetValueExW")) return static_cast<LSTATUS>(ERROR_ACCESS_DENIED);
  std::shared_ptr<RegistryKey> key = KeyOf(handle);
  if (key == nullptr) return static_cast<LSTATUS>(ERROR_INVALID_HANDLE);
  if (key->deleted) return static_cast<LSTATUS>(ERROR_KEY_DELETED);
  if (type == REG_DWORD && dataSize != sizeof(DWORD)) {
    return static_cast<LSTATUS>(ERROR_INVALID_PARAMETER);
  }
  auto& value = key->values[Folded(View(valueName))];
  value.type = type;
  value.data.assign(data, data + dataSize);
  return static_cast<LSTATUS>(ERROR_SUCCESS);
}

LSTATUS RegDeleteValueW(HKEY handle, LPCWSTR valueName) {
  if (ShouldFail("RegDeleteValueW")) return static_cast<LSTATUS>(ERROR_ACCESS_DENIED);
  std::shared_ptr<RegistryKey> key = KeyOf(handle);
  if (key == nullptr) return static_cast<LSTATUS>(ERROR_INVALID_HANDLE);
  if (key->deleted) return static_cast<LSTATUS>(ERROR_KEY_DELETED);
  return static_cast<LSTATUS>(
      key->values.erase(Folded(View(valueName))) != 0 ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
}

LSTATUS RegDeleteTreeW(HKEY handle, LPCWSTR subKey) {
  std::shared_ptr<RegistryKey> key = KeyOf(handle);
  if (key == nullptr) return static_cast<LSTATUS>(ERROR_INVALID_HANDLE);
  if (key->deleted) return static_cast<LSTATUS>(ERROR_KEY_DELETED);
  std::vector<std::u16string> names;
  if (!SplitPath(View(subKey), &names)) return static_cast<LSTATUS>(ERROR_BAD_PATHNAME);
  if (names.empty()) {  // the key's content goes, the key itself stays
    for (auto& [name, child] : key->children) MarkDeleted(*child);
    key->children.clear();
    key->values.clear();
    return static_cast<LSTATUS>(ERROR_SUCCESS);
  }
  for (std::size_t i = 0; i + 1 < names.size(); ++i) {
    auto found = key->children.find(names[i]);
    if (found == key->children.end()) return static_cast<LSTATUS>(ERROR_FILE_NOT_FOUND);
    key = found->second;
  }
  auto found = key->children.find(names.back());
  if (found == key->children.end()) return static_cast<LSTATUS>(ERROR_FILE_NOT_FOUND);
  MarkDeleted(*found->second);
  key->children.erase(found);
  return static_cast<LSTATUS>(ERROR_SUCCESS);
}
