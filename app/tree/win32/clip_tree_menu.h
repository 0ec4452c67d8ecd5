#pragma once
// The clip tree's two context menus, built in code for the row that was right-clicked, and
// the one place where they are opened, which a test can take over.

#include <functional>
#include <optional>

#include "app/tree/clip_tree_rules.h"
#include "app/tree/paste_as_keys.h"
#include "platform/win32/gdi.h"

// Commands of the two menus (menu item ids).
enum EClipTreeCommand : UINT {
  kCmdNone = 0,
  kCmdMoveToClipboard = 1,  // "Move to clipboard" / "Copy to clipboard"
  kCmdMoveToNotes,
  kCmdSetHotKey,
  kCmdDeleteItem,
  kCmdClear,
  kCmdAddCategory,
  kCmdAddChildCategory,
  kCmdEditCategory,
  kCmdDeleteCategory,
  kCmdCopyAsPlainText,
  kCmdEditText,
  kCmdNewNote,
  kCmdPasteTogether,  // several clips selected: their texts as one paste
  // "Paste as": kCmdPasteAsFirst plus the form (EPasteAs), one a form.
  kCmdPasteAsFirst = 0x100,
};

// ClipboardMenu: "Move to clipboard" or "Copy to clipboard" (the default entry), "Move to
// notes" or "Set hot key", "Delete item", "Clear". Empty when the system refuses. Every
// entry of every menu here has an access key of its own within its menu.
UniqueMenu MakeClipboardMenu(const ClipboardMenuState& state);
// CategoryMenu: "Add category", "Add child", "Edit", "Delete", disabled as `state` says.
UniqueMenu MakeCategoryMenu(const CategoryMenuState& state);

// The clip editor's entries: "Edit text" before "Delete item" in a clip's menu, disabled
// unless the clip holds a text of its own (a picture or a file list does not); "New note"
// last in the menu of a category that takes notes (`newNoteOffered`).
void AddClipEditorEntries(HMENU clipMenu, bool textEditable);
void AddNewNoteEntry(HMENU categoryMenu, bool newNoteOffered);

// "Paste as" with its forms, after "Copy as plain text", in the menu of a text clip.
void AddPasteAsEntries(HMENU clipMenu);
// The form of a "Paste as" command; none for another command.
std::optional<EPasteAs> PasteAsOf(EClipTreeCommand command);

// Opens `menu` at `screenPoint`, owned by `owner`, and returns the chosen command or
// kCmdNone. With a test hook set, the hook gets the menu instead and its answer is returned.
EClipTreeCommand TrackClipTreeMenu(HWND owner, HMENU menu, POINT screenPoint);

using ClipTreeMenuTestHook = std::function<UINT(HMENU menu)>;
// Sets the hook (an empty one restores the real menu) and returns the one before.
ClipTreeMenuTestHook SetClipTreeMenuTestHook(ClipTreeMenuTestHook hook);
