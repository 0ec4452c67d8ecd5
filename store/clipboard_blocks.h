#pragma once
// Clipboard content as bytes: the movable memory blocks that formats other than bitmaps
// are exchanged in.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/handles.h"
#include "platform/windows_api.h"

// The clipboard's registered format of that name (0 if it cannot be registered).
UINT RegisteredFormat(std::u16string_view name);

// A new movable block holding `bytes`; empty when memory runs out.
UniqueGlobal NewClipboardBlock(std::span<const std::uint8_t> bytes);

// One format of a clip's content as the bytes of its movable block: what goes to another
// program, whether on the clipboard or by a drag.
struct CClipBlock {
  UINT format = 0;
  std::vector<std::uint8_t> bytes;
  bool operator==(const CClipBlock&) const = default;
};

// A movable block for each of `blocks`, with its format, in their order; a block that
// cannot be made (memory runs out) is left out.
std::vector<std::pair<UINT, UniqueGlobal>> NewClipboardBlocks(std::span<const CClipBlock> blocks);

// Replaces the clipboard's content with `blocks`, opening it with `ownerWindow` as owner.
// Every block is made before the clipboard is opened and emptied, so that a failure leaves
// the content there intact. The first block is the content itself: false when there is
// none, or it cannot be made or placed. A later block that cannot be placed is left out.
bool PutBlocksOnClipboard(HWND ownerWindow, std::span<const CClipBlock> blocks);

// The bytes of `format` on the clipboard, which the caller has open: none when it is not
// delivered, cannot be locked, or holds more than `limit` bytes (checked before copying).
std::optional<std::vector<std::uint8_t>> ReadClipboardBlock(UINT format, std::size_t limit);
