#pragma once
// CClipListLog: the clips that entered or left the store's list, in order, so that a
// follower of the store (the journal) can learn what changed since it last looked without
// walking 100,000 clips. It keeps the latest changes only; a follower that fell further
// behind, or one of a list replaced whole (a load), walks the list instead.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

struct CClipListChange {
  enum class EPlace { kHead, kTail, kElsewhere };
  int id = 0;
  bool inserted = false;              // else removed
  EPlace place = EPlace::kElsewhere;  // where an inserted clip went
};

class CClipListLog {
 public:
  // Kept at least; the log drops the older half of twice as many.
  static constexpr std::size_t kLeastKept = 4096;

  void Inserted(int id, CClipListChange::EPlace place) { Add({id, true, place}); }
  void Removed(int id) { Add({id, false, CClipListChange::EPlace::kElsewhere}); }
  // The list was replaced or emptied whole: what came before can no longer be told.
  void Broken();

  // A follower's place: the count of changes logged so far (and of those forgotten).
  std::uint64_t End() const { return begin_ + changes_.size(); }
  // The changes since `place`, oldest first; none when the log does not reach back to it.
  std::optional<std::span<const CClipListChange>> Since(std::uint64_t place) const;

 private:
  void Add(CClipListChange change);

  std::vector<CClipListChange> changes_;
  std::uint64_t begin_ = 0;  // the place of changes_.front()
};
