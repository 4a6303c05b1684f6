// The calculate command over an in-memory field store, with an arbitrary
// quote page and arbitrary texts in every field: it must not crash, must end
// quickly, and must leave the fields as the rules say: the page text in
// 编辑框1, each quote field holding its joined captures or its old text, the
// copies made, and well-formed number texts from the formulas.
//
// The page is the input's last bytes repeated up to 256 KiB, so that short
// inputs make long pages of one pattern ("HKG" with no "/", say); work that
// grew faster than the page would trip the short time-out that
// fuzz_calculate.flags sets.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

#include "calculate.hpp"
#include "conversions_reference.hpp"
#include "fields.hpp"
#include "quote_pattern_reference.hpp"

namespace {

constexpr const char* kFieldNames[] = {
    "编辑框2", "编辑框3", "编辑框4", "编辑框5", "编辑框6", "编辑框7", "编辑框8", "编辑框9",
    "编辑框10", "编辑框11", "编辑框12", "编辑框13", "编辑框14", "编辑框15", "编辑框16"};

constexpr std::size_t kLongestPage = 256 * 1024;

[[noreturn]] void fail(std::string_view field, const char* what) {
  std::fprintf(stderr, "calculate left %.*s %s\n", static_cast<int>(field.size()), field.data(), what);
  std::abort();
}

// The joined captures of every match, or the field's text before the command
// when there is none.
std::string expectedQuote(std::string_view code, std::string_view page, const std::string& before) {
  const auto matches = tolvane::reference::quoteMatches(code, page);
  if (matches.empty()) return before;
  std::string joined;
  for (const auto& m : matches) joined.append(page.substr(m.captureStart, m.captureLength));
  return joined;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  tolvane::MemoryFields fields = tolvane::MemoryFields::withInitialTexts();
  std::map<std::string, std::string> before;
  for (const char* name : kFieldNames) {
    if (input.ConsumeBool()) fields.setFieldText(name, tolvane::bytesToText(input.ConsumeRandomLengthString(64)));
    before[name] = fields.fieldText(name);
  }
  const auto copies = input.ConsumeIntegralInRange<std::size_t>(1, kLongestPage);
  const std::string unit = input.ConsumeRemainingBytesAsString();
  std::string page;
  for (std::size_t i = 0; i < copies && page.size() + unit.size() <= kLongestPage && !unit.empty(); ++i)
    page += unit;

  tolvane::calculate(fields, [&](std::string_view) { return page; });

  const std::string text = tolvane::bytesToText(page);
  if (fields.fieldText("编辑框1") != text) fail("编辑框1", "other than the page text");
  if (fields.fieldText("编辑框2") != expectedQuote("HKG", text, before["编辑框2"]))
    fail("编辑框2", "other than the Hong Kong gold captures");
  const bool londonGoldFound = !tolvane::reference::quoteMatches("LLG", text).empty();
  if (fields.fieldText("编辑框4") != expectedQuote("LLG", text, before["编辑框4"]))
    fail("编辑框4", "other than the London gold captures");
  const std::string silver = londonGoldFound ? expectedQuote("LLS", text, before["编辑框6"]) : before["编辑框6"];
  if (fields.fieldText("编辑框6") != silver) fail("编辑框6", "other than the London silver captures");
  if (fields.fieldText("编辑框3") != before["编辑框12"]) fail("编辑框3", "other than 编辑框12");
  for (const char* name : {"编辑框7", "编辑框8", "编辑框13", "编辑框14", "编辑框15"}) {
    if (!tolvane::reference::numberTextFault(fields.fieldText(name)).empty()) fail(name, "not a number text");
  }
  if (fields.fieldText("编辑框5") != fields.fieldText("编辑框15")) fail("编辑框5", "other than 编辑框15");
  for (const char* name : {"编辑框9", "编辑框10", "编辑框11", "编辑框12", "编辑框16"}) {
    if (fields.fieldText(name) != before[name]) fail(name, "changed");
  }
  return 0;
}
