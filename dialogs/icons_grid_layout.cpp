#include "dialogs/icons_grid_layout.h"

int CIconsGridLayout::FullyVisibleColumns() const {
  if (columns_ == 0) return 0;
  return std::clamp(clientWidth_ / cellSide_, 1, columns_);
}

int CIconsGridLayout::MaxFirstColumn() const {
  return std::max(columns_ - FullyVisibleColumns(), 0);
}

int CIconsGridLayout::ClampFirstColumn(int first) const {
  return std::clamp(first, 0, MaxFirstColumn());
}

int CIconsGridLayout::DrawnColumnsEnd(int first) const {
  return std::clamp(first + FullyVisibleColumns(), 0, columns_);
}

int CIconsGridLayout::ColumnAt(int x, int first) const {
  if (x < 0) return -1;
  const int column = first + x / cellSide_;
  return column < DrawnColumnsEnd(first) ? column : -1;
}

int CIconsGridLayout::FirstColumnShowing(int column, int first) const {
  first = ClampFirstColumn(first);
  if (column < 0 || column >= columns_) return first;
  if (column < first) return column;
  const int visible = FullyVisibleColumns();
  if (column >= first + visible) return ClampFirstColumn(column - visible + 1);
  return first;
}
