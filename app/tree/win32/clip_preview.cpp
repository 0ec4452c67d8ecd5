#include "app/tree/win32/clip_preview.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <vector>

#include "app/tree/preview_content.h"
#include "app/tree/win32/clip_tree_painter.h"
#include "categories/clip_thumbnail.h"
#include "platform/dib_info.h"
#include "platform/win32/dpi.h"
#include "store/image_item.h"
#include "store/text_item.h"

namespace {

constexpr wchar_t kPreviewClass[] = L"QuilleryClipPreview";
constexpr COLORREF kCaptionColour = RGB(0x70, 0x70, 0x70);
constexpr UINT kTextFormat = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS | DT_EDITCONTROL;

std::u16string CopiedText(double created) {
  const SYSTEMTIME time = SystemTimeFromDayCount(created);
  wchar_t date[80] = {};
  wchar_t clock[80] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 80);
  GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, clock, 80);
  return u"Copied " + std::u16string(reinterpret_cast<const char16_t*>(date)) + u" " +
         std::u16string(reinterpret_cast<const char16_t*>(clock));
}

}  // namespace

CClipPreview::CClipPreview(HWND owner, int dpi)
    : owner_(owner), dpi_(dpi > 0 ? dpi : 96), font_(MakeFont(L"Tahoma", -11, dpi_)) {}

bool CClipPreview::Shown() const {
  return Handle() != nullptr && IsWindowVisible(Handle());
}

void CClipPreview::ChangeDpi(int dpi) {
  Hide();
  dpi_ = dpi > 0 ? dpi : 96;
  font_ = MakeFont(L"Tahoma", -11, dpi_);
}

void CClipPreview::Hide() {
  if (Shown()) ShowWindow(Handle(), SW_HIDE);
}

void CClipPreview::Show(const CBaseItem& clip, const RECT& list, int rowTop) {
  text_.clear();
  picture_.reset();
  if (const auto* text = dynamic_cast<const CTextItem*>(&clip)) {
    text_ = PreviewExcerpt(text->text.Utf16());
    caption_ = CopiedText(clip.created);
  } else if (const auto* image = dynamic_cast<const CImageItem*>(&clip)) {
    if (!image->HasPicture()) return;
    const TBitmap::Size size = *image->PictureSize();
    caption_ = PictureSizeText(size.width, size.height) + u"\r\n" + CopiedText(clip.created);
    if (const std::shared_ptr<const TBitmap> picture = image->Picture()) {
      const PreviewSize fit = FitPicture(
          picture->Width(), picture->Height(),
          {ScaleToDpi(kPreviewPictureWidth, dpi_), ScaleToDpi(kPreviewPictureHeight, dpi_)});
      try {
        picture_ = picture->ScaledByAreaAverage(fit.width, fit.height);
      } catch (const std::exception&) {
        return;  // no memory for it: no preview
      }
    } else {
      // Its image turned out damaged: said here, where it would have shown.
      text_ = kUnreadablePictureText;
    }
  } else {
    return;
  }
  if (Handle() == nullptr) {
    WNDCLASSEXW wc{};
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
    if (!Create(kPreviewClass, wc, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"",
                WS_POPUP | WS_BORDER, 0, 0, 0, 0, owner_)) {
      return;
    }
  }
  const SIZE client = Measure();
  RECT frame{0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
  const PreviewSize size{frame.right - frame.left, frame.bottom - frame.top};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromRect(&list, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const PreviewRect place = PlacePreview({list.left, list.top, list.right, list.bottom}, rowTop,
                                         size, {work.left, work.top, work.right, work.bottom});
  SetWindowPos(Handle(), HWND_TOPMOST, place.left, place.top, size.width, size.height,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(Handle(), nullptr, TRUE);
}

SIZE CClipPreview::Measure() {
  const int padding = ScaleToDpi(kPreviewPadding, dpi_);
  const int gap = ScaleToDpi(kPreviewLineGap, dpi_);
  WindowDc dc(Handle());
  SelectGuard font(dc.get(), font_.get());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.get(), &metrics);
  RECT caption{0, 0, ScaleToDpi(kPreviewTextWidth, dpi_), 0};
  DrawTextW(dc.get(), AsWide(caption_.c_str()), -1, &caption, kTextFormat | DT_CALCRECT);
  SIZE content{};
  if (picture_) {
    content = {picture_->Width(), picture_->Height()};
  } else {
    RECT text{0, 0, ScaleToDpi(kPreviewTextWidth, dpi_), 0};
    DrawTextW(dc.get(), AsWide(text_.c_str()), -1, &text, kTextFormat | DT_CALCRECT);
    // Long lines wrap: the preview stays 20 lines high at most.
    content = {text.right, std::min<LONG>(text.bottom, metrics.tmHeight * kPreviewMaxLines)};
  }
  return {std::max(content.cx, caption.right) + 2 * padding,
          content.cy + gap + caption.bottom + 2 * padding};
}

void CClipPreview::SetColours(const PreviewColours& colours) {
  colours_ = colours;
  if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, TRUE);
}

void CClipPreview::Paint() {
  PaintDc paint(Handle());
  RECT client{};
  GetClientRect(Handle(), &client);
  if (colours_) {
    const UniqueBrush background(CreateSolidBrush(ToColorRef(colours_->background)));
    FillRect(paint.get(), &client, background.get());
  }
  const int padding = ScaleToDpi(kPreviewPadding, dpi_);
  const int gap = ScaleToDpi(kPreviewLineGap, dpi_);
  SelectGuard font(paint.get(), font_.get());
  SetBkMode(paint.get(), TRANSPARENT);
  int bottom = padding;
  if (picture_) {
    const BITMAPINFO info = TopDownDibInfo(picture_->Width(), picture_->Height(), 24);
    SetDIBitsToDevice(paint.get(), padding, padding, picture_->Width(), picture_->Height(), 0, 0, 0,
                      picture_->Height(), picture_->Row(0), &info, DIB_RGB_COLORS);
    bottom += picture_->Height();
  } else {
    TEXTMETRICW metrics{};
    GetTextMetricsW(paint.get(), &metrics);
    RECT text{padding, padding, client.right - padding, 0};
    DrawTextW(paint.get(), AsWide(text_.c_str()), -1, &text, kTextFormat | DT_CALCRECT);
    text.bottom = std::min<LONG>(text.bottom, padding + metrics.tmHeight * kPreviewMaxLines);
    text.right = client.right - padding;
    SetTextColor(paint.get(), colours_ ? ToColorRef(colours_->text) : GetSysColor(COLOR_INFOTEXT));
    DrawTextW(paint.get(), AsWide(text_.c_str()), -1, &text, kTextFormat);
    bottom = text.bottom;
  }
  RECT caption{padding, bottom + gap, client.right - padding, client.bottom - padding};
  SetTextColor(paint.get(), colours_ ? ToColorRef(colours_->caption) : kCaptionColour);
  DrawTextW(paint.get(), AsWide(caption_.c_str()), -1, &caption, kTextFormat);
}

LRESULT CClipPreview::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // the pointer belongs to what lies below
    default:
      return CWindow::HandleMessage(message, wParam, lParam);
  }
}
