#include "dialogs/edit_category_rules.h"

#include <utility>

CEditCategoryRules::CEditCategoryRules(CDataBase& store, int categoryId, int parentId)
    : store_(store), categoryId_(categoryId) {
  if (const CCategory* found = store.FindCategory(categoryId)) {
    record_ = *found;
    edit_ = true;
  } else {
    record_ = CCategory{};
    record_.id = categoryId;
    record_.parentId = parentId;
    edit_ = false;
  }
}

int CEditCategoryRules::InitialColumn(int columnCount) const {
  return record_.iconIndex >= 0 && record_.iconIndex < columnCount ? record_.iconIndex : -1;
}

int CEditCategoryRules::Commit(std::u16string name, int selectedColumn) {
  if (selectedColumn >= 0) record_.iconIndex = selectedColumn;
  record_.name = std::move(name);
  // The category may have gone while the editor was open; it is then added, as a category
  // that was not found when the editor opened would be.
  if (edit_ && store_.UpdateCategory(categoryId_, record_)) return categoryId_;
  return store_.AddCategory(record_);
}
