// The clip editor, opened from the list or the popup: a clip's text edited in place (F2,
// "Edit text") and a new note (Ctrl+N, "New note").

#include "app/window/win32/clipboard_viewer_form.h"

#include <string>
#include <utility>

#include "app/editor/editor_target.h"
#include "app/editor/win32/clip_editor_form.h"
#include "app/tree/preview_content.h"
#include "categories/clipboard_handler.h"

namespace {

// The clip's time as the user's settings write a date and a time.
std::u16string EditorTimeText(double created) {
  const SYSTEMTIME time = SystemTimeFromDayCount(created);
  wchar_t date[80] = {};
  wchar_t clock[80] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 80);
  GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, clock, 80);
  return std::u16string(reinterpret_cast<const char16_t*>(date)) + u" " +
         std::u16string(reinterpret_cast<const char16_t*>(clock));
}

}  // namespace

void TClipboardViewerForm::EditClipText(int clipId) {
  if (handler_ == nullptr || closed_) return;
  const CBaseItem* clip = handler_->FindItem(clipId);
  if (clip == nullptr) return;
  // A picture or a file list has no text of its own to edit.
  if (auto target = EditTargetFor(*handler_, clipId, EditorTimeText(clip->created))) {
    RunClipEditor(std::move(*target));
  }
}

void TClipboardViewerForm::WriteNote(const CItemNode* selected) {
  if (handler_ == nullptr || closed_) return;
  RunClipEditor(NewNoteTarget(*handler_, NewNoteCategory(selected)));
}

void TClipboardViewerForm::RunClipEditor(CClipEditorTarget target) {
  // The popup takes the keyboard back for a moment after it opened: not from the editor.
  popupKeyboard_.LetGo();
  if (treeController_) treeController_->HidePreview();
  RECT list{};
  GetWindowRect(tree_, &list);
  TClipEditorForm editor(*handler_, std::move(target),
                         {list.left, list.top, list.right, list.bottom}, palette_);
  const int written = editor.Execute(Handle());
  // The window may have closed meanwhile, or lost its handler (a close deferred until now
  // has not run yet, but a failed load can leave none).
  if (handler_ == nullptr || closed_) return;
  if (written != 0) {
    dataKeeper_.MarkChanged();
    handler_->RebuildTree();
    ShowHeaderCaption();  // a first note ends "No clips yet"
    if (treeController_) treeController_->SelectClip(written);
  }
  if (GetForegroundWindow() == Handle()) SetFocus(tree_);
}
