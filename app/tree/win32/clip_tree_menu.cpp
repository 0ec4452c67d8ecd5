#include "app/tree/win32/clip_tree_menu.h"

#include <utility>

namespace {

ClipTreeMenuTestHook testHook;

void Append(HMENU menu, UINT command, const char16_t* caption, bool enabled = true) {
  AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), command, AsWide(caption));
}

}  // namespace

UniqueMenu MakeClipboardMenu(const ClipboardMenuState& state) {
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) return menu;
  Append(menu.get(), kCmdMoveToClipboard, state.moveCaption.c_str());
  if (state.plainTextVisible) Append(menu.get(), kCmdCopyAsPlainText, u"Copy as plain text");
  if (state.moveToNotesVisible) Append(menu.get(), kCmdMoveToNotes, u"Move to notes");
  if (state.setHotKeyVisible) Append(menu.get(), kCmdSetHotKey, u"Set hot key");
  Append(menu.get(), kCmdDeleteItem, u"Delete item");
  Append(menu.get(), kCmdClear, u"Clear");
  SetMenuDefaultItem(menu.get(), kCmdMoveToClipboard, FALSE);
  return menu;
}

UniqueMenu MakeCategoryMenu(const CategoryMenuState& state) {
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) return menu;
  Append(menu.get(), kCmdAddCategory, u"Add category");
  Append(menu.get(), kCmdAddChildCategory, u"Add child", state.addChildEnabled);
  Append(menu.get(), kCmdEditCategory, u"Edit", state.editEnabled);
  Append(menu.get(), kCmdDeleteCategory, u"Delete", state.deleteEnabled);
  return menu;
}

void AddClipEditorEntries(HMENU clipMenu, bool textEditable) {
  InsertMenuW(clipMenu, kCmdDeleteItem,
              MF_BYCOMMAND | MF_STRING | (textEditable ? MF_ENABLED : MF_GRAYED), kCmdEditText,
              L"&Edit text");
}

void AddNewNoteEntry(HMENU categoryMenu, bool newNoteOffered) {
  if (!newNoteOffered) return;
  AppendMenuW(categoryMenu, MF_STRING, kCmdNewNote, L"&New note");
}

EClipTreeCommand TrackClipTreeMenu(HWND owner, HMENU menu, POINT screenPoint) {
  if (testHook) return static_cast<EClipTreeCommand>(testHook(menu));
  // Without the owner in the foreground the menu would not close when the user clicks
  // elsewhere; the posted message lets it close at once after a choice.
  SetForegroundWindow(owner);
  const BOOL chosen =
      TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                       screenPoint.x, screenPoint.y, owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
  return static_cast<EClipTreeCommand>(chosen);
}

ClipTreeMenuTestHook SetClipTreeMenuTestHook(ClipTreeMenuTestHook hook) {
  return std::exchange(testHook, std::move(hook));
}
