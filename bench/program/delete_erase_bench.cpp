// How soon a clip that the user deletes leaves the disk: 10,000 texts of 1 KB in the
// history of a running quillery.exe, the newest clip deleted from its context menu
// ("Delete item"), and the time from the key that chooses the command until no file of the
// data folder (data.dat, its journal, a save's temporary file) holds the clip's text: the
// time of the folder's last change before it held none.
//
//   delete_erase_bench [CLIPS [DELETIONS]]     default: 10,000 clips, 20 deletions
//
// Target: under 2 s, the worst of 20. Run under Wine (scripts/wine-test.sh works for it).
// Prints the median and the worst.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "app/window/win32/main_window_ids.h"
#include "foundation/settings_keys.h"
#include "platform/handles.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/program_installation.h"
#include "tests/e2e/running_program.h"
#include "tests/e2e/stored_clips.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::size_t kClipUnits = 1024;

// A clip's text begins with a mark that no other clip holds.
std::u16string ClipMark(int index) {
  const std::string digits = "erase probe " + std::to_string(100000 + index) + ":";
  return std::u16string(digits.begin(), digits.end());
}

std::u16string ClipText(int index) {
  std::u16string text = ClipMark(index);
  text.resize(kClipUnits, static_cast<char16_t>(u'a' + index % 26));
  return text;
}

// The whole file, read without keeping the program from replacing or removing it; false
// when it could not be read (a file that has just gone reads as empty).
bool ReadShared(const std::filesystem::path& path, std::string& bytes) {
  bytes.clear();
  UniqueFile file = AdoptFile(CreateFileW(path.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
  char buffer[1 << 16];
  DWORD read = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
    bytes.append(buffer, read);
  }
  return true;
}

// Whether no file of the folder holds `text` in UTF-16; false while one cannot be read.
bool NoFileHolds(const std::filesystem::path& folder, const std::u16string& text) {
  const std::string needle(reinterpret_cast<const char*>(text.data()), text.size() * 2);
  std::error_code error;
  std::string bytes;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (!ReadShared(entry.path(), bytes) || bytes.find(needle) != std::string::npos) return false;
  }
  return !error;
}

// The list open and pinned, the history unfolded; the screen point of its first clip.
bool OpenHistory(const CRunningProgram& program, POINT* firstClip) {
  HWND window = program.MainWindow();
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(kIdOpenClipboard, BN_CLICKED),
               reinterpret_cast<LPARAM>(program.Control(kIdOpenClipboard)));
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(kIdPin, BN_CLICKED),
               reinterpret_cast<LPARAM>(program.Control(kIdPin)));
  HWND tree = program.Control(kIdItemsTree);
  if (!PumpUntil([&] { return IsWindowVisible(tree) != FALSE; })) return false;
  DWORD_PTR history = 0;
  DWORD_PTR unused = 0;
  DWORD_PTR rowHeight = 0;
  if (!SendMessageTimeoutW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0, SMTO_ABORTIFHUNG, 1000, &history) ||
      !SendMessageTimeoutW(tree, TVM_EXPAND, TVE_EXPAND, static_cast<LPARAM>(history),
                           SMTO_ABORTIFHUNG, 1000, &unused) ||
      !SendMessageTimeoutW(tree, TVM_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, 1000, &rowHeight)) {
    return false;
  }
  // Row 0 is "Clipboard history"; row 1 its newest clip.
  *firstClip = POINT{30, static_cast<LONG>(rowHeight + rowHeight / 2)};
  ClientToScreen(tree, firstClip);
  return true;
}

// What the folder's files look like from outside: names, sizes and last writes. Asking
// opens no file, so the program's saves and replaces go on undisturbed.
struct CFolderLook {
  std::vector<std::tuple<std::wstring, std::uint64_t, std::uint64_t>> files;
  bool operator==(const CFolderLook&) const = default;

