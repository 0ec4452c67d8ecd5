#include "dialogs/win32/icons_grid.h"

#include <algorithm>

namespace {
constexpr wchar_t kIconsGridClass[] = L"QuilleryIconsGrid";
}  // namespace

bool CIconsGrid::Create(HWND parent, int id, int x, int y, int width, int height, int cellSide,
                        HIMAGELIST icons) {
  icons_ = icons;
  columns_ = icons != nullptr ? ImageList_GetImageCount(icons) : 0;
  cellSide_ = std::max(cellSide, 1);
  WNDCLASSEXW wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = nullptr;  // WM_PAINT fills everything
  if (!CWindow::Create(kIconsGridClass, wc, WS_EX_CLIENTEDGE, L"",
                       WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_HSCROLL, x, y, width, height,
                       parent)) {
    return false;
  }
  SetWindowLongPtrW(Handle(), GWLP_ID, id);
  UpdateScrollBar();
  return true;
}

void CIconsGrid::Rescale(int cellSide, HIMAGELIST icons) {
  icons_ = icons;
  cellSide_ = std::max(cellSide, 1);
  UpdateScrollBar();
  ScrollTo(Layout().FirstColumnShowing(selection_, first_));
  InvalidateRect(Handle(), nullptr, FALSE);
}

CIconsGridLayout CIconsGrid::Layout() const {
  RECT client{};
  if (Handle() != nullptr) GetClientRect(Handle(), &client);
  return CIconsGridLayout(columns_, cellSide_, client.right - client.left);
}

void CIconsGrid::SetSelection(int column) {
  selection_ = column >= 0 && column < columns_ ? column : -1;
  if (Handle() == nullptr) return;
  ScrollTo(Layout().FirstColumnShowing(selection_, first_));
  InvalidateRect(Handle(), nullptr, FALSE);
}

void CIconsGrid::ScrollTo(int first) {
  first_ = Layout().ClampFirstColumn(first);
  UpdateScrollBar();
  InvalidateRect(Handle(), nullptr, FALSE);
}

void CIconsGrid::UpdateScrollBar() {
  const CIconsGridLayout layout = Layout();
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = std::max(columns_ - 1, 0);
  info.nPage = static_cast<UINT>(std::max(layout.FullyVisibleColumns(), 1));
  info.nPos = first_;
  SetScrollInfo(Handle(), SB_HORZ, &info, TRUE);
}

void CIconsGrid::Paint() {
  PaintDc paint(Handle());
  RECT client{};
  GetClientRect(Handle(), &client);
  // Drawn off screen and copied at once, so that scrolling does not flicker.
  UniqueMemoryDc dc(CreateCompatibleDC(paint.get()));
  UniqueBitmap canvas(CreateCompatibleBitmap(paint.get(), std::max<int>(client.right, 1),
                                             std::max<int>(client.bottom, 1)));
  SelectGuard selected(dc.get(), canvas.get());
  FillRect(dc.get(), &client, GetSysColorBrush(COLOR_WINDOW));
  const CIconsGridLayout layout = Layout();
  int iconSide = 0;
  int iconHeight = 0;
  ImageList_GetIconSize(icons_, &iconSide, &iconHeight);
  const int inset = std::max((cellSide_ - iconSide) / 2, 0);
  for (int column = first_; column < layout.DrawnColumnsEnd(first_); ++column) {
    const int left = layout.CellLeft(column, first_);
    RECT cell{left, 0, left + cellSide_, cellSide_};
    FillRect(dc.get(), &cell,
             GetSysColorBrush(column == selection_ ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    ImageList_Draw(icons_, column, dc.get(), left + inset, inset, ILD_TRANSPARENT);
    if (column == selection_ && GetFocus() == Handle()) DrawFocusRect(dc.get(), &cell);
  }
  BitBlt(paint.get(), 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
}

LRESULT CIconsGrid::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      ScrollTo(first_);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN: {
      SetFocus(Handle());
      const int column = Layout().ColumnAt(static_cast<short>(LOWORD(lParam)), first_);
      if (column >= 0 && static_cast<short>(HIWORD(lParam)) < cellSide_) SetSelection(column);
      return 0;
    }
    case WM_KEYDOWN: {
      const int last = columns_ - 1;
      const int from = selection_ < 0 ? first_ : selection_;
      switch (wParam) {
        case VK_LEFT:
          SetSelection(std::max(from - 1, 0));
          return 0;
        case VK_RIGHT:
          SetSelection(std::min(from + 1, last));
          return 0;
        case VK_HOME:
          SetSelection(0);
          return 0;
        case VK_END:
          SetSelection(last);
          return 0;
        default:
          break;
      }
      break;
    }
    case WM_HSCROLL: {
      const CIconsGridLayout layout = Layout();
      const int page = std::max(layout.FullyVisibleColumns(), 1);
      switch (LOWORD(wParam)) {
        case SB_LINELEFT:
          ScrollTo(first_ - 1);
          break;
        case SB_LINERIGHT:
          ScrollTo(first_ + 1);
          break;
        case SB_PAGELEFT:
          ScrollTo(first_ - page);
          break;
        case SB_PAGERIGHT:
          ScrollTo(first_ + page);
          break;
        case SB_LEFT:
          ScrollTo(0);
          break;
        case SB_RIGHT:
          ScrollTo(layout.MaxFirstColumn());
          break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
          SCROLLINFO info{};
          info.cbSize = sizeof(info);
          info.fMask = SIF_TRACKPOS;
          GetScrollInfo(Handle(), SB_HORZ, &info);
          ScrollTo(info.nTrackPos);
          break;
        }
        default:
          break;
      }
      return 0;
    }
    case kIconsGridGetSelection:
      return selection_;
    case kIconsGridSetSelection:
      SetSelection(static_cast<int>(wParam));
      return 0;
    case kIconsGridGetFirstColumn:
      return first_;
    default:
      break;
  }
  return CWindow::HandleMessage(message, wParam, lParam);
}
