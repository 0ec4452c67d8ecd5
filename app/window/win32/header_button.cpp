#include "app/window/win32/header_button.h"

#include "app/tree/win32/clip_tree_painter.h"
#include "platform/win32/gdi.h"

namespace {

void DrawPin(HDC dc, const RECT& box, bool down, COLORREF colour) {
  const int cx = (box.left + box.right) / 2;
  const int cy = (box.top + box.bottom) / 2;
  const int unit = (box.right - box.left) / 5;
  UniquePen pen(CreatePen(PS_SOLID, 1, colour));
  UniqueBrush brush(CreateSolidBrush(colour));
  SelectGuard penGuard(dc, pen.get());
  SelectGuard brushGuard(dc, brush.get());
  if (down) {
    // Seen from above, pushed in: the round head only.
    Ellipse(dc, cx - unit, cy - unit, cx + unit + 1, cy + unit + 1);
    return;
  }
  // From the side: head, collar and needle.
  Rectangle(dc, cx - unit, cy - 2 * unit, cx + unit + 1, cy);
  Rectangle(dc, cx - 2 * unit, cy, cx + 2 * unit + 1, cy + 1);
  MoveToEx(dc, cx, cy, nullptr);
  LineTo(dc, cx, cy + 2 * unit + 1);
}

void DrawArrow(HDC dc, const RECT& box, bool up, COLORREF colour) {
  const int cx = (box.left + box.right) / 2;
  const int cy = (box.top + box.bottom) / 2;
  const int half = (box.right - box.left) / 4;
  POINT points[3];
  if (up) {
    points[0] = {cx - half, cy + half / 2};
    points[1] = {cx + half, cy + half / 2};
    points[2] = {cx, cy - half / 2 - 1};
  } else {
    points[0] = {cx - half, cy - half / 2};
    points[1] = {cx + half, cy - half / 2};
    points[2] = {cx, cy + half / 2 + 1};
  }
  UniquePen pen(CreatePen(PS_SOLID, 1, colour));
  UniqueBrush brush(CreateSolidBrush(colour));
  SelectGuard penGuard(dc, pen.get());
  SelectGuard brushGuard(dc, brush.get());
  Polygon(dc, points, 3);
}

}  // namespace

void DrawHeaderButton(const DRAWITEMSTRUCT& draw, EHeaderGlyph glyph, bool down,
                      const HeaderColours& colours) {
  RECT box = draw.rcItem;
  const bool pressed = down || (draw.itemState & ODS_SELECTED) != 0;
  const UniqueBrush face(
      CreateSolidBrush(ToColorRef(pressed ? colours.pressedButton : colours.background)));
  FillRect(draw.hDC, &box, face.get());
  if (pressed) DrawEdge(draw.hDC, &box, BDR_SUNKENOUTER, BF_RECT);
  const COLORREF ink = ToColorRef(pressed ? colours.pressedGlyph : colours.glyph);
  if (glyph == EHeaderGlyph::kPin) {
    DrawPin(draw.hDC, box, down, ink);
  } else {
    DrawArrow(draw.hDC, box, down, ink);
  }
  // A button reached with Tab shows that it has the keyboard.
  if (draw.itemState & ODS_FOCUS) {
    RECT focus = box;
    InflateRect(&focus, -1, -1);
    DrawFocusRect(draw.hDC, &focus);
  }
}
