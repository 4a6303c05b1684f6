// The calculate command over an in-memory field store, with the quote page
// handed in by a fake HTTP read.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "calculate.hpp"
#include "pattern.hpp"

namespace tolvane {
namespace {

HttpRead servingPage(Bytes page) {
  return [page = std::move(page)](std::string_view) { return page; };
}

// Initial texts plus marks in the quote fields, so that a field left alone shows.
MemoryFields fieldsWithOldQuotes() {
  MemoryFields fields = MemoryFields::withInitialTexts();
  fields.setFieldText("编辑框2", "old2");
  fields.setFieldText("编辑框4", "old4");
  fields.setFieldText("编辑框6", "old6");
  return fields;
}

TEST(Calculate, ReadsTheConfiguredPageOnce) {
  std::vector<std::string> urls;
  MemoryFields fields = MemoryFields::withInitialTexts();
  calculate(fields, [&urls](std::string_view url) {
    urls.emplace_back(url);
    return Bytes("HKG1/");
  });
  EXPECT_EQ(urls, std::vector<std::string>{std::string(quotePageUrl())});
  EXPECT_NE(quotePageUrl().find("/wcpq_hkd.php"), std::string_view::npos);
  EXPECT_EQ(fields.fieldText("编辑框1"), "HKG1/");
}

struct ExtractionCase {
  std::string name;
  Bytes page;
  Text pageField;  // 编辑框1 afterwards
  Text hongKongGold, londonGold, londonSilver;  // 编辑框2, 编辑框4, 编辑框6 afterwards
};

void PrintTo(const ExtractionCase& c, std::ostream* out) { *out << c.name; }

class Extraction : public ::testing::TestWithParam<ExtractionCase> {};

TEST_P(Extraction, LeavesTheQuoteFields) {
  const ExtractionCase& c = GetParam();
  MemoryFields fields = fieldsWithOldQuotes();
  calculate(fields, servingPage(c.page));
  EXPECT_EQ(fields.fieldText("编辑框1"), c.pageField);
  EXPECT_EQ(fields.fieldText("编辑框2"), c.hongKongGold);
  EXPECT_EQ(fields.fieldText("编辑框4"), c.londonGold);
  EXPECT_EQ(fields.fieldText("编辑框6"), c.londonSilver);
}

INSTANTIATE_TEST_SUITE_P(Pages, Extraction, ::testing::Values(
    ExtractionCase{"CapturesAreJoined", "HKG1/xHKG2/", "HKG1/xHKG2/", "12", "old4", "old6"},
    ExtractionCase{"AnEmptyCaptureIsWritten", "HKG/", "HKG/", "", "old4", "old6"},
    ExtractionCase{"SilverNeedsLondonGold", "LLS5/", "LLS5/", "old2", "old4", "old6"},
    ExtractionCase{"SilverOnceWhateverTheGoldCount", "LLG1/LLG2/LLS5/LLS6/", "LLG1/LLG2/LLS5/LLS6/",
                   "old2", "12", "56"},
    ExtractionCase{"SilverFromTheWholePage", "LLS5/LLG1/", "LLS5/LLG1/", "old2", "1", "5"},
    ExtractionCase{"SilverCaptureMayBeEmpty", "LLG1/LLS/", "LLG1/LLS/", "old2", "1", ""},
    ExtractionCase{"CapturesCrossLineBreaks", "HKG12\r\n3/", "HKG12\r\n3/", "12\r\n3", "old4", "old6"},
    ExtractionCase{"NoSlashNoQuote", "HKG12", "HKG12", "old2", "old4", "old6"},
    ExtractionCase{"AnEntryCutBeforeItsSlash", "HKG1/LLG2/HKG3", "HKG1/LLG2/HKG3", "1", "2", "old6"},
    ExtractionCase{"AnEmptyPage", "", "", "old2", "old4", "old6"},
    ExtractionCase{"CodesKeepTheirCase", "hkg1/llg2/", "hkg1/llg2/", "old2", "old4", "old6"},
    // 0x81 0x4C is one GBK character whose second byte is "L".
    ExtractionCase{"ACodeInsideAGbkCharacter", "\x81\x4cLG7/", "\x81\x4cLG7/", "old2", "7", "old6"},
    ExtractionCase{"ThePageEndsAtAZeroByte", Bytes("HKG1/\0HKG2/", 11), "HKG1/", "1", "old4", "old6"}),
    [](const auto& info) { return info.param.name; });

// The extraction done literally, step by step: the
// page field read again for every search and capture, every accumulation
// written, silver extracted anew for every London gold match, and each search
// over the whole page.
void extractStepByStep(Fields& fields) {
  const auto extract = [&fields](std::string_view pattern, std::string_view field) {
    regex quote;
    quote.create(pattern);
    const MatchList matches = quote.searchAll(fields.fieldText("编辑框1"));
    Text accumulated;
    for (const SearchResult& match : matches) {
      accumulated = joinTexts(accumulated, match.submatchText(fields.fieldText("编辑框1"), 1));
      fields.setFieldText(field, accumulated);
    }
    return matches.size();
  };
  extract("HKG(.*?)/", "编辑框2");
  regex londonGold;
  londonGold.create("LLG(.*?)/");
  const MatchList goldMatches = londonGold.searchAll(fields.fieldText("编辑框1"));
  Text gold;
  for (const SearchResult& match : goldMatches) {
    gold = joinTexts(gold, match.submatchText(fields.fieldText("编辑框1"), 1));
    fields.setFieldText("编辑框4", gold);
    extract("LLS(.*?)/", "编辑框6");
  }
}

TEST(Calculate, ExtractsWhatTheStepByStepCommandDoes) {
  // Short random pages of codes, slashes and other bytes, many of them with
  // codes after the last "/".
  const std::vector<std::string> pieces = {"HKG", "LLG", "LLS", "/", "/", "1", "L", "\r\n", "\x81"};
  std::mt19937 random(20240611);
  std::uniform_int_distribution<std::size_t> pieceCount(0, 12), piece(0, pieces.size() - 1);
  for (int page = 0; page < 3000; ++page) {
    Bytes text;
    for (std::size_t i = pieceCount(random); i > 0; --i) text += pieces[piece(random)];
    MemoryFields expected = fieldsWithOldQuotes();
    expected.setFieldText("编辑框1", text);
    extractStepByStep(expected);
    MemoryFields fields = fieldsWithOldQuotes();
    calculate(fields, servingPage(text));
    for (const char* name : {"编辑框2", "编辑框4", "编辑框6"}) {
      ASSERT_EQ(fields.fieldText(name), expected.fieldText(name)) << name << " for the page " << text;
    }
  }
}

using Texts = std::map<std::string, Text>;

Texts allFieldTexts(const Fields& fields) {
  Texts texts;
  for (int i = 1; i <= 16; ++i) {
    const std::string name = "编辑框" + std::to_string(i);
    texts[name] = fields.fieldText(name);
  }
  return texts;
}

TEST(Calculate, AnUnreachableServerOnTheFirstClick) {
  MemoryFields fields = MemoryFields::withInitialTexts();
  calculate(fields, servingPage(""));
  const Texts expected{
      {"编辑框1", ""},   {"编辑框2", ""},   {"编辑框3", ""},      {"编辑框4", ""},
      {"编辑框5", "0"},  {"编辑框6", ""},   {"编辑框7", "0"},     {"编辑框8", "0"},
      {"编辑框9", ""},   {"编辑框10", "0.81"}, {"编辑框11", "0.990"}, {"编辑框12", ""},
      {"编辑框13", "0"}, {"编辑框14", "0"}, {"编辑框15", "0"},    {"编辑框16", ""}};
  EXPECT_EQ(allFieldTexts(fields), expected);
}

TEST(Calculate, HongKongGoldGoesThroughTextAtEveryStep) {
  MemoryFields fields = MemoryFields::withInitialTexts();
  calculate(fields, servingPage("HKG10005/"));
  EXPECT_EQ(fields.fieldText("编辑框2"), "10005");
  EXPECT_EQ(fields.fieldText("编辑框13"), "10005");
  EXPECT_EQ(fields.fieldText("编辑框14"), "216.5179406343");
  // Carrying the doubles through would give 214.3527612279.
  EXPECT_EQ(fields.fieldText("编辑框15"), "214.352761228");
  EXPECT_EQ(fields.fieldText("编辑框5"), "214.352761228");
}

TEST(Calculate, PremiumIsAddedToHongKongGold) {
  MemoryFields fields = MemoryFields::withInitialTexts();
  fields.setFieldText("编辑框9", "100");
  fields.setFieldText("编辑框10", "1");
  fields.setFieldText("编辑框11", "1");
  calculate(fields, servingPage("HKG274.29/"));
  EXPECT_EQ(fields.fieldText("编辑框13"), "374.29");
  EXPECT_EQ(fields.fieldText("编辑框14"), "10");
  EXPECT_EQ(fields.fieldText("编辑框5"), "10");
}

TEST(Calculate, LondonPricesUseTheDollarRate) {
  MemoryFields fields = MemoryFields::withInitialTexts();
  fields.setFieldText("编辑框12", "6.8");
  calculate(fields, servingPage("LLG1200.5/LLS18.25/"));
  EXPECT_EQ(fields.fieldText("编辑框3"), "6.8");
  EXPECT_EQ(fields.fieldText("编辑框7"), "262.4593690976");
  EXPECT_EQ(fields.fieldText("编辑框8"), "3.989907110397");
}

TEST(Calculate, AnEmptyDollarRateZeroesTheLondonPrices) {
  MemoryFields fields = MemoryFields::withInitialTexts();
  fields.setFieldText("编辑框3", "6.8");
  calculate(fields, servingPage("LLG1200.5/LLS18.25/"));
  EXPECT_EQ(fields.fieldText("编辑框3"), "");
  EXPECT_EQ(fields.fieldText("编辑框7"), "0");
  EXPECT_EQ(fields.fieldText("编辑框8"), "0");
}

TEST(Calculate, AnEmptyPageRecomputesFromTheQuotesAlreadyThere) {
  MemoryFields fields = MemoryFields::withInitialTexts();
  fields.setFieldText("编辑框12", "6.8");
  calculate(fields, servingPage("HKG10005/LLG1200.5/LLS18.25/"));
  const Texts afterFetch = allFieldTexts(fields);

  fields.setFieldText("编辑框12", "7");
  calculate(fields, servingPage(""));
  Texts expected = afterFetch;
  expected["编辑框1"] = "";
  expected["编辑框12"] = expected["编辑框3"] = "7";
  expected["编辑框7"] = "270.1787623064";  // 1200.5 × 7 ÷ 31.103481
  expected["编辑框8"] = "4.107257319526";  // 18.25 × 7 ÷ 31.103481
  EXPECT_EQ(allFieldTexts(fields), expected);
}

}  // namespace
}  // namespace tolvane
