// readDecimalNumber: textToNumber's decimal rule without full-width folding.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "text.hpp"

namespace tolvane {
namespace {

struct Case {
  std::string text;
  double number;
};

TEST(ReadDecimalNumber, ReadsTheDecimalPrefixLikeTextToNumber) {
  const Case cases[] = {
      {"389.44732", 389.44732}, {"  12.5abc", 12.5}, {"\t\r\n-7", -7}, {".5", 0.5},
      {"1D-2", 0.01},           {"1d5", 100000},     {"1e+", 1},       {"12-3", 12},
      {"", 0},                  {"abc", 0},          {"1e999", INFINITY},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(readDecimalNumber(c.text), c.number) << c.text;
    EXPECT_EQ(textToNumber(c.text), c.number) << c.text;
  }
}

TEST(ReadDecimalNumber, FullWidthFormsEndTheNumberInsteadOfBeingFolded) {
  const Case cases[] = {
      {"\xA3\xB1\xA3\xB2\xA3\xB3", 0},  // full-width 123
      {"12\xA3\xB3", 12},               // 12 and a full-width 3
      {"\xA1\xA1-12", 0},               // ideographic space before the number
      {"1.5\xA3\xC5\x33", 1.5},         // full-width E as exponent letter
      {"7\x81", 7},                     // a lone lead byte at the end
  };
  for (const auto& c : cases) EXPECT_EQ(readDecimalNumber(c.text), c.number) << c.text;
  EXPECT_EQ(textToNumber("\xA3\xB1\xA3\xB2\xA3\xB3"), 123);
  EXPECT_EQ(textToNumber("12\xA3\xB3"), 123);
}

TEST(ReadDecimalNumber, KeepsTheSignOfZero) {
  EXPECT_TRUE(std::signbit(readDecimalNumber("-0")));
  EXPECT_FALSE(std::signbit(readDecimalNumber("0")));
}

}  // namespace
}  // namespace tolvane
