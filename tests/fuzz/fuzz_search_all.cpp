// searchAll with the three quote patterns on arbitrary bytes: the same match
// lists, record for record, as the hand-written reference matcher, and the
// captures that submatchText gives.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "pattern.hpp"
#include "quote_pattern_reference.hpp"

namespace {

[[noreturn]] void fail(std::string_view code, std::size_t index, const char* what) {
  std::fprintf(stderr, "searchAll for %.*s, match %zu: %s\n", static_cast<int>(code.size()),
               code.data(), index, what);
  std::abort();
}

void check(std::string_view code, std::string_view text) {
  tolvane::regex pattern;
  if (!pattern.create(std::string(code) + "(.*?)/")) fail(code, 0, "the pattern did not compile");
  const tolvane::MatchList got = pattern.searchAll(text);
  const auto expected = tolvane::reference::quoteMatches(code, text);
  if (got.size() != expected.size()) fail(code, got.size(), "a different number of matches");
  for (std::size_t i = 0; i < got.size(); ++i) {
    const auto& records = got[i].records;
    const auto& e = expected[i];
    if (records.size() != 2) fail(code, i, "not two records");
    if (!records[0].matched || static_cast<std::size_t>(records[0].start) != e.start ||
        static_cast<std::size_t>(records[0].length) != e.end - e.start)
      fail(code, i, "whole match differs");
    if (!records[1].matched || static_cast<std::size_t>(records[1].start) != e.captureStart ||
        static_cast<std::size_t>(records[1].length) != e.captureLength)
      fail(code, i, "capture differs");
    if (got[i].submatchText(text, 1) != text.substr(e.captureStart, e.captureLength))
      fail(code, i, "submatchText differs");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (std::string_view code : {"HKG", "LLG", "LLS"}) check(code, text);
  return 0;
}
