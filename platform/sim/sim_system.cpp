// The model's environment, module, special folders, folders on disk, last-input time and
// message boxes.

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <string>

#include "platform/sim/sim_control.h"
#include "platform/sim/sim_state.h"

namespace {
using sim::detail::State;

DWORD ErrorFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return ERROR_PATH_NOT_FOUND;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EEXIST:
      return ERROR_ALREADY_EXISTS;
    default:
      return ERROR_ACCESS_DENIED;
  }
}

// Copies `text` with its terminator as the system's A functions do: the length without the
// terminator when it fits, else the size needed with it and nothing (or a cut copy) written.
DWORD CopyOut(const std::string& text, LPSTR buffer, DWORD size) {
  if (text.size() + 1 > size) return static_cast<DWORD>(text.size() + 1);
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return static_cast<DWORD>(text.size());
}
std::u16string WideFromUtf8(std::string_view utf8) {
  std::u16string wide;
  if (utf8.empty()) return wide;
  const int length = static_cast<int>(utf8.size());
  wide.resize(
      static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0)));
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

std::string Utf8FromWide(std::u16string_view wide) {
  std::string utf8;
  if (wide.empty()) return utf8;
  const int length = static_cast<int>(wide.size());
  utf8.resize(static_cast<std::size_t>(
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr)));
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), static_cast<int>(utf8.size()),
                      nullptr, nullptr);
  return utf8;
}

// The wide twin of CopyOut.
DWORD CopyOutWide(const std::u16string& text, LPWSTR buffer, DWORD size) {
  if (text.size() + 1 > size) return static_cast<DWORD>(text.size() + 1);
  std::copy(text.begin(), text.end(), buffer);
  buffer[text.size()] = u'\0';
  return static_cast<DWORD>(text.size());
}
}  // namespace

namespace sim::detail {

std::string HostPath(std::u16string_view windowsPath) {
  std::u16string wide(windowsPath);
  std::string ansi;
  if (!wide.empty()) {
    const int length = static_cast<int>(wide.size());
    ansi.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr)));
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, ansi.data(), static_cast<int>(ansi.size()),
                        nullptr, nullptr);
  }
  const bool onCurrentDrive =
      ansi.size() >= 1 && ansi[0] == '\\' && (ansi.size() == 1 || ansi[1] != '\\');
  for (char& c : ansi) {
    if (c == '\\') c = '/';
  }
  if (onCurrentDrive) {
    std::string root = State().currentDriveRoot;
    if (!root.empty() && root.back() == '/') root.pop_back();
    ansi = root + ansi;
  }
  return ansi;
}

}  // namespace sim::detail

DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size) {
  const char* value = std::getenv(name != nullptr ? name : "");
  if (value == nullptr) {
    SetLastError(ERROR_ENVVAR_NOT_FOUND);
    return 0;
  }
  return CopyOut(value, buffer, size);
}

BOOL SetEnvironmentVariableA(LPCSTR name, LPCSTR value) {
  const int result = value == nullptr ? ::unsetenv(name) : ::setenv(name, value, 1);
  if (result != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

// The host's environment is UTF-8; the wide calls see it as UTF-16.
DWORD GetEnvironmentVariableW(LPCWSTR name, LPWSTR buffer, DWORD size) {
  const char* value = std::getenv(Utf8FromWide(name != nullptr ? name : u"").c_str());
  if (value == nullptr) {
    SetLastError(ERROR_ENVVAR_NOT_FOUND);
    return 0;
  }
  return CopyOutWide(WideFromUtf8(value), buffer, size);
}

BOOL SetEnvironmentVariableW(LPCWSTR name, LPCWSTR value) {
  const std::string hostName = Utf8FromWide(name);
  const int result = value == nullptr ? ::unsetenv(hostName.c_str())
                                      : ::setenv(hostName.c_str(), Utf8FromWide(value).c_str(), 1);
  if (result != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

DWORD GetModuleFileNameW(HMODULE, LPWSTR fileName, DWORD size) {
  std::string path = State().moduleFileName;
  if (path.empty()) {
    char real[4096];
    const ssize_t length = ::readlink("/proc/self/exe", real, sizeof real - 1);
    if (length <= 0) {
      SetLastError(ERROR_FILE_NOT_FOUND);
      return 0;
    }
    path.assign(real, static_cast<std::size_t>(length));
  }
  const std::u16string wide = WideFromUtf8(path);
  if (size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  // Too long: cut to size - 1 characters, the whole buffer reported as used.
  if (wide.size() + 1 > size) {
    std::copy_n(wide.begin(), size - 1, fileName);
    fileName[size - 1] = u'\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  return CopyOutWide(wide, fileName, size);
}

BOOL SHGetSpecialFolderPathW(HWND, LPWSTR path, int folder, BOOL) {
  const std::u16string appData = WideFromUtf8(State().appDataFolder);
  if (folder != CSIDL_APPDATA || appData.empty() || appData.size() >= MAX_PATH) return FALSE;
  CopyOutWide(appData, path, MAX_PATH);
  return TRUE;
}

BOOL CreateDirectoryW(LPCWSTR path, LPSECURITY_ATTRIBUTES) {
  if (::mkdir(sim::detail::HostPath(path).c_str(), 0755) != 0) {
    SetLastError(ErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}

BOOL GetLastInputInfo(LASTINPUTINFO* info) {
  if (info == nullptr || info->cbSize != sizeof(LASTINPUTINFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  info->dwTime = static_cast<DWORD>(State().lastInputTick);
  return TRUE;
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR, UINT type) {
  State().messageBoxes.emplace_back(text != nullptr ? text : "");
  return (type & MB_YESNO) == MB_YESNO ? IDNO : IDOK;
}

int MessageBoxW(HWND, LPCWSTR text, LPCWSTR, UINT type) {
  std::string utf8;
  if (text != nullptr) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size > 1) {
      utf8.resize(static_cast<size_t>(size));
      WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
      utf8.pop_back();
    }
  }
  State().messageBoxes.push_back(utf8);
  return (type & MB_YESNO) == MB_YESNO ? IDNO : IDOK;
}

namespace sim {

void SetModuleFileName(const std::string& path) {
  State().moduleFileName = path;
}

void SetAppDataFolder(const std::string& path) {
  State().appDataFolder = path;
}

void SetCurrentDriveRoot(const std::string& path) {
  State().currentDriveRoot = path.empty() ? "/" : path;
}

const std::vector<std::string>& MessageBoxTexts() {
  return State().messageBoxes;
}

std::uint64_t KeyStateQueries() {
  return State().keyStateQueries;
}

void FailNextRegistryCall(const std::string& function) {
  State().failingRegistryCalls.push_back(function);
}

}  // namespace sim
