#pragma once
// CClipPreview: the small window beside the clip list that shows more of one clip than its
// row can: up to 20 lines of a text with the time it was copied, or a picture scaled to fit
// 320 x 240 with its size in pixels. It never takes the focus or the activation.

#include <optional>
#include <string>

#include "app/theme/theme_palette.h"
#include "foundation/bitmap.h"
#include "platform/win32/gdi.h"
#include "platform/win32/window.h"
#include "store/base_item.h"

class CClipPreview final : public CWindow {
 public:
  // `owner` (the main window) must outlive the preview; sizes follow `dpi`.
  CClipPreview(HWND owner, int dpi);

  // Shows what `clip` holds beside `list` (the list's rectangle on the screen), its top at
  // `rowTop`, inside the work area of the list's monitor. Copies what it shows: the clip
  // may go while the preview is up. Nothing for a picture that cannot be scaled.
  void Show(const CBaseItem& clip, const RECT& list, int rowTop);
  void Hide();
  bool Shown() const;
  // The window moved to a monitor of another dpi: the next preview has its sizes.
  void ChangeDpi(int dpi);
  // The preview is drawn in `colours` from now on (the system's tooltip colours until then).
  void SetColours(const PreviewColours& colours);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // The window's client size for what is to be shown now.
  SIZE Measure();
  void Paint();

  HWND owner_;
  int dpi_;
  UniqueFont font_;
  std::u16string text_;             // a text clip's excerpt; empty for a picture
  std::u16string caption_;          // the time it was copied, or the picture's size
  std::optional<TBitmap> picture_;  // scaled to fit, 24 bits
  std::optional<PreviewColours> colours_;
};
