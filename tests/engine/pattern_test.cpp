// The regular-expression facility: compiling, the records of a match, the
// byte-wise matching rules the quote patterns rely on, and searches that end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pattern.hpp"

namespace tolvane {
namespace {

constexpr std::string_view kQuote = "HKG(.*?)/";

regex compiled(std::string_view pattern, bool caseSensitive = true) {
  regex result;
  EXPECT_TRUE(result.create(pattern, caseSensitive)) << pattern;
  return result;
}

// The group-1 capture of every match.
std::vector<Text> captures(const regex& pattern, std::string_view text) {
  std::vector<Text> result;
  for (const SearchResult& match : pattern.searchAll(text)) result.push_back(match.submatchText(text, 1));
  return result;
}

using Texts = std::vector<Text>;

TEST(Regex, ANewObjectHoldsNoPattern) {
  EXPECT_TRUE(regex().searchAll("HKG1/").empty());
}

TEST(Regex, AFailedCreateKeepsTheEarlierPattern) {
  regex pattern = compiled(kQuote);
  EXPECT_FALSE(pattern.create("HKG(.*?/"));
  EXPECT_FALSE(pattern.create("*"));
  EXPECT_EQ(captures(pattern, "LLG2/HKG1/"), Texts{"1"});

  regex none;
  EXPECT_FALSE(none.create("("));
  EXPECT_TRUE(none.searchAll("(").empty());
}

TEST(Regex, ASuccessfulCreateReplacesThePattern) {
  regex pattern = compiled(kQuote);
  ASSERT_TRUE(pattern.create("LLG(.*?)/"));
  EXPECT_EQ(captures(pattern, "HKG1/LLG2/"), Texts{"2"});
}

TEST(Regex, AnEmptyTextHasNoMatch) {
  EXPECT_TRUE(compiled("").searchAll("").empty());
  EXPECT_TRUE(compiled("x*").searchAll("").empty());
}

TEST(Regex, RecordsCountFromTheStartOfTheWholeText) {
  const MatchList matches = compiled("(H)?K(G)(.*?)/").searchAll("xKG1/HKG22/");
  ASSERT_EQ(matches.size(), 2u);
  using R = SearchResult::Record;
  const auto same = [](const R& a, const R& b) {
    return a.start == b.start && a.length == b.length && a.matched == b.matched;
  };
  const std::vector<R> first{{1, 4, true}, {0, 0, false}, {2, 1, true}, {3, 1, true}};
  const std::vector<R> second{{5, 6, true}, {5, 1, true}, {7, 1, true}, {8, 2, true}};
  ASSERT_EQ(matches[0].records.size(), 4u);
  ASSERT_EQ(matches[1].records.size(), 4u);
  for (std::size_t group = 0; group < 4; ++group) {
    EXPECT_TRUE(same(matches[0].records[group], first[group])) << "first match, group " << group;
    EXPECT_TRUE(same(matches[1].records[group], second[group])) << "second match, group " << group;
  }
}

struct CaptureCase {
  std::string name;
  std::string text;
  Texts captures;
};

class QuotePatternCaptures : public ::testing::TestWithParam<CaptureCase> {};

TEST_P(QuotePatternCaptures, Are) {
  EXPECT_EQ(captures(compiled(kQuote), GetParam().text), GetParam().captures);
}

INSTANTIATE_TEST_SUITE_P(Rules, QuotePatternCaptures, ::testing::Values(
    CaptureCase{"EveryMatchInPageOrder", "HKG1/xHKG2/", {"1", "2"}},
    CaptureCase{"AnEmptyCapture", "HKG/", {""}},
    CaptureCase{"TheShortestRunUpToASlash", "HKG1/2/", {"1"}},
    CaptureCase{"ACaptureCanHoldACode", "HKGHKG1/", {"HKG1"}},
    CaptureCase{"LettersKeepTheirCase", "hkg1/HkG2/", {}},
    CaptureCase{"NoSlashNoMatch", "HKG12", {}},
    CaptureCase{"NoSlashAfterTheLastCode", "HKG1/HKG2", {"1"}},
    CaptureCase{"DotMatchesLineBreaks", "HKG12\r\n3/", {"12\r\n3"}},
    CaptureCase{"DotMatchesEveryByte", "HKG\f\v\t\x80\x85\xa0\xff/", {"\f\v\t\x80\x85\xa0\xff"}},
    // 0x81 0x48 is one GBK character whose second byte is "H".
    CaptureCase{"AMatchCanStartInsideAGbkCharacter", "\x81HKG7/", {"7"}}),
    [](const auto& info) { return info.param.name; });

TEST(Regex, CaseInsensitiveFoldsOnlyAsciiLetters) {
  EXPECT_EQ(captures(compiled("hkg(.*?)/", false), "HkG1/"), Texts{"1"});
  // Latin-1 Ä and ä, or two unrelated GBK bytes: no case at all.
  EXPECT_TRUE(compiled("\xc4", false).searchAll("\xe4").empty());
}

TEST(Regex, EachSearchBeginsTheTextAtTheEndOfThePreviousMatch) {
  // With the bytes before the restart out of sight, "^" matches there again.
  EXPECT_EQ(compiled("^a").searchAll("aaab").size(), 3u);
}

TEST(Regex, AnEmptyMatchWhereASearchBeginsEndsTheSearch) {
  const MatchList atTheStart = compiled("x*").searchAll("abc");
  ASSERT_EQ(atTheStart.size(), 1u);
  EXPECT_EQ(atTheStart[0].records[0].length, 0);

  const MatchList afterAMatch = compiled("a*").searchAll("aab");
  ASSERT_EQ(afterAMatch.size(), 2u);
  EXPECT_EQ(afterAMatch[1].records[0].start, 2);
  EXPECT_EQ(afterAMatch[1].records[0].length, 0);
}

TEST(Regex, AHopelessSearchEndsWithTheMatchesSoFar) {
  // Exponential backtracking over the a's after the first match: the matcher
  // gives up, and the first match is kept.
  const std::string text = "ac" + std::string(64, 'a');
  const MatchList matches = compiled("(a|aa)*c").searchAll(text);
  ASSERT_EQ(matches.size(), 1u);
  EXPECT_EQ(matches[0].records[0].length, 2);
}

TEST(Regex, CodesWithoutASlashEnd) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "HKG";
  EXPECT_TRUE(compiled(kQuote).searchAll(text).empty());
}

TEST(SubmatchText, IsEmptyWithoutAGroupThatTookPart) {
  const std::string text = "KG1/";
  const MatchList matches = compiled("(H)?KG(.*?)/").searchAll(text);
  ASSERT_EQ(matches.size(), 1u);
  EXPECT_EQ(matches[0].submatchText(text, 2), "1");
  EXPECT_EQ(matches[0].submatchText(text, 1), "");   // did not take part
  EXPECT_EQ(matches[0].submatchText(text, 3), "");   // no such group
  EXPECT_EQ(matches[0].submatchText(text, -1), "");
  EXPECT_EQ(SearchResult().submatchText(text, 0), "");
  EXPECT_EQ(compiled(kQuote).searchAll("HKG/")[0].submatchText("HKG/", 1), "");
}

TEST(SubmatchText, StaysInsideTheGivenText) {
  const MatchList matches = compiled(kQuote).searchAll("xxHKG123/");
  ASSERT_EQ(matches.size(), 1u);
  EXPECT_EQ(matches[0].submatchText("xxHKG12", 1), "12");
  EXPECT_EQ(matches[0].submatchText("xx", 1), "");
}

}  // namespace
}  // namespace tolvane
