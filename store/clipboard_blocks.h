#pragma once
// Clipboard content as bytes: the movable memory blocks that formats other than bitmaps
// are exchanged in.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/handles.h"
#include "platform/windows_api.h"

// The clipboard's registered format of that name (0 if it cannot be registered).
UINT RegisteredFormat(std::u16string_view name);

// A new movable block holding `bytes`; empty when memory runs out.
UniqueGlobal NewClipboardBlock(std::span<const std::uint8_t> bytes);

// The bytes of `format` on the clipboard, which the caller has open: none when it is not
// delivered, cannot be locked, or holds more than `limit` bytes (checked before copying).
std::optional<std::vector<std::uint8_t>> ReadClipboardBlock(UINT format, std::size_t limit);
