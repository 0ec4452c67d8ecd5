#pragma once
// CClipRowPainter: draws the rows of the clip tree. Each row is composed in one reused
// bitmap, as wide as the row and one row high, and copied to the tree in a single step.

#include "app/tree/row_look.h"
#include "categories/item_node.h"
#include "foundation/bitmap.h"
#include "foundation/win32/skin_row_canvas.h"
#include "platform/win32/gdi.h"

class CClipRowPainter {
 public:
  // `skin` is copied into a bitmap of its own (it need not outlive the painter); fonts and
  // the row height follow `dpi`. Throws std::runtime_error when the system refuses the
  // drawing resources.
  CClipRowPainter(const TBitmap& skin, int dpi);
  CClipRowPainter(const CClipRowPainter&) = delete;
  CClipRowPainter& operator=(const CClipRowPainter&) = delete;

  // Height of the row bitmap: 26 pixels at 96 dots per inch (RowHeightAtDpi).
  int RowHeight() const { return height_; }
  int Dpi() const { return dpi_; }

  // Draws `node`'s row into `target` at `row` (stretched when `row` is not RowHeight() high;
  // nothing for a row less than one pixel wide). `state`'s width and height are set here.
  // The image lists are borrowed; either may be null, and its images are then left out.
  void Paint(HDC target, const RECT& row, const CItemNode& node, RowState state,
             HIMAGELIST categoriesIcons, HIMAGELIST moreIcons);

 private:
  void PaintCategory(const CItemNode& node, const RowState& state, HIMAGELIST icons);
  void PaintClip(const CItemNode& node, const RowState& state, HIMAGELIST moreIcons);
  void PaintThumbnail(const TBitmap& thumbnail, int left, int top);
  void WriteText(HFONT font, std::uint32_t colour, int x, int y, const std::u16string& text);

  int dpi_;
  int height_;
  CSkinRowCanvas canvas_;
  UniqueFont normal_;         // size 10
  UniqueFont bold_;           // size 10, bold
  UniqueFont small_;          // size 8
  UniqueIcon fileIcon_;       // the shell's small document icon, for file lists; may be empty
  UniqueIcon largeFileIcon_;  // its large one
};
