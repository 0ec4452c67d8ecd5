#pragma once
// The geometry of the category editor's icon grid (IconsGrid): one row of square cells, one
// column per icon, scrolled sideways by whole columns. Portable, so that hit testing and
// scrolling are tested natively; the Win32 grid only paints and forwards input.

#include <algorithm>

class CIconsGridLayout {
 public:
  // `columns` cells of `cellSide` pixels, in a client area `clientWidth` pixels wide.
  CIconsGridLayout(int columns, int cellSide, int clientWidth)
      : columns_(std::max(columns, 0)),
        cellSide_(std::max(cellSide, 1)),
        clientWidth_(std::max(clientWidth, 0)) {}

  int Columns() const { return columns_; }
  int CellSide() const { return cellSide_; }

  // Columns wholly visible at once (at least 1 when there are columns).
  int FullyVisibleColumns() const;
  // The largest first visible column: scrolled there, the last column is wholly visible.
  int MaxFirstColumn() const;
  // `first` limited to 0..MaxFirstColumn().
  int ClampFirstColumn(int first) const;

  // One past the last column drawn with `first` as the first visible column: only whole
  // cells are drawn, so that no icon shows cut at the right edge.
  int DrawnColumnsEnd(int first) const;

  // The left edge of `column`'s cell with `first` as the first visible column.
  int CellLeft(int column, int first) const { return (column - first) * cellSide_; }
  // The column under x (client pixels), or -1 past the last drawn column or left of the
  // area.
  int ColumnAt(int x, int first) const;
  // The first visible column that shows `column` wholly, moving as little as possible.
  int FirstColumnShowing(int column, int first) const;

 private:
  int columns_;
  int cellSide_;
  int clientWidth_;
};
