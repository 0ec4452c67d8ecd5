#pragma once
// The data file that the journal fuzzer's inputs extend: one text clip "a" and one
// category "c" (id 1001). Its seeds are journals that the program's own writer made for it.

#include <cstdint>
#include <vector>

inline std::vector<std::uint8_t> JournalBaseFile() {
  return {100, 0, 0, 0, 0xE9, 3, 0, 0,
          // text record: kind 1, size 18, category 10, created 1.0, no hot key, "a"
          1, 0, 0, 0, 18, 0, 0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 0, 0, 1, 0, 0, 0, 'a',
          0,
          // category record: kind 100000, size 18, id 1001, top level, icon 3, "c"
          0xA0, 0x86, 1, 0, 18, 0, 0, 0, 0xE9, 3, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0,
          0, 'c', 0};
}
