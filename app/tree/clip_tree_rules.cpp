#include "app/tree/clip_tree_rules.h"

#include <vector>

#include "store/base_item.h"

namespace {

bool IsBuiltIn(const CItemNode& category) {
  return category.id == kHistoryCategoryId || category.id == kNotesCategoryId;
}

}  // namespace

ClipboardMenuState ClipboardMenuFor(const CItemNode& clip) {
  ClipboardMenuState state;
  state.moveCaption = clip.inHistory ? u"Move to clipboard" : u"Copy to clipboard";
  state.moveToNotesVisible = clip.inHistory;
  state.setHotKeyVisible = !clip.inHistory;
  state.plainTextVisible = clip.clipKind != kPictureKind;
  return state;
}

CategoryMenuState CategoryMenuFor(const CItemNode& category, bool hasParent) {
  CategoryMenuState state;
  const bool own = !IsBuiltIn(category);
  state.addChildEnabled = own && !hasParent;
  state.editEnabled = own;
  state.deleteEnabled = own;
  return state;
}

std::u16string ClearQuestion(std::u16string_view categoryName) {
  std::u16string question(kClearQuestion);
  question.append(u"\nAll clips of \"").append(categoryName).append(u"\" will be deleted.");
  return question;
}

std::u16string DeleteCategoryQuestion(const std::u16string& name) {
  return std::u16string(kDeleteCategoryQuestion) + u" \"" + name + u"\"?";
}

DropDecision DecideDrop(const CItemNode* dragged, const CItemNode* target,
                        bool targetIsDraggedOrBelow, bool onIndent) {
  if (dragged == nullptr || target == nullptr || dragged->isCategory) return {};
  if (targetIsDraggedOrBelow || onIndent) return {};
  const int category = static_cast<int>(target->categoryId);
  if (category == kHistoryCategoryId && !dragged->inHistory) {
    return {EDropAction::kCopyToClipboard, category};
  }
  return {EDropAction::kMove, category};
}

// Categories may nest deep in a damaged file: walked with a list rather than recursion.
CItemNode* FindClipNode(CItemNode& root, int clipId) {
  std::vector<CItemNode*> pending{&root};
  while (!pending.empty()) {
    CItemNode* category = pending.back();
    pending.pop_back();
    auto found = category->children.find(static_cast<unsigned int>(clipId));
    if (found != category->children.end() && !found->second->isCategory) return found->second.get();
    for (auto& [childId, child] : category->children) {
      if (child->isCategory) pending.push_back(child.get());
    }
  }
  return nullptr;
}
