#pragma once
// The category levels of the tree mirror, shared by the main window's tree and the settings
// dialog's categories-only tree, and the row indents that go with them.

#include <unordered_map>

#include "categories/item_node.h"
#include "categories/tree_view.h"
#include "store/database.h"

// Row indents in pixels at 96 dpi: the top level, a sub-category, and a clip below one.
inline constexpr int kTopIndent = 2;
inline constexpr int kSubCategoryIndent = 16;
inline constexpr int kSubCategoryClipIndent = 18;

// Adds or confirms, below `parent`, a node for every category whose parent is `parentId`
// and, level by level, for theirs, with rows in `view` (when given). With `withIndent` the
// nodes get the main window's indents. Each category id gets one node, at the first place
// its chain of parents reaches (a damaged file can repeat ids and make cycles); work in
// proportion to the number of categories, at any depth. `nodesById`, when given, receives
// every node confirmed. The main window's rebuild and the settings dialog's categories-only
// tree both use it.
void PopulateCategories(CDataBase& store, CItemNode& parent, int parentId, TCustomTreeView* view,
                        bool withIndent,
                        std::unordered_map<unsigned int, CItemNode*>* nodesById = nullptr);