  static CFolderLook Of(const std::filesystem::path& folder) {
    CFolderLook look;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
      WIN32_FILE_ATTRIBUTE_DATA data{};
      if (!GetFileAttributesExW(entry.path().c_str(), GetFileExInfoStandard, &data)) continue;
      look.files.emplace_back(entry.path().filename().wstring(),
                              (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
                              (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                                  data.ftLastWriteTime.dwLowDateTime);
    }
    return look;
  }
  std::optional<std::uint64_t> WriteTimeOf(const std::wstring& name) const {
    for (const auto& [file, size, time] : files) {
      if (file == name) return time;
    }
    return std::nullopt;
  }
  bool Saving() const {
    return std::any_of(files.begin(), files.end(),
                       [](const auto& file) { return std::get<0>(file).ends_with(L".saving"); });
  }
};

// Opens the first clip's menu and chooses "Delete item" (the one before the last, "Clear");
// the milliseconds from that choice until the last change of the data folder after which
// no file holds the clip's text, or -1 when that did not come within 30 s. The files are
// read only once the folder has been still for a while after data.dat was replaced, so
// that the reading never holds a file that the program is about to replace.
double DeleteFirstClip(const CRunningProgram& program, POINT firstClip,
                       const std::filesystem::path& dataFolder, const std::u16string& mark) {
  RightClickAt(firstClip);
  HWND menu = nullptr;
  if (!PumpUntil([&] {
        menu = FindProcessWindow(program.ProcessId(), L"#32768");
        return menu != nullptr && IsWindowVisible(menu);
      })) {
    return -1;
  }
  TypeChord({VK_UP});
  TypeChord({VK_UP});
  CFolderLook last = CFolderLook::Of(dataFolder);
  const std::optional<std::uint64_t> dataBefore = last.WriteTimeOf(L"data.dat");
  const auto start = Clock::now();
  PressKey(VK_RETURN, true);
  PressKey(VK_RETURN, false);
  auto lastChange = start;
  bool lookedAtThisChange = false;
  while (Clock::now() - start < std::chrono::seconds(30)) {
    PumpMessages();
    CFolderLook now = CFolderLook::Of(dataFolder);
    if (now != last) {
      last = std::move(now);
      lastChange = Clock::now();
      lookedAtThisChange = false;
    } else if (!lookedAtThisChange && Clock::now() - lastChange >= milliseconds(150) &&
               !last.Saving() && last.WriteTimeOf(L"data.dat") != dataBefore) {
      lookedAtThisChange = true;
      if (NoFileHolds(dataFolder, mark)) {
        return std::chrono::duration<double, std::milli>(lastChange - start).count();
      }
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  const int clips = argc > 1 ? std::max(25, std::atoi(argv[1])) : 10000;
  const int deletions = argc > 2 ? std::clamp(std::atoi(argv[2]), 1, clips - 5) : 20;
  CProgramInstallation installation;
  installation.SetSetting(Settings::kClipboardCapacity, clips);
  std::vector<std::pair<std::u16string, int>> history;
  for (int i = 0; i < clips; ++i) history.emplace_back(ClipText(i), kHistoryCategoryId);
  WriteTextClips(installation.DataFile(), history);
  const std::filesystem::path dataFolder = installation.DataFile().parent_path();

  CRunningProgram program(installation.Program());
  POINT firstClip{};
  if (!program.Started() || program.WaitForMainWindow() == nullptr ||
      !OpenHistory(program, &firstClip)) {
    std::printf("the program could not be started or its list opened\n");
    return 1;
  }
  PumpFor(milliseconds(1000));  // the start's own work done
  std::vector<double> times;
  for (int i = 0; i < deletions; ++i) {
    const double time = DeleteFirstClip(program, firstClip, dataFolder, ClipMark(i));
    if (time < 0) {
      std::printf("deletion %d: the clip's text stayed on the disk for 30 s\n", i + 1);
      break;
    }
    times.push_back(time);
    PumpFor(milliseconds(300));  // each deletion on its own
  }
  program.Close();
  if (times.empty()) return 1;
  std::sort(times.begin(), times.end());
  const std::size_t n = times.size();
  const double median = n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
  std::printf(
      "%d clips of %zu characters, %zu deletions from the menu until no file holds the "
      "clip: median %7.1f ms, worst %7.1f ms\n",
      clips, kClipUnits, n, median, times.back());
  return times.size() == static_cast<std::size_t>(deletions) ? 0 : 1;
}
