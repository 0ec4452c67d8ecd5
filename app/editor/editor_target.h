#pragma once
// What the clip editor opens on, found in the store, and where its window goes.

#include <optional>
#include <string>

#include "app/editor/clip_editor.h"
#include "categories/item_node.h"
#include "store/database.h"

// The category a new note goes to when `selected` is the selected row (null for none): the
// row's category, or the category a clip row is in; the quick notes for the history (which
// holds copies only) and for no row.
int NewNoteCategory(const CItemNode* selected);

// The name the list shows for the category: "Clipboard history", "Quick notes" or the user
// category's; empty for one the store does not hold.
std::u16string CategoryName(CDataBase& store, int categoryId);

// The editor on the text clip `clipId`, with its time as `timeText`; none for a clip that is
// not there or holds no text of its own (a picture, a file list), which is not edited.
std::optional<CClipEditorTarget> EditTargetFor(CDataBase& store, int clipId,
                                               std::u16string timeText);
// The editor on a new note of `categoryId`.
CClipEditorTarget NewNoteTarget(CDataBase& store, int categoryId);

// The editor's size at 96 dots per inch, and the least it may be resized to.
inline constexpr int kEditorWidth = 380;
inline constexpr int kEditorHeight = 260;
inline constexpr int kEditorMinWidth = 200;
inline constexpr int kEditorMinHeight = 120;
inline constexpr int kEditorGap = 4;  // between the list and the editor

struct EditorRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const EditorRect&) const = default;
};

// Where an editor of `width` x `height` goes beside `list` (screen pixels): to its left if
// it fits in `workArea` there, else to its right, its top at the list's; moved inside the
// work area as far as it fits, and no larger than the work area.
EditorRect PlaceEditor(const EditorRect& list, int width, int height, const EditorRect& workArea);
