#pragma once
// CIconsGrid: the category editor's icon grid (IconsGrid). One row of square cells, one per
// image of an image list in list order, the selected cell filled with the highlight colour,
// scrolled sideways by whole columns with its scroll bar, the arrow keys, Home and End.
// A click selects the cell under it. The geometry is CIconsGridLayout's.

#include "dialogs/icons_grid_layout.h"
#include "platform/win32/gdi.h"
#include "platform/win32/window.h"

// Messages that the dialog and tests send to the grid's window.
enum EIconsGridMessage : UINT {
  // Returns the selected column, -1 for none.
  kIconsGridGetSelection = WM_USER + 0x100,
  // Selects column wParam (-1: none) and scrolls it into view.
  kIconsGridSetSelection,
  // Returns the first visible column.
  kIconsGridGetFirstColumn,
};

class CIconsGrid final : public CWindow {
 public:
  // Creates the grid as child `id` of `parent` at (x, y, width, height) in pixels, with
  // cells `cellSide` pixels square showing the images of `icons` (not owned; it must outlive
  // the window). False when the system refuses.
  bool Create(HWND parent, int id, int x, int y, int width, int height, int cellSide,
              HIMAGELIST icons);

  // Cells `cellSide` pixels square showing `icons` (the same images at another size), after
  // a change of the dialog's dpi; the selection stays and is scrolled into view.
  void Rescale(int cellSide, HIMAGELIST icons);

  int Selection() const { return selection_; }
  void SetSelection(int column);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  CIconsGridLayout Layout() const;
  void ScrollTo(int first);
  void UpdateScrollBar();
  void Paint();

  HIMAGELIST icons_ = nullptr;
  int columns_ = 0;
  int cellSide_ = 20;
  int selection_ = -1;
  int first_ = 0;
};
