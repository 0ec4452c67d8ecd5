#include "app/tree/drag_out.h"

#include <cstdlib>
#include <iterator>
#include <string_view>

#include "store/base_item.h"
#include "store/file_list_item.h"

namespace {

// The CF_TEXT form of a CF_UNICODETEXT block (its units up to the first NUL), with its NUL.
std::vector<std::uint8_t> AnsiTextOf(const std::vector<std::uint8_t>& unicodeBlock) {
  std::u16string_view units(reinterpret_cast<const char16_t*>(unicodeBlock.data()),
                            unicodeBlock.size() / sizeof(char16_t));
  units = units.substr(0, units.find(u'\0'));
  std::vector<std::uint8_t> ansi(1, 0);
  if (units.empty()) return ansi;
  const int length =
      WideCharToMultiByte(CP_ACP, 0, AsWide(units.data()), static_cast<int>(units.size()), nullptr,
                          0, nullptr, nullptr);
  if (length <= 0) return ansi;
  ansi.assign(static_cast<std::size_t>(length) + 1, 0);
  WideCharToMultiByte(CP_ACP, 0, AsWide(units.data()), static_cast<int>(units.size()),
                      reinterpret_cast<char*>(ansi.data()), length, nullptr, nullptr);
  return ansi;
}

}  // namespace

EClipDragStage ClipDragStageAt(DragPoint start, DragPoint pointer, bool started,
                               const DragRect& window) {
  if (!started && std::abs(pointer.x - start.x) < kClipDragThreshold &&
      std::abs(pointer.y - start.y) < kClipDragThreshold) {
    return EClipDragStage::kPressed;
  }
  const bool inside = pointer.x >= window.left && pointer.x < window.right &&
                      pointer.y >= window.top && pointer.y < window.bottom;
  return inside ? EClipDragStage::kInWindow : EClipDragStage::kOutside;
}

EDragOutStep DragOutStepFor(bool escapePressed, bool leftButtonDown, bool rightButtonDown) {
  if (escapePressed || rightButtonDown) return EDragOutStep::kCancel;
  return leftButtonDown ? EDragOutStep::kGoOn : EDragOutStep::kDrop;
}

std::vector<CClipBlock> DragOutBlocks(const CBaseItem& clip) {
  std::vector<CClipBlock> blocks = clip.TransferBlocks();
  const UINT dropEffect = DropEffectFormat();
  for (auto block = blocks.begin(); block != blocks.end(); ++block) {
    if (block->format == CF_UNICODETEXT) {
      block = blocks.insert(std::next(block), CClipBlock{CF_TEXT, AnsiTextOf(block->bytes)});
    } else if (dropEffect != 0 && block->format == dropEffect) {
      // Files that had been cut would be moved by a target that reads this; the drag
      // offers a copy only.
      block->bytes = {static_cast<std::uint8_t>(kDragOutEffect), 0, 0, 0};
    }
  }
  return blocks;
}
