#pragma once
// What the clip tree asks of the window that holds it.

#include <optional>
#include <vector>

#include "foundation/key_combination.h"
#include "foundation/paste_as_text.h"
#include "platform/windows_api.h"
// After windows.h, which it needs.
#include <commctrl.h>

// How a clip was picked: a popup keeps its folded header at the cursor after a click,
// but not after a key.
enum class EPickedBy { kMouse, kKeyboard };

class CItemNode;

class CClipTreeHost {
 public:
  virtual ~CClipTreeHost() = default;
  virtual HWND OwnerWindow() const = 0;    // the main window: owner of menus and dialogs
  virtual int QuickPasteMode() const = 0;  // 0..2
  virtual HIMAGELIST CategoriesIcons() const = 0;
  virtual HIMAGELIST MoreIcons() const = 0;
  virtual void MoveSelectedToClipboard(
      EPickedBy by) = 0;  // "Move to clipboard": paste from the list (the host
                          // does the popup auto-paste)
  virtual void MoveClipToClipboard(
      int clipId, EPickedBy by) = 0;  // the same for that clip, if it is still there
  virtual void CopyClipAsPlainText(int clipId,
                                   EPickedBy by) = 0;  // the same with the clip's plain text only
  // "Paste as": the clip's text in the form `as` pasted as "Move to clipboard" pastes it,
  // the clip itself and the clipboard's content left as they were (kPlainText: the same as
  // CopyClipAsPlainText).
  virtual void PasteClipAs(int clipId, EPasteAs as, EPickedBy by) = 0;
  virtual bool EditCategory(
      int categoryId,
      int parentId) = 0;  // runs the category editor; true when it changed something
  virtual std::optional<KeyCombination> AskHotKey(
      KeyCombination current) = 0;  // the hot key dialog; nullopt on Cancel
  // The keyboard in the tree: a printable character typed (it starts or goes on with a
  // search), Ctrl+F, and Escape (ends the search, else closes the popup).
  virtual void TypeToSearch(wchar_t character) = 0;
  virtual void OpenSearch() = 0;
  virtual void EscapePressed() = 0;
  // The user deleted clips (a row's Delete, "Delete item", "Clear", a category with its
  // clips): they are to leave the disk at once. The store keeps the deletion for one undo.
  virtual void ClipsDeleted() = 0;
  // Ctrl+Z: the clips deleted last come back.
  virtual void UndoDelete() = 0;
  // F2 and "Edit text": the clip editor on the clip's text, when it holds one of its own.
  virtual void EditClipText(int clipId) = 0;
  // Ctrl+N and "New note": the clip editor on a new note for the category that `selected`
  // stands for (a row; null for none). `selected` is valid only until the editor opens.
  virtual void WriteNote(const CItemNode* selected) = 0;
  // "Paste together" and Ctrl+Enter: the texts of these clips (top to bottom as the tree
  // lists them) on the clipboard as one text, pasted once from the popup; a selection without
  // text is told so and pastes nothing.
  virtual void PasteClipsTogether(const std::vector<int>& clipIds, EPickedBy by) = 0;
};
