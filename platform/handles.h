#pragma once
// Owners of system handles and guards of borrowed state. Every handle the program keeps
// is owned by one of these; hand-over is visible as release():
//   if (SetClipboardData(CF_UNICODETEXT, memory.get())) memory.release();

#include <utility>

#include "platform/windows_api.h"

template <typename Traits>
class Unique {
 public:
  using Handle = typename Traits::Handle;

  Unique() = default;
  explicit Unique(Handle handle) : handle_(handle) {}
  ~Unique() { reset(); }
  Unique(Unique&& other) noexcept : handle_(other.release()) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle{}; }

  // Gives up ownership, e.g. to the clipboard, which frees the handle from then on.
  Handle release() { return std::exchange(handle_, Handle{}); }

  void reset(Handle handle = Handle{}) {
    if (handle_ != Handle{}) Traits::Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_{};
};

struct GlobalMemoryTraits {
  using Handle = HGLOBAL;
  static void Close(Handle handle) { GlobalFree(handle); }
};
using UniqueGlobal = Unique<GlobalMemoryTraits>;

struct BitmapTraits {
  using Handle = HBITMAP;
  static void Close(Handle handle) { DeleteObject(handle); }
};
using UniqueBitmap = Unique<BitmapTraits>;

struct FileTraits {
  using Handle = HANDLE;
  static void Close(Handle handle) { CloseHandle(handle); }
};
using UniqueFile = Unique<FileTraits>;

struct ProcessTraits {
  using Handle = HANDLE;
  static void Close(Handle handle) { CloseHandle(handle); }
};
using UniqueProcess = Unique<ProcessTraits>;

// CreateFileW reports failure as INVALID_HANDLE_VALUE, not null; the owner then holds null.
inline UniqueFile AdoptFile(HANDLE file) {
  return UniqueFile(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

// Locks a movable block for the guard's lifetime. data() is null when the lock failed.
class GlobalLockGuard {
 public:
  explicit GlobalLockGuard(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {}
  ~GlobalLockGuard() {
    if (data_ != nullptr) GlobalUnlock(memory_);
  }
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;

  void* data() const { return data_; }
  // Bytes of the block; what may be read through data().
  SIZE_T size() const { return data_ != nullptr ? GlobalSize(memory_) : 0; }

 private:
  HGLOBAL memory_;
  void* data_;
};

// The screen's device context, borrowed for converting bitmaps.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_ != nullptr) ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;

  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// How long to keep trying when another program holds the clipboard open.
struct ClipboardPatience {
  DWORD milliseconds = 0;  // 0: one attempt only
  DWORD pauseMilliseconds = 2;
};

// Opens the clipboard with `owner` as its owner for the guard's lifetime and closes it
// again, on every path. With patience, retries until that much time has passed.
class ClipboardOpen {
 public:
  explicit ClipboardOpen(HWND owner, ClipboardPatience patience = {});
  ~ClipboardOpen() {
    if (open_) CloseClipboard();
  }
  ClipboardOpen(const ClipboardOpen&) = delete;
  ClipboardOpen& operator=(const ClipboardOpen&) = delete;

  bool IsOpen() const { return open_; }

  // Closes now; with a change made, this is when the viewer chain hears of it.
  void Close() {
    if (open_) CloseClipboard();
    open_ = false;
  }

 private:
  bool open_ = false;
};
