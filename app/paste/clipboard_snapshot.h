#pragma once
// What the clipboard held before a "Paste as" put its text there, and the text itself. The
// text that passes through the clipboard for the paste, and the content put back after it,
// carry the "Clipboard Viewer Ignore" mark: neither is a copy the user made, so neither
// becomes a clip here, nor in another program that watches the clipboard.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/windows_api.h"

class CClipboardSnapshot {
 public:
  // More than this in all formats together is not kept: the put-back is left out.
  static constexpr std::size_t kMaxBytes = std::size_t{64} << 20;

  enum class ETaken { kTaken, kUnavailable, kTooLarge };

  // Reads every format the clipboard holds in memory blocks (the pictures' DIB forms among
  // them; the system makes a bitmap from them again); device handles (bitmaps, metafiles,
  // palettes) and private formats are left out. Nothing is kept unless kTaken.
  ETaken Take(HWND owner);
  // Puts the content taken back, with the mark; an empty clipboard was empty and stays so.
  // False when the clipboard could not be opened or a format was refused.
  bool Restore(HWND owner) const;
  std::size_t FormatCount() const { return formats_.size(); }

 private:
  struct Format {
    UINT format;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Format> formats_;
};

// The registered format that asks clipboard watchers to leave a change alone.
UINT ClipboardViewerIgnoreFormat();

// Puts `text` alone on the clipboard with the mark; false when the clipboard could not be
// opened or refused it.
bool PutPasteAsText(HWND owner, std::u16string_view text);
