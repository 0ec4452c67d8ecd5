// Movable global memory: a handle names a block that must be locked to be used. Blocks
// handed to the clipboard belong to it; freeing one of those is a misuse.

#include <cstring>

#include "platform/sim/sim_state.h"

namespace {
using sim::detail::FindGlobal;
using sim::detail::State;

// Beyond this the model reports exhaustion instead of letting the process die.
constexpr SIZE_T kLargestBlock = SIZE_T{1} << 31;
}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  auto& model = State();
  if (model.failingAllocs > 0 || bytes > kLargestBlock) {
    if (model.failingAllocs > 0) --model.failingAllocs;
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  auto block = std::make_unique<sim::detail::GlobalBlock>();
  // Windows leaves fresh memory undefined unless GMEM_ZEROINIT; fill it with a pattern so
  // that a reader relying on zeros is caught.
  block->bytes.assign(bytes, (flags & GMEM_ZEROINIT) ? 0 : 0xCD);
  auto handle = sim::detail::NewHandleValue();
  model.globals.emplace(handle, std::move(block));
  return reinterpret_cast<HGLOBAL>(handle);
}

LPVOID GlobalLock(HGLOBAL memory) {
  auto* block = FindGlobal(memory);
  if (block == nullptr) {
    sim::detail::RecordMisuse("GlobalLock of a handle that is not a live block");
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  ++block->lockCount;
  // A block of size 0 still locks to a valid address in the model.
  static std::uint8_t emptyBlock = 0;
  return block->bytes.empty() ? &emptyBlock : block->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL memory) {
  auto* block = FindGlobal(memory);
  if (block == nullptr || block->lockCount == 0) {
    sim::detail::RecordMisuse("GlobalUnlock of a block that is not locked");
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  --block->lockCount;
  SetLastError(ERROR_SUCCESS);
  return block->lockCount > 0 ? TRUE : FALSE;
}

SIZE_T GlobalSize(HGLOBAL memory) {
  auto* block = FindGlobal(memory);
  if (block == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return block->bytes.size();
}

HGLOBAL GlobalFree(HGLOBAL memory) {
  if (memory == nullptr) return nullptr;
  auto* block = FindGlobal(memory);
  if (block == nullptr) {
    sim::detail::RecordMisuse("GlobalFree of a handle that is not a live block");
    SetLastError(ERROR_INVALID_HANDLE);
    return memory;
  }
  if (block->ownedByClipboard) {
    sim::detail::RecordMisuse("GlobalFree of a block that belongs to the clipboard");
    return memory;
  }
  State().globals.erase(reinterpret_cast<std::uintptr_t>(memory));
  return nullptr;
}
