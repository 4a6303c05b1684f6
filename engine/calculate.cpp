#include "calculate.hpp"

#include <optional>

#include "pattern.hpp"

#ifndef TOLVANE_QUOTE_URL
#error "TOLVANE_QUOTE_URL is set by the build (CMake cache variable of the same name)"
#endif

namespace tolvane {

namespace {

// Grams per troy ounce as this calculator has always counted it (the standard
// figure is 31.1034768), and grams per tael.
constexpr double kGramsPerTroyOunce = 31.103481;
constexpr double kGramsPerTael = 37.429;

constexpr std::string_view kPageField = "编辑框1";

// The quote patterns: a three-letter code, the shortest run of any bytes, "/".
constexpr std::string_view kHongKongGold = "HKG(.*?)/";
constexpr std::string_view kLondonGold = "LLG(.*?)/";
constexpr std::string_view kLondonSilver = "LLS(.*?)/";

// The page up to and including its last "/". Every match of a quote pattern
// ends with a "/", so none lies beyond it, and cutting the text there removes
// no match and changes none. Without the cut, each code on a stretch of page
// with no "/" after it would make the matcher scan to the end of the page
// before failing: a page of codes and no "/" would cost the square of its size.
std::string_view throughLastSlash(std::string_view page) {
  const auto lastSlash = page.rfind('/');
  return lastSlash == std::string_view::npos ? std::string_view() : page.substr(0, lastSlash + 1);
}

// The captures of every match of the pattern in the page, joined in page
// order; nothing when the pattern does not match at all.
std::optional<Text> joinedCaptures(std::string_view pattern, std::string_view page) {
  regex quotePattern;
  quotePattern.create(pattern);
  const MatchList matches = quotePattern.searchAll(page);
  if (matches.empty()) return std::nullopt;
  // Appending in place gives the bytes that joining each capture to the
  // accumulated text would, without copying the accumulation each time.
  Text joined;
  for (const SearchResult& match : matches) joined.append(match.submatchText(page, 1));
  return joined;
}

void writeIfFound(Fields& fields, std::string_view name, const std::optional<Text>& quote) {
  if (quote) fields.setFieldText(name, *quote);
}

// Extracts the three quotes into their fields. Only the final texts of the
// fields can be seen (the window does not repaint while the command runs, and
// no handler acts on these fields' text changes), so the extraction does the
// least work that leaves the same texts:
// - the page field is read once; nothing changes it while the command runs,
//   so reading it again for every search and capture gives the same bytes;
// - a quote field is written once, with all captures joined, and not once per
//   capture with the captures so far, whose last write is that same text;
// - silver is extracted once when there is a London gold match, and not at all
//   when there is none; extracting it again for every London gold match would
//   start from "" over the same page each time and end with the same text.
void extractQuotes(Fields& fields, std::string_view wholePage) {
  const std::string_view page = throughLastSlash(wholePage);
  writeIfFound(fields, "编辑框2", joinedCaptures(kHongKongGold, page));
  const auto londonGold = joinedCaptures(kLondonGold, page);
  writeIfFound(fields, "编辑框4", londonGold);
  if (londonGold) writeIfFound(fields, "编辑框6", joinedCaptures(kLondonSilver, page));
}

double fieldNumber(const Fields& fields, std::string_view name) {
  return textToNumber(fields.fieldText(name));
}

// The prices, in this order. Each formula reads its operands from the fields
// and its result is written back as text before the next one runs, so a later
// formula sees the rounded text of an earlier one, never its double.
struct Formula {
  std::string_view resultField;
  double (*value)(const Fields&);
};

const Formula kFormulas[] = {
    {"编辑框7",  // gold, yuan per gram
     [](const Fields& f) { return fieldNumber(f, "编辑框4") * fieldNumber(f, "编辑框3") / kGramsPerTroyOunce; }},
    {"编辑框8",  // silver, yuan per gram
     [](const Fields& f) { return fieldNumber(f, "编辑框6") * fieldNumber(f, "编辑框3") / kGramsPerTroyOunce; }},
    {"编辑框13",  // Hong Kong gold plus premium, HKD per tael
     [](const Fields& f) { return fieldNumber(f, "编辑框2") + fieldNumber(f, "编辑框9"); }},
    {"编辑框14",  // Hong Kong gold, yuan per gram before fineness
     [](const Fields& f) { return fieldNumber(f, "编辑框13") * fieldNumber(f, "编辑框10") / kGramsPerTael; }},
    {"编辑框15",  // Hong Kong gold, yuan per gram after fineness
     [](const Fields& f) { return fieldNumber(f, "编辑框14") * fieldNumber(f, "编辑框11"); }},
};

void copyField(Fields& fields, std::string_view from, std::string_view to) {
  fields.setFieldText(to, fields.fieldText(from));
}

}  // namespace

std::string_view quotePageUrl() { return TOLVANE_QUOTE_URL; }

void calculate(Fields& fields, const HttpRead& httpRead) {
  fields.setFieldText(kPageField, bytesToText(httpRead(quotePageUrl())));
  extractQuotes(fields, fields.fieldText(kPageField));
  copyField(fields, "编辑框12", "编辑框3");  // the US dollar rate, shown in the top row
  for (const Formula& formula : kFormulas) {
    fields.setFieldText(formula.resultField, numberToText(formula.value(fields)));
  }
  copyField(fields, "编辑框15", "编辑框5");  // the Hong Kong gold price
}

}  // namespace tolvane
