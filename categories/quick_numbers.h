#pragma once
// Quick numbers: a clip's position for quick paste among the clips that share its run of
// numbers. The history's first ten clips are 1 to 10; the quick notes count from 1; the
// clips of all user categories share one run from kFirstOtherQuickNumber.

inline constexpr int kFirstOtherQuickNumber = 21;
inline constexpr int kLastQuickNumber = 10;  // history numbers after it are not shown

// The numbers of one walk over the clips in list order, every clip counted whether it is
// shown or not.
class CQuickNumbering {
 public:
  // The number of the next clip of `categoryId` in list order; 0 for history clips past
  // the tenth.
  int Next(int categoryId);
  // How many clips of user categories have been numbered.
  int OtherClips() const { return otherNumber_ - (kFirstOtherQuickNumber - 1); }

 private:
  int historyNumber_ = 0;
  int notesNumber_ = 0;
  int otherNumber_ = kFirstOtherQuickNumber - 1;
};
