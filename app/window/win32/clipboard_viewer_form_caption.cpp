// TClipboardViewerForm: the header's caption line, which says what was captured last, that
// capture is paused, or that there is no clip yet.

#include "app/window/win32/clipboard_viewer_form.h"

#include "app/window/header_caption.h"
#include "categories/clipboard_handler.h"

void TClipboardViewerForm::ShowHeaderCaption() {
  const std::u16string caption =
      capturePause_.HeaderCaption(handler_ != nullptr ? handler_->LastCaption() : u"");
  const bool storeEmpty = handler_ != nullptr && handler_->Items().empty();
  SetWindowTextW(label_, AsWide(HeaderCaptionText(caption, storeEmpty).c_str()));
}
