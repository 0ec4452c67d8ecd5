// The category editor's rules: which record it works on, where its icon grid starts, and
// what OK writes to the model.

#include "dialogs/edit_category_rules.h"

#include <gtest/gtest.h>

namespace {

class EditCategoryRulesTest : public ::testing::Test {
 protected:
  int Add(std::u16string name, int parentId = 0, int iconIndex = 0) {
    CCategory category;
    category.name = std::move(name);
    category.parentId = parentId;
    category.iconIndex = iconIndex;
    return store.AddCategory(category);
  }

  CDataBase store;
};

TEST_F(EditCategoryRulesTest, ANewTopLevelCategoryGetsParentZeroAndTheNextId) {
  CEditCategoryRules rules(store, 0, 0);
  EXPECT_FALSE(rules.IsEdit());
  EXPECT_EQ(rules.InitialColumn(30), 0);
  const int id = rules.Commit(u"Work", 3);
  ASSERT_NE(store.FindCategory(id), nullptr);
  EXPECT_EQ(id, 1001);
  EXPECT_EQ(store.FindCategory(id)->parentId, 0);
  EXPECT_EQ(store.FindCategory(id)->name, u"Work");
  EXPECT_EQ(store.FindCategory(id)->iconIndex, 3);
}

TEST_F(EditCategoryRulesTest, ANewSubCategoryGetsItsParentsId) {
  const int parent = Add(u"Work");
  CEditCategoryRules rules(store, 0, parent);
  const int id = rules.Commit(u"Reports", 0);
  EXPECT_EQ(store.FindCategory(id)->parentId, parent);
}

TEST_F(EditCategoryRulesTest, AnEmptyNameIsAccepted) {
  CEditCategoryRules rules(store, 0, 0);
  const int id = rules.Commit(u"", 0);
  ASSERT_NE(store.FindCategory(id), nullptr);
  EXPECT_EQ(store.FindCategory(id)->name, u"");
}

TEST_F(EditCategoryRulesTest, ANameAlreadyUsedIsAccepted) {
  Add(u"Work");
  CEditCategoryRules rules(store, 0, 0);
  rules.Commit(u"Work", 0);
  EXPECT_EQ(store.ChildCategories(0).size(), 2u);
}

TEST_F(EditCategoryRulesTest, EditingKeepsIdAndParentAndTakesNameAndIcon) {
  const int parent = Add(u"Work");
  const int id = Add(u"Reports", parent, 4);
  CEditCategoryRules rules(store, id, 0);
  EXPECT_TRUE(rules.IsEdit());
  EXPECT_EQ(rules.Record().name, u"Reports");
  EXPECT_EQ(rules.InitialColumn(30), 4);  // the fifth cell
  EXPECT_EQ(rules.Commit(u"Отчёты 📊", 7), id);
  const CCategory* stored = store.FindCategory(id);
  EXPECT_EQ(stored->parentId, parent);
  EXPECT_EQ(stored->name, u"Отчёты 📊");
  EXPECT_EQ(stored->iconIndex, 7);
  EXPECT_EQ(store.Categories().size(), 2u);
}

TEST_F(EditCategoryRulesTest, OkWithoutChangesStoresTheSameNameAndIcon) {
  const int id = Add(u"Notes", 0, 4);
  const CCategory before = *store.FindCategory(id);
  CEditCategoryRules rules(store, id, 0);
  rules.Commit(rules.Record().name, rules.InitialColumn(30));
  EXPECT_EQ(*store.FindCategory(id), before);
}

TEST_F(EditCategoryRulesTest, AnIconTheListLacksIsSelectedNowhereAndKept) {
  const int id = Add(u"Old", 0, 40);
  CEditCategoryRules rules(store, id, 0);
  EXPECT_EQ(rules.InitialColumn(30), -1);
  rules.Commit(u"Old", -1);
  EXPECT_EQ(store.FindCategory(id)->iconIndex, 40);
}

TEST_F(EditCategoryRulesTest, AnIdThatNoLongerExistsIsAddedWithTheParentArgument) {
  const int parent = Add(u"Work");
  CEditCategoryRules rules(store, 1500, parent);
  EXPECT_FALSE(rules.IsEdit());
  EXPECT_EQ(rules.Record().id, 1500);
  const int id = rules.Commit(u"Again", 0);
  EXPECT_EQ(id, parent + 1);
  EXPECT_EQ(store.FindCategory(id)->parentId, parent);
}

TEST_F(EditCategoryRulesTest, NothingIsWrittenBeforeCommit) {
  const int id = Add(u"Work");
  CEditCategoryRules edit(store, id, 0);
  CEditCategoryRules add(store, 0, 0);
  EXPECT_EQ(store.Categories().size(), 1u);
  EXPECT_EQ(store.FindCategory(id)->name, u"Work");
}

}  // namespace
