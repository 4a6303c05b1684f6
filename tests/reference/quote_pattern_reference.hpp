// A hand-written matcher for the quote patterns "<CODE>(.*?)/", to check the
// regular-expression facility against: the leftmost match, "." taking every
// byte, and each search starting again where the previous match ended.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace tolvane::reference {

struct QuoteMatch {
  std::size_t start;         // of the code
  std::size_t end;           // just after the "/"
  std::size_t captureStart;  // just after the code
  std::size_t captureLength;
};

// Every match of CODE(.*?)/ in the text, from left to right.
inline std::vector<QuoteMatch> quoteMatches(std::string_view code, std::string_view text) {
  std::vector<QuoteMatch> matches;
  std::size_t from = 0;
  for (;;) {
    bool found = false;
    for (std::size_t start = from; start + code.size() <= text.size() && !found; ++start) {
      if (text.substr(start, code.size()) != code) continue;
      // The shortest capture: up to the first "/" after the code.
      const std::size_t slash = text.find('/', start + code.size());
      if (slash == std::string_view::npos) return matches;  // no "/" after any later code either
      matches.push_back({start, slash + 1, start + code.size(), slash - start - code.size()});
      from = slash + 1;
      found = true;
    }
    if (!found) return matches;
  }
}

}  // namespace tolvane::reference
