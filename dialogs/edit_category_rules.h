#pragma once
// The rules of the category editor (TEditCategoryForm): which record it works on, which
// icon cell it starts on, and what OK writes to the category model. No name is refused:
// empty names and names already used are stored as given.

#include <string>

#include "store/category.h"
#include "store/database.h"

class CEditCategoryRules {
 public:
  // Looks `categoryId` up in `store` (which must outlive this object). Found: the working
  // record is a copy of it (edit mode). Not found: a new record with every number 0 and an
  // empty name, then id = `categoryId` and parentId = `parentId` (add mode); `categoryId` 0
  // with `parentId` 0 is a new top-level category, with a parent's id a new sub-category.
  CEditCategoryRules(CDataBase& store, int categoryId, int parentId);

  bool IsEdit() const { return edit_; }
  const CCategory& Record() const { return record_; }

  // The icon cell to select first: the record's iconIndex when the grid has that column
  // (a new category starts on 0), else -1 for none, so that an icon the list lacks is kept.
  int InitialColumn(int columnCount) const;

  // OK: the record takes `name` (UTF-16, as the edit holds it; may be empty) and the
  // selected column as its icon (a negative column keeps the record's icon). Edit mode
  // updates the category, which keeps its id and parent; add mode appends a copy under the
  // model's next id with the record's parent. Returns the category's id in the model.
  int Commit(std::u16string name, int selectedColumn);

 private:
  CDataBase& store_;
  int categoryId_;
  CCategory record_;
  bool edit_;
};
