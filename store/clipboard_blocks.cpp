#include "store/clipboard_blocks.h"

#include <cstring>
#include <string>
#include <utility>

UINT RegisteredFormat(std::u16string_view name) {
  const std::u16string terminated(name);
  return RegisterClipboardFormatW(AsWide(terminated.c_str()));
}

UniqueGlobal NewClipboardBlock(std::span<const std::uint8_t> bytes) {
  // A block of no bytes cannot be locked everywhere; one byte more is harmless.
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size()));
  if (!memory) return memory;
  GlobalLockGuard lock(memory.get());
  if (lock.data() == nullptr) return UniqueGlobal{};
  if (!bytes.empty()) std::memcpy(lock.data(), bytes.data(), bytes.size());
  return memory;
}

std::vector<std::pair<UINT, UniqueGlobal>> NewClipboardBlocks(std::span<const CClipBlock> blocks) {
  std::vector<std::pair<UINT, UniqueGlobal>> made;
  made.reserve(blocks.size());
  for (const CClipBlock& block : blocks) {
    UniqueGlobal memory = NewClipboardBlock(block.bytes);
    if (memory) made.emplace_back(block.format, std::move(memory));
  }
  return made;
}

bool PutBlocksOnClipboard(HWND ownerWindow, std::span<const CClipBlock> blocks) {
  if (blocks.empty()) return false;
  std::vector<std::pair<UINT, UniqueGlobal>> made = NewClipboardBlocks(blocks);
  if (made.empty() || made.front().first != blocks.front().format) return false;
  ClipboardOpen clipboard(ownerWindow);
  if (!clipboard.IsOpen()) return false;
  EmptyClipboard();
  for (std::size_t i = 0; i < made.size(); ++i) {
    auto& [format, memory] = made[i];
    if (SetClipboardData(format, memory.get()) != nullptr) {
      memory.release();  // the clipboard owns it now
    } else if (i == 0) {
      return false;
    }
  }
  return true;
}

std::optional<std::vector<std::uint8_t>> ReadClipboardBlock(UINT format, std::size_t limit) {
  HANDLE data = GetClipboardData(format);
  if (data == nullptr) return std::nullopt;
  GlobalLockGuard lock(data);
  if (lock.data() == nullptr || lock.size() > limit) return std::nullopt;
  const auto* bytes = static_cast<const std::uint8_t*>(lock.data());
  return std::vector<std::uint8_t>(bytes, bytes + lock.size());
}
