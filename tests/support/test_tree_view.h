#pragma once
// The tree view that tests mirror into: natively the recording view, on Windows a real
// common-controls tree view in a hidden window, owned by the returned object.

#include <memory>

#include "categories/tree_view.h"

std::unique_ptr<TCustomTreeView> MakeTestTreeView();
