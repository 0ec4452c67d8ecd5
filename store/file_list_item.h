#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/base_item.h"

// A copy of files: their full paths, taken from and put on the clipboard as CF_HDROP, with
// the "Preferred DropEffect" that came with them (copy or move), so that a paste in a file
// manager does again what the first paste would have done.
class CFileListItem : public CBaseItem {
 public:
  CFileListItem() : CBaseItem(kFileListKind) {}

  // Takes the clipboard's CF_HDROP list (Unicode or ANSI paths) and its drop effect. False
  // when no list is delivered, it names no file, or it cannot be read.
  bool ReadFromClipboard(HWND ownerWindow) override;

  // Places the paths as a Unicode CF_HDROP list, and the drop effect when there is one.
  bool WriteToClipboard(HWND ownerWindow) const override;

  bool Save(CByteWriter& writer) const override;
  void Load(CByteReader& reader) override;
  std::optional<std::u16string> PlainText() const override;
  std::u16string Caption() const override;

  std::vector<std::u16string> paths;
  std::uint32_t dropEffect = 0;  // DROPEFFECT_COPY 1, DROPEFFECT_MOVE 2, ...; 0: none given
};

// The paths of a CF_HDROP block (a DROPFILES header and the paths after it, each ending in
// a NUL, the list in an empty one); empty for a block that holds no such list. Paths in
// ANSI are converted from the system's code page.
std::vector<std::u16string> PathsOfDropList(std::span<const std::uint8_t> block);
// A CF_HDROP block of Unicode paths.
std::vector<std::uint8_t> DropListOf(const std::vector<std::u16string>& paths);

// "3 files: report.pdf, a.txt, …": how a file list shows in one line.
std::u16string FileListCaption(const std::vector<std::u16string>& paths);
