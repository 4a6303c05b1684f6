// Regular expressions over GBK texts, byte by byte: a compiled pattern
// (`regex`) and the groups of one match (`SearchResult`).
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "text.hpp"

namespace tolvane {

// One match: a record per group, the whole match (group 0) first, then each
// capture group in the order of its opening parenthesis.
struct SearchResult {
  struct Record {
    std::int32_t start = 0;   // bytes from the start of the whole searched text
    std::int32_t length = 0;  // bytes the group covers
    bool matched = false;     // whether the group took part in the match
  };

  std::vector<Record> records;

  // The bytes of `text` that the group covers; "" when the group did not take
  // part, is empty or does not exist. `text` is meant to be the searched text;
  // a record reaching past the end of another text gives the bytes that exist.
  Text submatchText(std::string_view text, int group) const;
};

// Matches from left to right, never overlapping.
using MatchList = std::vector<SearchResult>;

// A compiled pattern, or none. Patterns use Boost.Regex's Perl syntax and see
// the text as single bytes: "." matches every byte, line breaks and bytes from
// 0x80 up included, and only ASCII letters have a case.
class regex {
 public:
  regex();
  ~regex();
  regex(regex&&) noexcept;
  regex& operator=(regex&&) noexcept;

  // Compiles the pattern; false when it is not a valid pattern, and the
  // pattern held before stays.
  bool create(std::string_view pattern, bool caseSensitive = true);

  // Every match, each search starting where the previous match ended and
  // taking that position as the beginning of the text. Empty when the text is
  // empty or no pattern is held. Ends after a match that ends where its search
  // began (an empty match there would repeat forever), and when the matcher
  // gives up (its complexity limit, memory): the matches so far are returned.
  MatchList searchAll(std::string_view text) const;

 private:
  struct Compiled;
  std::unique_ptr<const Compiled> compiled_;
};

}  // namespace tolvane
