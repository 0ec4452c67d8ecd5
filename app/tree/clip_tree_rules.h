#pragma once
// The clip tree's rules apart from the window: what its two context menus offer for a row,
// what a dropped clip does, where a clip's node is, and the confirmation texts.

#include <string>
#include <string_view>

#include "categories/item_node.h"

inline constexpr char16_t kClearQuestion[] = u"Delete all items?";
inline constexpr char16_t kDeleteCategoryQuestion[] = u"Delete category";

// The clip menu for a clip row. Its other entries ("Delete item", "Clear") are always
// there and enabled.
struct ClipboardMenuState {
  std::u16string moveCaption;  // "Move to clipboard" for a history clip, else "Copy to clipboard"
  bool moveToNotesVisible = false;
  bool setHotKeyVisible = false;
  bool plainTextVisible = false;  // "Copy as plain text": clips with a text, not pictures
};

// The category menu for a category row. "Add category" is always enabled.
struct CategoryMenuState {
  bool addChildEnabled = false;
  bool editEnabled = false;
  bool deleteEnabled = false;
};

ClipboardMenuState ClipboardMenuFor(const CItemNode& clip);
// `hasParent`: the row lies below another category's row.
CategoryMenuState CategoryMenuFor(const CItemNode& category, bool hasParent);

// "Delete all items?" and, on a line of its own, whose clips go:
// `All clips of "Name" will be deleted.`, the category's name exactly as it is.
std::u16string ClearQuestion(std::u16string_view categoryName);

// `Delete category "Name"?`, the name exactly as it is.
std::u16string DeleteCategoryQuestion(const std::u16string& name);

enum class EDropAction {
  kNone,
  kCopyToClipboard,  // the clip goes on the clipboard and so comes back as a history clip
  kMove,             // the clip moves to `categoryId` (the store leaves it if already there)
};

struct DropDecision {
  EDropAction action = EDropAction::kNone;
  int categoryId = 0;
  bool operator==(const DropDecision&) const = default;
};

// What dropping the `dragged` clip on the row `target` does. `targetIsDraggedOrBelow`:
// the target is the dragged row itself or lies below it; `onIndent`: the point is on the
// target row's indent rather than on the row. A null target (dropped elsewhere) does
// nothing, and so does a dragged row that is not a clip.
DropDecision DecideDrop(const CItemNode* dragged, const CItemNode* target,
                        bool targetIsDraggedOrBelow, bool onIndent);

// The node of the clip `clipId` anywhere below `root`, or null; a category of that id is not
// a clip. Looked up anew at each use rather than kept: a capture or a move rebuilds the
// mirror while the user drags or a menu is open.
CItemNode* FindClipNode(CItemNode& root, int clipId);
