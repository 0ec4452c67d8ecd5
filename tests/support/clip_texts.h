#pragma once
// What tests compare a store's clips by.

#include <string>
#include <vector>

#include "store/database.h"

// The texts of the category's clips in list order, head first; "<picture>" stands for a
// picture.
std::vector<std::u16string> ClipTexts(const CDataBase& store, int categoryId);
