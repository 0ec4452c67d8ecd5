#pragma once
// CWordFinder: whether a folded text holds one word of a query. It is looked for at the
// places of its rarest byte, and once those checks have read as much as the text holds, in
// time linear in the text's length whatever the word (Knuth-Morris-Pratt): a long query made
// of repeats ("aaaa...b") against a large clip costs no more than any other. Both are UTF-8,
// so a match of bytes is a match of whole characters.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CWordFinder {
 public:
  explicit CWordFinder(std::string word);

  const std::string& Word() const { return word_; }
  // Whether `text` holds the word anywhere; an empty word is in every text.
  bool FoundIn(std::string_view text) const;
  // The same for a text of ASCII bytes only, not folded: its capitals are taken as the
  // small letters that folding makes of them, and every other byte as it is (a word with
  // other bytes is in no such text).
  bool FoundInAscii(std::string_view text) const;

  bool operator==(const CWordFinder& other) const { return word_ == other.word_; }

 private:
  std::string word_;
  bool wordIsAscii_ = false;  // else FoundInAscii finds it nowhere
  std::size_t rarest_ = 0;    // the place of the word's rarest byte, by which it is looked for
  // For each length k of a matched start of the word, the length of its longest proper
  // start that also ends it: where a match resumes after a mismatch at k.
  std::vector<std::size_t> resume_;
};
