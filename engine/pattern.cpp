#include "pattern.hpp"

#include <algorithm>
#include <limits>
#include <locale>
#include <new>

#include <boost/regex.hpp>

namespace tolvane {

namespace {

// Boost's C++-locale traits, given the classic locale: the same byte classes
// and case folding on every machine. (Boost's default traits on Windows follow
// the user's ANSI code page, which would make the case of bytes from 0x80 up
// depend on the regional settings.)
using ByteRegex = boost::basic_regex<char, boost::cpp_regex_traits<char>>;
using ByteMatch = boost::match_results<const char*>;

// Offsets are 32-bit: bytes beyond that could not be named by a record.
constexpr std::size_t kLongestSearchableText = std::numeric_limits<std::int32_t>::max();

SearchResult toSearchResult(const ByteMatch& found, const char* textBegin) {
  SearchResult result;
  result.records.reserve(found.size());
  for (const auto& group : found) {
    SearchResult::Record record;
    if (group.matched) {
      record.start = static_cast<std::int32_t>(group.first - textBegin);
      record.length = static_cast<std::int32_t>(group.second - group.first);
      record.matched = true;
    }
    result.records.push_back(record);
  }
  return result;
}

}  // namespace

struct regex::Compiled {
  ByteRegex pattern;
};

regex::regex() = default;
regex::~regex() = default;
regex::regex(regex&&) noexcept = default;
regex& regex::operator=(regex&&) noexcept = default;

bool regex::create(std::string_view pattern, bool caseSensitive) {
  const ByteRegex::flag_type flags =
      caseSensitive ? ByteRegex::perl : ByteRegex::perl | ByteRegex::icase;
  try {
    auto compiled = std::make_unique<Compiled>();
    compiled->pattern.imbue(std::locale::classic());
    compiled->pattern.assign(pattern.data(), pattern.data() + pattern.size(), flags);
    compiled_ = std::move(compiled);
    return true;
  } catch (const boost::regex_error&) {
    return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

MatchList regex::searchAll(std::string_view text) const {
  MatchList matches;
  if (!compiled_ || text.empty()) return matches;

  const auto searchable = text.substr(0, std::min(text.size(), kLongestSearchableText));
  const char* const begin = searchable.data();
  const char* const end = begin + searchable.size();
  const char* from = begin;
  ByteMatch found;
  try {
    // No match_prev_avail: each search sees `from` as the beginning of the
    // text, so "^", "\b" and look-behinds never look at the bytes before it.
    while (boost::regex_search(from, end, found, compiled_->pattern, boost::match_default)) {
      matches.push_back(toSearchResult(found, begin));
      const char* const matchEnd = found[0].second;
      // A match ending where its search began is empty; searching again from
      // the same place would find it again.
      if (matchEnd == from) break;
      from = matchEnd;
    }
  } catch (const boost::regex_error&) {
    // The matcher gave up (too complex, too deep): keep what was found.
  } catch (const std::bad_alloc&) {
    // Out of memory: keep what was found.
  }
  return matches;
}

Text SearchResult::submatchText(std::string_view text, int group) const {
  if (group < 0 || static_cast<std::size_t>(group) >= records.size()) return Text();
  const Record& record = records[static_cast<std::size_t>(group)];
  if (!record.matched || record.length < 1 || record.start < 0) return Text();
  const auto start = static_cast<std::size_t>(record.start);
  if (start >= text.size()) return Text();
  return Text(text.substr(start, static_cast<std::size_t>(record.length)));
}

}  // namespace tolvane
