#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "store/base_item.h"

// The most paths a file list keeps. The shell hands out a few hundred thousand paths in one
// copy at most, so a million takes any real list whole, while it bounds the strings that a
// strange list makes (each costs some 40 bytes however short its path: 64 MB of one-letter
// paths would be 33 million of them, 1.1 GB).
inline constexpr std::size_t kMaxDropPaths = 1'000'000;

// A copy of files: their full paths, taken from and put on the clipboard as CF_HDROP, with
// the "Preferred DropEffect" that came with them (copy or move), so that a paste in a file
// manager does again what the first paste would have done.
class CFileListItem : public CBaseItem {
 public:
  CFileListItem() : CBaseItem(kFileListKind) {}

  // Takes the clipboard's CF_HDROP list (Unicode or ANSI paths) and its drop effect. False
  // when no list is delivered, it names no file, or it cannot be read; refused
  // (Refusal()) when it names more than kMaxDropPaths.
  bool ReadFromClipboard(HWND ownerWindow) override;

  // Places the paths as a Unicode CF_HDROP list, and the drop effect when there is one.
  bool WriteToClipboard(HWND ownerWindow) const override;
  // CF_HDROP (DropListOf the paths), then the drop effect when there is one.
  std::vector<CClipBlock> TransferBlocks() const override;

  bool Save(CByteWriter& writer) const override;
  // A stored list of more than kMaxDropPaths paths keeps its first ones; PathsCutAtLoad()
  // says how many it lost.
  void Load(CByteReader& reader) override;
  std::size_t PathsCutAtLoad() const { return pathsCutAtLoad_; }
  std::optional<std::u16string> PlainText() const override;
  std::u16string Caption() const override;

  std::vector<std::u16string> paths;
  std::uint32_t dropEffect = 0;  // DROPEFFECT_COPY 1, DROPEFFECT_MOVE 2, ...; 0: none given

 private:
  std::size_t pathsCutAtLoad_ = 0;
};

// The paths of a CF_HDROP block (a DROPFILES header and the paths after it, each ending in
// a NUL, the list in an empty one); empty for a block that holds no such list. Paths in
// ANSI are converted from the system's code page.
std::vector<std::u16string> PathsOfDropList(std::span<const std::uint8_t> block);
// Whether such a block holds more than `limit` paths, counted without reading them.
bool DropListHasMorePathsThan(std::span<const std::uint8_t> block, std::size_t limit);
// A CF_HDROP block of Unicode paths.
std::vector<std::uint8_t> DropListOf(const std::vector<std::u16string>& paths);

// The registered "Preferred DropEffect" format (0 if it cannot be registered): whether the
// files of a CF_HDROP list were copied or cut, a DWORD of DROPEFFECT_ flags.
UINT DropEffectFormat();

// "3 files: report.pdf, a.txt, …": how a file list shows in one line.
std::u16string FileListCaption(const std::vector<std::u16string>& paths);
