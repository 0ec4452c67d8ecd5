#include "app/window/win32/header_caption_paint.h"

#include <string>

#include "app/tree/win32/clip_tree_painter.h"
#include "app/window/header_caption.h"
#include "platform/win32/gdi.h"

void DrawHeaderCaption(const DRAWITEMSTRUCT& draw, const HeaderColours& colours) {
  const HDC dc = draw.hDC;
  const RECT box = draw.rcItem;
  const UniqueBrush background(CreateSolidBrush(ToColorRef(colours.background)));
  FillRect(dc, &box, background.get());
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(draw.hwndItem)) + 1, L'\0');
  text.resize(static_cast<size_t>(
      GetWindowTextW(draw.hwndItem, text.data(), static_cast<int>(text.size()))));
  if (text.empty()) return;
  SelectGuard font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(draw.hwndItem, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(colours.caption));
  // As the static control drew it: broken at words, no partly shown last line.
  constexpr UINT kFormat = DT_LEFT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;
  RECT measured = box;
  DrawTextW(dc, text.c_str(), -1, &measured, kFormat | DT_CALCRECT);
  RECT line = box;
  line.top = CentredTextTop(box.top, box.bottom - box.top, measured.bottom - measured.top);
  DrawTextW(dc, text.c_str(), -1, &line, kFormat);
}
