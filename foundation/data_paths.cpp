#include "foundation/data_paths.h"

#include "foundation/environment.h"
#include "platform/windows_api.h"

namespace {

constexpr std::string_view kU3AppDataPath = "U3_APP_DATA_PATH";
constexpr std::string_view kCompanyFolder = "\\Brontel\\";
constexpr std::string_view kProductFolder = "\\Brontel\\Quillery Pro\\";
constexpr std::string_view kPortableDataFolder = "Data\\";

// Longest executable path asked for: the system's limit on a path.
constexpr DWORD kLongestPath = 32768;

bool IsSeparator(char c) {
  return c == '\\' || c == '/' || c == ':';
}

}  // namespace

bool DirectoryExists(const std::string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string AppDataFolder() {
  char buffer[MAX_PATH + 1] = {};
  if (!SHGetSpecialFolderPathA(nullptr, buffer, CSIDL_APPDATA, FALSE)) return {};
  return buffer;
}

std::string ExeFileName() {
  // A path cut to the buffer would name another file; grow until the whole path fits.
  std::string buffer(MAX_PATH, '\0');
  for (;;) {
    const auto size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
    if (length == 0) return {};
    if (length < size) {
      buffer.resize(length);
      return buffer;
    }
    if (size >= kLongestPath) return {};
    buffer.resize(size * 2);
  }
}

std::string ExeFolder() {
  const std::string exe = ExeFileName();
  std::size_t end = exe.size();
  while (end > 0 && !IsSeparator(exe[end - 1])) --end;
  return exe.substr(0, end);
}

std::string IniFileNameFor(std::string_view exePath) {
  std::size_t nameStart = exePath.size();
  while (nameStart > 0 && !IsSeparator(exePath[nameStart - 1])) --nameStart;
  std::string_view name = exePath.substr(nameStart);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string_view::npos) name = name.substr(0, dot);
  return std::string(name) + ".ini";
}

std::string SettingsFileName() {
  return SettingsFolder() + "\\" + IniFileNameFor(ExeFileName());
}

std::string ChooseWorkFolder(EWorkFolder which, const CFolderSources& sources) {
  std::string candidate = sources.u3AppDataPath;
  if (!DirectoryExists(candidate)) {
    const std::string portableData = sources.exeFolder + std::string(kPortableDataFolder);
    if (DirectoryExists(portableData)) {
      candidate = which == EWorkFolder::kData ? portableData : sources.exeFolder;
    } else {
      const std::string company = sources.appDataFolder + std::string(kCompanyFolder);
      if (!DirectoryExists(company)) CreateDirectoryA(company.c_str(), nullptr);
      candidate = sources.appDataFolder + std::string(kProductFolder);
    }
  }
  if (!DirectoryExists(candidate)) CreateDirectoryA(candidate.c_str(), nullptr);
  if (!DirectoryExists(candidate)) candidate = sources.exeFolder;
  return candidate;
}

CFolderSources CurrentFolderSources() {
  return {ReadEnvironmentVariable(kU3AppDataPath), ExeFolder(), AppDataFolder()};
}

std::string DataFolder() {
  return ChooseWorkFolder(EWorkFolder::kData, CurrentFolderSources());
}

std::string SettingsFolder() {
  return ChooseWorkFolder(EWorkFolder::kSettings, CurrentFolderSources());
}
