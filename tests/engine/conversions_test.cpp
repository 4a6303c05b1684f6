// Number and text conversions: the tables of exact cases, and properties over
// many pseudo-random doubles. Run in both builds: the texts and bits must agree.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "conversions_reference.hpp"
#include "text.hpp"

namespace tolvane {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(BytesToText, CutsAtTheFirstZeroByte) {
  EXPECT_EQ(bytesToText(std::string("12\0" "34", 5)), "12");
  EXPECT_EQ(bytesToText(""), "");
  EXPECT_EQ(bytesToText(std::string("\0abc", 4)), "");
  EXPECT_EQ(bytesToText("\r\n\x81\xff"), "\r\n\x81\xff");
}

TEST(JoinTexts, AbsentPiecesCountAsEmpty) {
  EXPECT_EQ(joinTexts("", "12"), "12");
  EXPECT_EQ(joinTexts("12", ""), "12");
  EXPECT_EQ(joinTexts("", ""), "");
  EXPECT_EQ(joinTexts("1", "2"), "12");
}

struct ParseCase {
  std::string text;
  double number;
};

class TextToNumberTable : public ::testing::TestWithParam<ParseCase> {};

TEST_P(TextToNumberTable, GivesTheNumber) {
  const auto& c = GetParam();
  const double got = textToNumber(c.text);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(c.number))
      << "text \"" << c.text << "\" gave " << got << ", expected " << c.number;
}

INSTANTIATE_TEST_SUITE_P(Cases, TextToNumberTable, ::testing::Values(
    ParseCase{"389.44732", 389.44732},
    ParseCase{"  12.5abc", 12.5},
    ParseCase{"\t\r\n-7", -7},
    ParseCase{"\v\f 3", 3},
    ParseCase{"1,234", 1},
    ParseCase{"1.2.3", 1.2},
    ParseCase{".5", 0.5},
    ParseCase{"5.", 5},
    ParseCase{"+.5e1", 5},
    ParseCase{"1e5", 100000}, ParseCase{"1E+05", 100000}, ParseCase{"1d5", 100000},
    ParseCase{"1D-2", 0.01},
    ParseCase{"1e", 1}, ParseCase{"1e+", 1}, ParseCase{"1e-x", 1},
    ParseCase{"1+5", 1}, ParseCase{"12-3", 12},
    ParseCase{"00012", 12},
    ParseCase{"1.5e3.2", 1500},
    ParseCase{"0x1A", 0},
    ParseCase{"", 0}, ParseCase{"   ", 0}, ParseCase{"abc", 0}, ParseCase{"-", 0},
    ParseCase{".", 0}, ParseCase{"e5", 0}, ParseCase{"-.e1", 0}, ParseCase{"- 1", 0},
    ParseCase{"\xa3\xb1\xa3\xb2\xa3\xb3\xa3\xae\xa3\xb5", 123.5},      // full-width 123.5
    ParseCase{"\xa1\xa1\xa3\xad\xa3\xb1\xa3\xb2", -12},                 // ideographic space, -12
    ParseCase{"\xa3\xb1\xa3\xae\xa3\xb5\xa3\xc5\xa3\xb3", 1500},        // full-width 1.5E3
    ParseCase{"\xa3\xb1\xa3\xae\xa3\xb5\xa3\xe4\xa3\xb3", 1500},        // full-width 1.5d3
    ParseCase{"1\xa1\xa1" "2", 1},                                      // ideographic space inside
    ParseCase{"\xa3\xa4" "12", 0},                                      // full-width yen sign
    ParseCase{"\xa1\xe7" "12", 0},                                      // full-width dollar sign stays
    ParseCase{"\xa3\xab\xa3\xb7", 7},                                   // full-width plus
    ParseCase{"7\xa3", 7},                                              // lone lead byte at the end
    ParseCase{"\xa3" "7", 0},                                           // lead byte takes the digit
    ParseCase{"1e999", kInf}, ParseCase{"-1e999", -kInf},
    ParseCase{"1e-999", 0.0}, ParseCase{"-1e-999", -0.0},
    ParseCase{"1e-99999999999999999999", 0.0}, ParseCase{"1e99999999999999999999", kInf},
    ParseCase{std::string(400, '7') + "e-99999999999", 0.0},   // a wide mantissa, a vast exponent
    ParseCase{"0." + std::string(400, '0') + "1e99999999999", kInf},
    ParseCase{"-0", -0.0}, ParseCase{"-0.000", -0.0},
    ParseCase{"1.#INF", 1}, ParseCase{"-1.#IND", -1},
    ParseCase{"9007199254740995", 9007199254740994.0},   // tie toward zero
    ParseCase{"9007199254740997", 9007199254740996.0},   // tie, already toward zero
    ParseCase{"9007199254740993", 9007199254740992.0},
    ParseCase{"-9007199254740995", -9007199254740994.0},
    ParseCase{"9007199254740995.0000000000000000001", 9007199254740996.0},  // just above halfway
    ParseCase{"18014398509481990", 18014398509481988.0},
    ParseCase{"7e22", 69999999999999995805696.0},       // 7e22 lies exactly halfway
    ParseCase{"4.337048829479e+017", 433704882947899968.0},  // halfway, as a text of 13 digits
    ParseCase{"4.9406564584124654e-324", 4.9406564584124654e-324},  // smallest subnormal
    ParseCase{"2.4703282292062327e-324", 0.0},          // just below half of it
    ParseCase{"2.4703282292062328e-324", 4.9406564584124654e-324},
    ParseCase{"1.7976931348623157e308", 1.7976931348623157e308},
    ParseCase{"1.7976931348623158e308", 1.7976931348623157e308},
    ParseCase{"179769313486231580793728971405303415079934132710037826936173778980444968"
              "292764750946649017977587207096330286416692887910946555547851940402630657"
              "488671505820681908902000708383676273854845817711531764475730270069855571"
              "366959622842914819860834936475292719074168444365510704342711559699508093"
              "042880177904174497792",
              1.7976931348623157e308},                  // halfway to 2^1024: the largest double
    ParseCase{"1.7976931348623158079372897140531e308", kInf},
    ParseCase{"0.000000000000000000000000000000000000000000000000001", 1e-51},
    ParseCase{"1" + std::string(400, '0') + "e-400", 1}));

