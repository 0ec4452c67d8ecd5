#include "store/clip_list_log.h"

void CClipListLog::Broken() {
  // A gap no follower's place lies beyond: every one of them walks the list next time.
  begin_ = End() + 1;
  changes_.clear();
}

std::optional<std::span<const CClipListChange>> CClipListLog::Since(std::uint64_t place) const {
  if (place < begin_ || place > End()) return std::nullopt;
  return std::span(changes_).subspan(static_cast<std::size_t>(place - begin_));
}

void CClipListLog::Add(CClipListChange change) {
  if (changes_.size() >= 2 * kLeastKept) {
    changes_.erase(changes_.begin(), changes_.begin() + kLeastKept);
    begin_ += kLeastKept;
  }
  changes_.push_back(change);
}
