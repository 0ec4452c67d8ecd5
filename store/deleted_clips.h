#pragma once
// CDeletedClips: what one deletion took out of the store, held in memory so that a single
// step can put it back (CDataBase::UndoDeletion). It owns the clips and remembers where
// each stood and the category records deleted with them. Nothing of it is ever written to
// a file: a deleted clip must leave the disk.

#include <cstddef>
#include <memory>
#include <vector>

#include "store/base_item.h"
#include "store/category.h"

class CDeletedClips {
 public:
  struct CPlacedClip {
    // The clip's place in the list before the deletion, counted from the head.
    std::size_t position = 0;
    std::unique_ptr<CBaseItem> clip;
  };

  bool Empty() const { return clips.empty() && categories.empty(); }
  // In ascending order of position, so that putting them back in this order restores
  // every place while the clips between them stayed.
  std::vector<CPlacedClip> clips;
  // The category records deleted with the clips, parents before their children.
  std::vector<CCategory> categories;
};