TEST(TextToNumber, ReadsNumberTextsBackAsTheDecimalTheyShow) {
  EXPECT_EQ(numberToText(216.51794063426755), "216.5179406343");
  EXPECT_EQ(textToNumber("216.5179406343"), 216.5179406343);
}

struct FormatCase {
  double number;
  std::string text;
};

class NumberToTextTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(NumberToTextTable, GivesTheText) {
  EXPECT_EQ(numberToText(GetParam().number), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, NumberToTextTable, ::testing::Values(
    FormatCase{389.44732, "389.44732"},
    FormatCase{1.0 / 3, "0.3333333333333"},
    FormatCase{2.0 / 3, "0.6666666666667"},
    FormatCase{100, "100"},
    FormatCase{0.1 + 0.2, "0.3"},
    FormatCase{214.352761227957, "214.352761228"},
    FormatCase{1234567890123, "1234567890123"},
    FormatCase{9999999999999.4, "9999999999999"},
    FormatCase{9999999999999.5, "1e+013"},
    FormatCase{10000000000000, "1e+013"},
    FormatCase{12345678901234, "1.234567890123e+013"},
    FormatCase{1e20, "1e+020"},
    FormatCase{1.5e300, "1.5e+300"},
    FormatCase{1.7976931348623157e308, "1.797693134862e+308"},
    FormatCase{0.0001, "0.0001"},
    FormatCase{0.00012345678901234, "0.0001234567890123"},
    FormatCase{0.000099999999999995, "0.0001"},
    FormatCase{0.00001, "1e-005"},
    FormatCase{0.000015, "1.5e-005"},
    FormatCase{99.99999999999995, "100"},
    FormatCase{123456.7890123456, "123456.7890123"},
    FormatCase{-2.5, "-2.5"},
    FormatCase{0.0, "0"}, FormatCase{-0.0, "0"},
    FormatCase{1.0000000000045, "1.000000000005"},
    FormatCase{39943.703785045, "39943.70378505"},
    FormatCase{4.9406564584124654e-324, "4.940656458412e-324"},
    FormatCase{1200.5, "1200.5"},
    FormatCase{-1e-5, "-1e-005"},
    FormatCase{1e100, "1e+100"},
    FormatCase{kInf, "1.#INF"},
    FormatCase{-kInf, "-1.#INF"}));

TEST(NumberToText, NotANumberForms) {
  const double indefinite = kInf * 0.0;  // the invalid-operation NaN
  EXPECT_EQ(numberToText(indefinite), "-1.#IND");
  EXPECT_EQ(numberToText(kInf - kInf), "-1.#IND");
  EXPECT_EQ(numberToText(std::bit_cast<double>(std::uint64_t{0x7FF8000000000000})), "1.#QNAN");
  EXPECT_EQ(numberToText(std::bit_cast<double>(std::uint64_t{0xFFF8000000000001})), "-1.#QNAN");
  EXPECT_EQ(numberToText(std::bit_cast<double>(std::uint64_t{0x7FF0000000000001})), "1.#QNAN");
}

// The digits 14 to 17 read 4999 and the 18th is 5 or more: the first rounding
// step carries, and the second rounds the 13 digits up.
TEST(NumberToText, RoundsTwiceHalfUp) {
  // The double nearest 0.11032601080075 has the digits 1103260108007 4999 62...
  const double x = 0.11032601080075;
  EXPECT_EQ(numberToText(x), "0.1103260108008");
  // One rounding of the exact value would give ...123 here.
  char once[64];
  const auto r = std::to_chars(once, once + sizeof once, x, std::chars_format::general, 13);
  EXPECT_EQ(std::string(once, r.ptr), "0.1103260108007");
}

// Properties over pseudo-random doubles of every magnitude.
class RandomDoubles : public ::testing::Test {
 protected:
  std::mt19937_64 random{20261211};
  double next() {
    for (;;) {
      const double d = std::bit_cast<double>(random());
      if (std::isfinite(d) && d != 0) return d;
    }
  }
};

int significantDigits(const std::string& text) {
  int count = 0;
  bool leading = true;
  for (char c : text) {
    if (c == 'e') break;
    if (c < '0' || c > '9') continue;
    if (leading && c == '0') continue;
    leading = false;
    ++count;
  }
  return count;
}

// Below 2^53 a text of 13 digits never lies exactly halfway between doubles,
// so the standard library's reading (ties to even) is the reference there.
TEST_F(RandomDoubles, TextsHaveAtMost13DigitsAndReadBackToTheNearestDouble) {
  for (int i = 0; i < 200000; ++i) {
    const double d = std::fmod(next(), 9007199254740992.0);
    if (d == 0) continue;
    const std::string text = numberToText(d);
    ASSERT_LE(significantDigits(text), 13) << text;
    // The text read back is the double nearest to the decimal it shows.
    std::string standard = text;
    if (auto e = standard.find('e'); e != std::string::npos && standard[e + 1] == '+')
      standard.erase(e + 1, 1);
    double expected = 0;
    std::from_chars(standard.data() + (standard[0] == '-'), standard.data() + standard.size(), expected);
    if (standard[0] == '-') expected = -expected;
    ASSERT_EQ(textToNumber(text), expected) << text;
    // And within half a unit of the 13th digit of the original double.
    ASSERT_LE(std::fabs(textToNumber(text) - d), std::fabs(d) * 5.0000001e-13) << text;
  }
}

TEST_F(RandomDoubles, SeventeenDigitTextsReadBackExactly) {
  char buffer[64];
  for (int i = 0; i < 200000; ++i) {
    const double d = next();
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, d, std::chars_format::scientific, 16);
    const std::string text(buffer, r.ptr);
    ASSERT_EQ(textToNumber(text), d) << text;
  }
}

