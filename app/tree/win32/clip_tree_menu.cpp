#include "app/tree/win32/clip_tree_menu.h"

#include <string>
#include <string_view>
#include <utility>

namespace {

ClipTreeMenuTestHook testHook;

void Append(HMENU menu, UINT command, const char16_t* caption, bool enabled = true) {
  AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), command, AsWide(caption));
}

// `caption` with its access key on the first letter of `word` in it ("Move to &clipboard").
std::u16string WithAccessKey(const std::u16string& caption, std::u16string_view word) {
  std::u16string marked = caption;
  const std::size_t at = marked.find(word);
  marked.insert(at == std::u16string::npos ? 0 : at, 1, u'&');
  return marked;
}

}  // namespace

UniqueMenu MakeClipboardMenu(const ClipboardMenuState& state) {
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) return menu;
  Append(menu.get(), kCmdMoveToClipboard, WithAccessKey(state.moveCaption, u"clipboard").c_str());
  if (state.plainTextVisible) Append(menu.get(), kCmdCopyAsPlainText, u"Copy as &plain text");
  if (state.moveToNotesVisible) Append(menu.get(), kCmdMoveToNotes, u"Move to &notes");
  if (state.setHotKeyVisible) Append(menu.get(), kCmdSetHotKey, u"Set &hot key");
  Append(menu.get(), kCmdDeleteItem, u"&Delete item");
  Append(menu.get(), kCmdClear, u"C&lear");
  SetMenuDefaultItem(menu.get(), kCmdMoveToClipboard, FALSE);
  return menu;
}

UniqueMenu MakeCategoryMenu(const CategoryMenuState& state) {
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) return menu;
  Append(menu.get(), kCmdAddCategory, u"Add &category");
  Append(menu.get(), kCmdAddChildCategory, u"Add c&hild", state.addChildEnabled);
  Append(menu.get(), kCmdEditCategory, u"&Edit", state.editEnabled);
  Append(menu.get(), kCmdDeleteCategory, u"&Delete", state.deleteEnabled);
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

void AddPasteAsEntries(HMENU clipMenu) {
  UniqueMenu forms(CreatePopupMenu());
  if (!forms) return;
  for (const PasteAsChoice& choice : PasteAsChoices()) {
    Append(forms.get(), kCmdPasteAsFirst + static_cast<UINT>(choice.as), choice.caption);
  }
  int after = GetMenuItemCount(clipMenu) > 0 ? 0 : -1;
  for (int at = 0; at < GetMenuItemCount(clipMenu); ++at) {
    if (GetMenuItemID(clipMenu, at) == kCmdCopyAsPlainText) after = at;
  }
  // The menu owns the submenu once it is in it, and destroys it with itself.
  if (InsertMenuW(clipMenu, static_cast<UINT>(after + 1), MF_BYPOSITION | MF_POPUP | MF_STRING,
                  reinterpret_cast<UINT_PTR>(forms.get()), L"Paste &as")) {
    forms.release();
  }
}

std::optional<EPasteAs> PasteAsOf(EClipTreeCommand command) {
  for (const PasteAsChoice& choice : PasteAsChoices()) {
    if (command == kCmdPasteAsFirst + static_cast<UINT>(choice.as)) return choice.as;
  }
  return std::nullopt;
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
