#pragma once
// Shared state of the platform model; internal to platform/sim.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/sim/sim_control.h"
#include "platform/sim/sim_windows.h"

namespace sim::detail {

struct GlobalBlock {
  std::vector<std::uint8_t> bytes;
  int lockCount = 0;
  bool ownedByClipboard = false;
};

struct DeviceBitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // top-down rows, 0x00RRGGBB
  bool ownedByClipboard = false;
};

struct ClipboardEntry {
  UINT format = 0;
  HANDLE data = nullptr;  // null: announced but never delivered
};

struct ClipboardState {
  bool open = false;
  HWND openedBy = nullptr;
  bool changedWhileOpen = false;
  HWND owner = nullptr;
  std::vector<ClipboardEntry> entries;      // in the order they were set
  std::vector<ClipboardEntry> synthesised;  // text forms made on request
  DWORD sequence = 1;
  bool heldByAnotherThread = false;
  std::uint64_t heldUntilTick = 0;
  std::function<void()> viewer;
  std::vector<std::pair<std::u16string, UINT>> registeredFormats;
};

// A registry key. Children and values are keyed by their names in upper case; handles
// share the key, so one that outlives its deletion sees `deleted`.
struct RegistryValue {
  DWORD type = 0;
  std::vector<std::uint8_t> data;
};
struct RegistryKey {
  std::map<std::u16string, std::shared_ptr<RegistryKey>> children;
  std::map<std::u16string, RegistryValue> values;
  bool deleted = false;
};

// A process of another program (sim::NewProgramWindow).
struct Process {
  std::u16string image;
  bool openable = true;
};

// The process of this program, which owns every window that no test gave to another.
inline constexpr DWORD kOwnProcessId = 1;

// A file opened by CreateFileW: its POSIX descriptor, and what others may do with the file
// meanwhile (FILE_SHARE_*), which decides whether it may be replaced.
struct OpenFile {
  int descriptor = -1;
  std::filesystem::path path;
  DWORD share = 0;
};

struct Model {
  std::unordered_map<std::uintptr_t, std::unique_ptr<GlobalBlock>> globals;
  std::unordered_map<std::uintptr_t, std::unique_ptr<DeviceBitmap>> bitmaps;
  std::uintptr_t nextHandle = 0x10000;
  int failingAllocs = 0;
  ClipboardState clipboard;
  std::array<bool, 256> keysDown{};
  std::uint64_t tick = 1000;  // milliseconds of the model's clock
  std::optional<SYSTEMTIME> fixedTime;
  std::uint64_t tickWhenFixed = 0;
  std::vector<std::string> misuses;
  std::unordered_map<std::uintptr_t, OpenFile> files;  // by handle; see FilesLock
  std::uint64_t diskSpace = UINT64_MAX;
  std::vector<std::pair<std::string, DWORD>> failingFileCalls;  // function, error
  bool skipDiskSync = false;
  std::string moduleFileName;  // empty: the real executable's
  std::string appDataFolder;   // UTF-8; empty: SHGetSpecialFolderPathW fails
  std::string currentDriveRoot = "/";
  std::vector<std::string> messageBoxes;
  std::uint64_t keyStateQueries = 0;
  std::uint64_t lastInputTick = 0;
  std::vector<std::string> failingRegistryCalls;
  std::shared_ptr<RegistryKey> localMachine = std::make_shared<RegistryKey>();
  std::shared_ptr<RegistryKey> currentUser = std::make_shared<RegistryKey>();
  std::unordered_map<std::uintptr_t, std::shared_ptr<RegistryKey>> registryHandles;
  std::vector<sim::SentKey> sentKeys;
  bool delaySentInput = false;
  std::vector<KEYBDINPUT> pendingInput;    // taken by SendInput, not yet applied
  std::vector<std::size_t> sentInputCuts;  // for the next calls of SendInput, in order
  std::uintptr_t keyboardLayout = 0x04090409;
  bool buttonsSwapped = false;
  std::u16string userLocale = u"en-US";  // LOCALE_NAME_USER_DEFAULT
  HWND foreground = nullptr;
  std::unordered_map<std::uintptr_t, DWORD> windowProcesses;  // absent: kOwnProcessId
  std::unordered_map<DWORD, Process> processes;
  std::unordered_map<std::uintptr_t, DWORD> processHandles;  // open handle to process id
  DWORD nextProcessId = 1000;
  // Data protection: the secret of each account (number = index + 1); 0 is no account.
  std::vector<std::array<std::uint8_t, 32>> accountSecrets;
  std::uint32_t currentAccount = 0;
};

Model& State();

// A fresh handle value, never reused, so that a stale handle is always recognised.
std::uintptr_t NewHandleValue();

GlobalBlock* FindGlobal(HANDLE handle);
DeviceBitmap* FindBitmap(HANDLE handle);

// Frees a handle that the clipboard owns (a global block or a bitmap).
void FreeClipboardHandle(UINT format, HANDLE handle);

void RecordMisuse(std::string what);

// Applies the keyboard input that SendInput took and the system has not applied yet.
void ApplyPendingInput();

// The host path of a Windows path: either separator, and a leading single backslash
// standing for the root of the current drive (Model::currentDriveRoot).
std::string HostPath(std::u16string_view windowsPath);

// Closes a handle of OpenProcess; false for any other handle.
bool CloseProcessHandle(HANDLE handle);

// True when a test asked the named file call to fail (sim::FailNextFileCall); the request is
// used up and the error set.
bool ShouldFailFileCall(const char* function);

// Algorithm providers and keys of the model's CNG not yet closed or destroyed.
std::size_t LiveCngObjects();

}  // namespace sim::detail
