#include "app/editor/editor_target.h"

#include <algorithm>
#include <utility>

#include "categories/clipboard_handler.h"
#include "store/category.h"
#include "store/text_item.h"

int NewNoteCategory(const CItemNode* selected) {
  if (selected == nullptr) return kNotesCategoryId;
  const auto category =
      static_cast<int>(selected->isCategory ? selected->id : selected->categoryId);
  if (category == kHistoryCategoryId || category == 0) return kNotesCategoryId;
  return category;
}

std::u16string CategoryName(CDataBase& store, int categoryId) {
  if (categoryId == kHistoryCategoryId) return kHistoryCaption;
  if (categoryId == kNotesCategoryId) return kNotesCaption;
  const CCategory* category = store.FindCategory(categoryId);
  return category == nullptr ? std::u16string() : category->name;
}

std::optional<CClipEditorTarget> EditTargetFor(CDataBase& store, int clipId,
                                               std::u16string timeText) {
  const auto* clip = dynamic_cast<const CTextItem*>(store.FindItem(clipId));
  if (clip == nullptr) return std::nullopt;
  CClipEditorTarget target;
  target.clipId = clipId;
  target.categoryId = clip->categoryId;
  target.categoryName = CategoryName(store, clip->categoryId);
  target.timeText = std::move(timeText);
  target.text = clip->text.Utf16();
  target.maxTextUnits = store.Limits().maxTextUnits;
  return target;
}

CClipEditorTarget NewNoteTarget(CDataBase& store, int categoryId) {
  CClipEditorTarget target;
  target.categoryId = categoryId;
  target.categoryName = CategoryName(store, categoryId);
  target.maxTextUnits = store.Limits().maxTextUnits;
  return target;
}

EditorRect PlaceEditor(const EditorRect& list, int width, int height, const EditorRect& workArea) {
  width = std::min(width, workArea.Width());
  height = std::min(height, workArea.Height());
  int left = list.left - kEditorGap - width;
  if (left < workArea.left) left = list.right + kEditorGap;
  left = std::clamp(left, workArea.left, workArea.right - width);
  const int top = std::clamp(list.top, workArea.top, workArea.bottom - height);
  return {left, top, left + width, top + height};
}
