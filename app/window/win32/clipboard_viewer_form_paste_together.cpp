// "Paste together": the texts of several clips pasted as one.

#include "app/window/win32/clipboard_viewer_form.h"

#include <optional>
#include <string>
#include <vector>

#include "app/tree/paste_together.h"
#include "categories/clipboard_handler.h"

void TClipboardViewerForm::PasteClipsTogether(const std::vector<int>& clipIds, EPickedBy by) {
  std::vector<const CBaseItem*> clips;
  for (int id : clipIds) clips.push_back(handler_->FindItem(id));
  const std::optional<std::u16string> text = JoinedClipTexts(clips);
  if (!text) {
    // Told where a paste that did not arrive is told: the caption line, and the tray's
    // balloon for a popup whose header hides that line.
    SetWindowTextW(label_, AsWide(kNothingToPasteTogether));
    if (trayIcon_ != nullptr) trayIcon_->ShowBalloon(kNothingToPasteTogether);
    return;
  }
  EndSearchForPut();
  // The joined text is a copy of our own, which the capture that follows keeps as the
  // newest clip, as "Copy as plain text" does.
  FinishPut(PutPlainTextOnClipboard(Handle(), *text), by);
}
