#include "categories/recording_tree_view.h"
#include "tests/support/test_tree_view.h"

std::unique_ptr<TCustomTreeView> MakeTestTreeView() {
  return std::make_unique<CRecordingTreeView>();
}
