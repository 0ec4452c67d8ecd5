// The records of user categories.

#include <gtest/gtest.h>

#include "store/database.h"

namespace {

CCategory Named(const std::u16string& name, int parentId = 0) {
  CCategory category;
  category.name = name;
  category.parentId = parentId;
  return category;
}

TEST(CategoryTest, IdsStartAt1001AndAreNeverReused) {
  CDataBase store;
  EXPECT_EQ(store.AddCategory(Named(u"Work")), 1001);
  EXPECT_EQ(store.AddCategory(Named(u"Home")), 1002);
  store.DeleteCategory(1002);
  EXPECT_EQ(store.AddCategory(Named(u"Again")), 1003);
  EXPECT_EQ(store.LastCategoryId(), 1003);
}

TEST(CategoryTest, AddingCopiesEveryFieldButTheId) {
  CDataBase store;
  CCategory record{77, 1001, 4, 9, u"Snippets"};
  const int id = store.AddCategory(record);
  EXPECT_EQ(*store.FindCategory(id), (CCategory{id, 1001, 4, 9, u"Snippets"}));
}

TEST(CategoryTest, UpdateCannotChangeTheId) {
  CDataBase store;
  const int id = store.AddCategory(Named(u"Old"));
  EXPECT_TRUE(store.UpdateCategory(id, CCategory{5000, 0, 2, 0, u"New"}));
  EXPECT_EQ(*store.FindCategory(id), (CCategory{id, 0, 2, 0, u"New"}));
  EXPECT_EQ(store.FindCategory(5000), nullptr);
  EXPECT_FALSE(store.UpdateCategory(5000, Named(u"x")));
}

TEST(CategoryTest, ChildrenComeInListOrder) {
  CDataBase store;
  const int top = store.AddCategory(Named(u"Top"));
  store.AddCategory(Named(u"B", top));
  store.AddCategory(Named(u"Other"));
  store.AddCategory(Named(u"A", top));
  auto children = store.ChildCategories(top);
  ASSERT_EQ(children.size(), 2u);
  EXPECT_EQ(children[0]->name, u"B");
  EXPECT_EQ(children[1]->name, u"A");
  EXPECT_EQ(store.ChildCategories(0).size(), 2u);
}

TEST(CategoryTest, DeletingACategoryKeepsItsSubcategories) {
  CDataBase store;
  const int top = store.AddCategory(Named(u"Top"));
  const int child = store.AddCategory(Named(u"Child", top));
  EXPECT_TRUE(store.DeleteCategory(top));
  EXPECT_FALSE(store.DeleteCategory(top));
  EXPECT_EQ(store.FindCategory(top), nullptr);
  ASSERT_NE(store.FindCategory(child), nullptr);
  EXPECT_EQ(store.FindCategory(child)->parentId, top);
}

}  // namespace