TEST_F(RandomDoubles, ExactMidpointsGoTowardZero) {
  char buffer[1200];
  for (int i = 0; i < 5000; ++i) {
    const double d = std::fabs(next());
    const double above = std::nextafter(d, kInf);
    if (!std::isfinite(above)) continue;
    // The exact midpoint printed in full, as a long double has room for it.
    const long double mid = (static_cast<long double>(d) + above) / 2;
    if (static_cast<double>(mid) != d && static_cast<double>(mid) != above) continue;
    auto r = std::to_chars(buffer, buffer + sizeof buffer, mid, std::chars_format::scientific, 1100);
    const std::string text(buffer, r.ptr);
    ASSERT_EQ(textToNumber(text), d) << text;
  }
}

// The slow exact references (tests/reference) agree in this build too, which
// matters under Windows, where the standard library's conversions are another
// build of them. Texts of 17 to 20 digits ending in 5 lie near, and at times
// exactly on, the midpoint of two doubles.
TEST_F(RandomDoubles, AgreeWithTheExactReferences) {
  char buffer[64];
  for (int i = 0; i < 3000; ++i) {
    const double d = next();
    ASSERT_EQ(numberToText(d), reference::numberToText(d)) << d;
    const int digits = 16 + static_cast<int>(random() % 4);
    auto r = std::to_chars(buffer, buffer + sizeof buffer, d, std::chars_format::scientific, digits);
    std::string text(buffer, r.ptr);
    text.insert(text.find('e'), "5");
    ASSERT_EQ(std::bit_cast<std::uint64_t>(textToNumber(text)),
              std::bit_cast<std::uint64_t>(reference::textToNumber(text)))
        << text;
  }
}

}  // namespace
}  // namespace tolvane
