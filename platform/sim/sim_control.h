#pragma once
// Control of the in-memory platform model, for native tests. Through it a test acts as
// "another program" or as the system: it holds the clipboard open from another thread,
// makes memory allocations fail, holds keys down, fixes the clock, and watches the
// clipboard-viewer notification. Everything else a test does through the API itself.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/sim/sim_windows.h"

namespace sim {

inline constexpr DWORD kForever = 0xFFFFFFFF;

// Returns the model to its start: empty clipboard, no viewer, no holds, keys up, clock
// running from the real local time, no pending allocation failures. Handles still held by
// the caller stay valid.
void Reset();

// A window handle of its own, distinct from every other, to own the clipboard with.
HWND NewWindowHandle();

// Called synchronously from CloseClipboard after a change of content, as the system
// sends WM_DRAWCLIPBOARD to the head of the viewer chain. An empty function removes it.
void SetClipboardViewer(std::function<void()> onChange);

// Another program's thread opens the clipboard and keeps it open for the given time of
// the model's clock (which advances only through Sleep), or until released.
void HoldClipboardFromAnotherThread(DWORD milliseconds = kForever);
void ReleaseClipboardFromAnotherThread();

// The next `count` calls of GlobalAlloc fail as when memory is exhausted.
void FailNextGlobalAllocs(int count);

// The user's locale, whose name LOCALE_NAME_USER_DEFAULT stands for ("en-US" until set).
void SetUserLocaleName(const std::u16string& name);

// Keys and mouse buttons held down, as GetKeyState reports them.
void SetKeyDown(int virtualKey, bool down);
void ReleaseAllKeys();

// Fixes the local time that GetLocalTime reports (Sleep still advances it).
void SetLocalTime(const SYSTEMTIME& time);

// The disk has room for only this many more bytes of WriteFile; a write beyond fails
// part-way with ERROR_DISK_FULL. Reset() makes the room unlimited again.
void SetDiskSpace(std::uint64_t bytes);

// The next call of the named file function ("CreateFileW", "FlushFileBuffers",
// "MoveFileExW", "CopyFileW", "WritePrivateProfileStringW", ...) fails with `error`. (A
// move refused with ERROR_ACCESS_DENIED is tried again by the program: the file may be
// held by another program for a moment.)
void FailNextFileCall(const std::string& function, DWORD error = ERROR_ACCESS_DENIED);

// With `skip`, FlushFileBuffers and write-through moves return at once without waiting for
// the disk, so that benchmarks measure the program rather than the disk. Reset() undoes it.
void SkipDiskSync(bool skip);

// Live handles, for tests of ownership: blocks of global memory and bitmaps not yet freed.
std::size_t LiveGlobalBlocks();
std::size_t LiveBitmaps();

// Uses of handles that Windows would punish (freeing a block the clipboard owns, locking
// a freed block, ...), described in words; empty when all went well.
const std::vector<std::string>& HandleMisuses();

}  // namespace sim

namespace sim {

// The executable's path (UTF-8) that GetModuleFileNameW reports; empty: the real one.
void SetModuleFileName(const std::string& path);

// The folder (UTF-8) that SHGetSpecialFolderPathW gives for CSIDL_APPDATA; empty: the call
// fails.
void SetAppDataFolder(const std::string& path);

// The host folder that stands for the root of the current drive ("\Brontel" lies in it).
void SetCurrentDriveRoot(const std::string& path);

// Texts of the message boxes shown since the last Reset().
const std::vector<std::string>& MessageBoxTexts();

// How many times GetKeyState and GetAsyncKeyState have been asked, for tests of polling.
std::uint64_t KeyStateQueries();

// Sets a key's state as the system can without input (no new last-input time), e.g. when
// it resets the keyboard on a desktop switch.
void SetKeyDownWithoutInput(int virtualKey, bool down);

// The next call of the named registry function fails with ERROR_ACCESS_DENIED.
void FailNextRegistryCall(const std::string& function);

}  // namespace sim

namespace sim {

// A keyboard event that SendInput took, as it was given.
struct SentKey {
  WORD virtualKey = 0;
  WORD scanCode = 0;
  bool up = false;
  bool extended = false;
  bool operator==(const SentKey&) const = default;
};
// Everything SendInput took since the last Reset(), in order.
const std::vector<SentKey>& SentKeys();

// With `delay`, SendInput's events reach the key state only when the caller next sleeps,
// as they do on Windows when the system's input thread gets to them after the call has
// returned. Turning it off applies what waits. Reset() turns it off.
void DelaySentInput(bool delay);
// Events that SendInput took and the key state does not show yet.
std::size_t PendingInput();
// The next calls of SendInput, one number a call, take only that many of their events and
// refuse the rest, returning fewer than they were given, as Windows does when it blocks
// input meant for an elevated program or the desktop switches in the middle of a batch.
// The calls after them take everything again, as do all after Reset().
void CutSentInput(std::vector<std::size_t> eventsTaken);

// The keyboard layouts of the model, by their system identifiers: US English without
// AltGr, and German, French and Polish (programmers) with it.
inline constexpr std::uint32_t kLayoutUnitedStates = 0x04090409;
inline constexpr std::uint32_t kLayoutGerman = 0x04070407;
inline constexpr std::uint32_t kLayoutFrench = 0x040C040C;
inline constexpr std::uint32_t kLayoutPolish = 0x04150415;
HKL KeyboardLayout(std::uint32_t id);
// The layout that GetKeyboardLayout reports for every thread; US English after Reset().
void SetKeyboardLayout(HKL layout);

// The left-handed mouse setting that GetSystemMetrics(SM_SWAPBUTTON) reports. The key
// state keeps the physical buttons, as GetAsyncKeyState does.
void SetMouseButtonsSwapped(bool swapped);

// The window that GetForegroundWindow reports; none after Reset().
void SetForegroundWindow(HWND window);

}  // namespace sim

namespace sim {

// A window of a new process of another program, whose executable is `imagePath` (a Windows
// path): GetWindowThreadProcessId names that process and QueryFullProcessImageNameW its image.
HWND NewProgramWindow(const std::u16string& imagePath);
// Whether OpenProcess may open the process of `window`: not one of a higher integrity level,
// nor one that ended meanwhile. Every process may be opened after Reset().
void SetProcessOpenable(HWND window, bool openable);
// Process handles that OpenProcess gave and CloseHandle has not closed.
std::size_t LiveProcessHandles();

}  // namespace sim

namespace sim {

// Windows accounts for the model's data protection (CryptProtectData). There is none after
// Reset(). A new account has a random secret of its own and becomes the current one; what
// one account protected, another cannot unprotect.
std::uint32_t SignInNewAccount();
// Makes an account of SignInNewAccount the current one again.
void SwitchToAccount(std::uint32_t account);
// Handles of the cryptography (algorithm providers, keys) and protected blobs not yet
// closed, destroyed or freed, for tests of ownership.
std::size_t LiveCryptoObjects();

}  // namespace sim
