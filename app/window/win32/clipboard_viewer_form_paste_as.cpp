// TClipboardViewerForm: "Paste as". The clip's text in another form passes through the
// clipboard for the paste only: it is marked so that no clip is made of it, and what the
// clipboard held before goes back once the paste has arrived.

#include "app/window/win32/clipboard_viewer_form.h"

#include <windowsx.h>

#include "app/paste/win32/paste_target.h"
#include "categories/clipboard_handler.h"
#include "foundation/log.h"
#include "store/base_item.h"

namespace {

// Told as a paste that did not arrive is: in the caption line and a balloon of the tray icon.
void TellPasteAsNotice(HWND caption, CTrayIcon* trayIcon, const std::u16string& notice) {
  SetWindowTextW(caption, AsWide(notice.c_str()));
  if (trayIcon != nullptr) trayIcon->ShowBalloon(notice);
}

}  // namespace

void TClipboardViewerForm::PasteClipAs(int clipId, EPasteAs as, EPickedBy by) {
  if (as == EPasteAs::kPlainText) {
    CopyClipAsPlainText(clipId, by);
    return;
  }
  const CBaseItem* clip = handler_ != nullptr ? handler_->FindItem(clipId) : nullptr;
  if (clip == nullptr || clip->kind != kTextKind) return;
  const std::optional<std::u16string> text = clip->PlainText();
  if (!text) return;
  const std::optional<std::u16string> changed = TransformForPaste(*text, as);
  if (!changed) {
    TellPasteAsNotice(label_, trayIcon_.get(),
                      u"Not pasted: the system could not change the text.");
    return;
  }
  EndSearchForPut();
  const bool pastes = state_->PopupMode() && Button_GetCheck(autoPaste_) == BST_CHECKED;
  CClipboardSnapshot before;
  const CClipboardSnapshot::ETaken taken =
      pastes ? before.Take(Handle()) : CClipboardSnapshot::ETaken::kTaken;
  if (taken == CClipboardSnapshot::ETaken::kUnavailable || !PutPasteAsText(Handle(), *changed)) {
    TellPasteAsNotice(label_, trayIcon_.get(),
                      u"Not pasted: another program keeps the clipboard open. Try again.");
    return;
  }
  // The list without a paste: the text waits on the clipboard for the user's own paste.
  if (!pastes) return;
  const DWORD sequence = GetClipboardSequenceNumber();
  const EPasteResult pasted = PasteIntoTarget(targetWindow_, pasteMethod_);
  state_->PopupPasted(by == EPickedBy::kKeyboard);
  ApplyLayout();
  if (!state_->PopupMode()) PopupClosed();
  if (const auto notice = PasteFailureNotice(pasted)) {
    // The text stays on the clipboard, as the notice says, for a paste by hand.
    TellPasteAsNotice(label_, trayIcon_.get(), *notice);
    return;
  }
  if (taken == CClipboardSnapshot::ETaken::kTooLarge) {
    LogInfo("After \"Paste as\" the clipboard was not put back: what it held was larger than " +
            std::to_string(CClipboardSnapshot::kMaxBytes >> 20) + " MB.");
    return;
  }
  pasteAsRestore_.Arm(std::move(before), sequence, GetTickCount());
}

void TClipboardViewerForm::FollowPasteAsRestore() {
  if (pasteAsRestore_.Tick(Handle(), GetTickCount()) == CPasteAsRestore::EStep::kFailed) {
    LogInfo("After \"Paste as\" the clipboard was not put back: another program kept it open.");
  }
}
