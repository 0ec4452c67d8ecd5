#pragma once
// The clipboard as the tests see it: the program's owner window at the head of the viewer
// chain, and "another program" that copies and reads content and holds the clipboard
// open. Natively this drives the model of platform/sim; on Windows the real clipboard.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windows_api.h"
#include "foundation/bitmap.h"

struct ClipFormat {
  UINT format = 0;
  std::vector<std::uint8_t> bytes;
};

class CClipboardDriver {
 public:
  static constexpr DWORD kForever = 0xFFFFFFFF;

  // Sets up the windows and the viewer and empties the clipboard.
  CClipboardDriver();
  ~CClipboardDriver();
  CClipboardDriver(const CClipboardDriver&) = delete;
  CClipboardDriver& operator=(const CClipboardDriver&) = delete;

  // The window the program under test owns the clipboard with.
  HWND OwnerWindow() const { return owner_; }

  // Runs `handler` on every change notification, synchronously, as the program's window
  // procedure would on WM_DRAWCLIPBOARD. An empty function stops it.
  void OnChange(std::function<void()> handler);
  int ChangeCount() const { return changes_; }

  // As another program: replace the clipboard's content. False if it could not.
  bool CopyText(std::u16string_view text);
  bool CopyAnsiText(std::string_view text);
  bool CopyFormats(const std::vector<ClipFormat>& formats);
  bool CopyBitmap(const TBitmap& picture);
  // Hands the clipboard `bitmap` as CF_BITMAP, of any size the system makes.
  bool CopyBitmapHandle(UniqueBitmap bitmap);
  bool Clear();

  // As another program: read the clipboard.
  std::optional<std::u16string> ReadUnicodeText();
  std::optional<std::string> ReadAnsiText();
  std::optional<TBitmap> ReadBitmap();
  // The bytes of a format held in a memory block, as the clipboard gives them.
  std::optional<std::vector<std::uint8_t>> ReadFormat(UINT format);
  bool Offers(UINT format);

  // Another program's thread holds the clipboard open for that long (the model's clock
  // natively, real time on Windows), or until the returned object goes away.
  class CHold {
   public:
    virtual ~CHold() = default;
  };
  std::unique_ptr<CHold> HoldOpen(DWORD milliseconds = kForever);

  // Only the model can make memory run out; tests of that skip elsewhere.
  static bool CanFailAllocations();
  static void FailNextAllocations(int count);

  // Called by the platform part when the viewer hears of a change.
  void NotifyChange();

 private:
  // Opens as the other program, waiting a little for the system's own brief opens.
  bool OpenAsOtherProgram();

  void SetUpPlatform();
  void TearDownPlatform();

  HWND owner_ = nullptr;
  HWND other_ = nullptr;
  HWND nextViewer_ = nullptr;
  std::function<void()> handler_;
  int changes_ = 0;
};

// Text as UTF-16 from UTF-8 source text, for readable tests.
std::u16string Utf16(std::string_view utf8);
