#pragma once
// Programs whose copies the history does not keep, named by their executable's file name
// ("KeePass.exe"), compared without regard to case.

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

class CProgramExclusion {
 public:
  CProgramExclusion() = default;
  // From the names as the user gave them: spaces around a name are dropped, a full path
  // stands for its file name, and an empty entry names nothing.
  explicit CProgramExclusion(const std::vector<std::u16string>& names);

  // Whether the program at `path` (a full path or a bare file name) is excluded. A set look-up
  // of the folded name: the cost does not grow with the list.
  bool Excludes(std::u16string_view path) const;
  bool Empty() const { return folded_.empty(); }

 private:
  std::unordered_set<std::u16string> folded_;
};
