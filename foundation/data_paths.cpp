#include "foundation/data_paths.h"

#include "foundation/environment.h"
#include "platform/windows_api.h"

namespace {

constexpr std::u16string_view kU3AppDataPath = u"U3_APP_DATA_PATH";
constexpr std::u16string_view kCompanyFolder = u"\\Brontel\\";
constexpr std::u16string_view kProductFolder = u"\\Brontel\\Quillery Pro\\";
constexpr std::u16string_view kPortableDataFolder = u"Data\\";

// Longest executable path asked for: the system's limit on a path.
constexpr DWORD kLongestPath = 32768;

bool IsSeparator(char16_t c) {
  return c == u'\\' || c == u'/' || c == u':';
}

}  // namespace

bool DirectoryExists(const std::u16string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesW(AsWide(path.c_str()));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::u16string AppDataFolder() {
  char16_t buffer[MAX_PATH + 1] = {};
  if (!SHGetSpecialFolderPathW(nullptr, AsWide(buffer), CSIDL_APPDATA, FALSE)) return {};
  return buffer;
}

std::u16string ExeFileName() {
  // A path cut to the buffer would name another file; grow until the whole path fits.
  std::u16string buffer(MAX_PATH, u'\0');
  for (;;) {
    const auto size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameW(nullptr, AsWide(buffer.data()), size);
    if (length == 0) return {};
    if (length < size) {
      buffer.resize(length);
      return buffer;
    }
    if (size >= kLongestPath) return {};
    buffer.resize(size * 2);
  }
}

std::u16string ExeFolder() {
  const std::u16string exe = ExeFileName();
  std::size_t end = exe.size();
  while (end > 0 && !IsSeparator(exe[end - 1])) --end;
  return exe.substr(0, end);
}

std::u16string IniFileNameFor(std::u16string_view exePath) {
  std::size_t nameStart = exePath.size();
  while (nameStart > 0 && !IsSeparator(exePath[nameStart - 1])) --nameStart;
  std::u16string_view name = exePath.substr(nameStart);
  const std::size_t dot = name.rfind(u'.');
  if (dot != std::u16string_view::npos) name = name.substr(0, dot);
  return std::u16string(name) + u".ini";
}

std::u16string SettingsFileName() {
  return SettingsFolder() + u"\\" + IniFileNameFor(ExeFileName());
}

std::u16string ChooseWorkFolder(EWorkFolder which, const CFolderSources& sources) {
  std::u16string candidate = sources.u3AppDataPath;
  if (!DirectoryExists(candidate)) {
    const std::u16string portableData = sources.exeFolder + std::u16string(kPortableDataFolder);
    if (DirectoryExists(portableData)) {
      candidate = which == EWorkFolder::kData ? portableData : sources.exeFolder;
    } else {
      const std::u16string company = sources.appDataFolder + std::u16string(kCompanyFolder);
      if (!DirectoryExists(company)) CreateDirectoryW(AsWide(company.c_str()), nullptr);
      candidate = sources.appDataFolder + std::u16string(kProductFolder);
    }
  }
  if (!DirectoryExists(candidate)) CreateDirectoryW(AsWide(candidate.c_str()), nullptr);
  if (!DirectoryExists(candidate)) candidate = sources.exeFolder;
  return candidate;
}

CFolderSources CurrentFolderSources() {
  return {ReadWideEnvironmentVariable(kU3AppDataPath), ExeFolder(), AppDataFolder()};
}

bool IsPortableCopy(const CFolderSources& sources) {
  return DirectoryExists(sources.u3AppDataPath) ||
         DirectoryExists(sources.exeFolder + std::u16string(kPortableDataFolder));
}

bool IsPortableCopy() {
  return IsPortableCopy(CurrentFolderSources());
}

std::u16string DataFolder() {
  return ChooseWorkFolder(EWorkFolder::kData, CurrentFolderSources());
}

std::u16string SettingsFolder() {
  return ChooseWorkFolder(EWorkFolder::kSettings, CurrentFolderSources());
}
