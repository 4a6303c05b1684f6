// The reference conversions are the oracle of the fuzzers, so they are held
// to the worked examples themselves, independently of the engine.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <string>

#include "conversions_reference.hpp"

namespace tolvane::reference {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

std::uint64_t bitsOf(double d) { return std::bit_cast<std::uint64_t>(d); }

TEST(ReferenceTextToNumber, ReadsTheWorkedExamples) {
  const struct {
    std::string text;
    double number;
  } cases[] = {
      {"389.44732", 389.44732}, {"  12.5abc", 12.5}, {"\t\r\n-7", -7}, {"1,234", 1},
      {"1.2.3", 1.2}, {".5", 0.5}, {"5.", 5}, {"+.5e1", 5}, {"1E+05", 100000}, {"1d5", 100000},
      {"1D-2", 0.01}, {"1e", 1}, {"1e+", 1}, {"1+5", 1}, {"12-3", 12}, {"00012", 12},
      {"1.5e3.2", 1500}, {"0x1A", 0}, {"", 0}, {"-", 0}, {".", 0}, {"e5", 0},
      {"\xa3\xb1\xa3\xb2\xa3\xb3\xa3\xae\xa3\xb5", 123.5},
      {"\xa1\xa1\xa3\xad\xa3\xb1\xa3\xb2", -12},
      {"\xa3\xb1\xa3\xae\xa3\xb5\xa3\xc5\xa3\xb3", 1500},
      {"1\xa1\xa1" "2", 1}, {"\xa3\xa4" "12", 0}, {"\xa1\xe7" "12", 0}, {"7\xa3", 7},
      {"1e999", kInf}, {"-1e999", -kInf}, {"1e-999", 0.0}, {"-1e-999", -0.0}, {"-0", -0.0},
      {"1e99999999999999999999", kInf}, {"1e-99999999999999999999", 0.0},
      {std::string(400, '7') + "e-99999999999", 0.0}, {"0." + std::string(400, '0') + "1e99999999999", kInf},
      {"1.#INF", 1}, {"-1.#IND", -1},
      {"9007199254740995", 9007199254740994.0}, {"9007199254740993", 9007199254740992.0},
      {"9007199254740995.0000000000000000001", 9007199254740996.0},
      {"7e22", 69999999999999995805696.0},
      {"4.9406564584124654e-324", 4.9406564584124654e-324},
      {"2.4703282292062327e-324", 0.0}, {"2.4703282292062328e-324", 4.9406564584124654e-324},
      {"2.2250738585072011e-308", 2.2250738585072011e-308},
      {"1.7976931348623157e308", 1.7976931348623157e308},
      {"1.7976931348623158079372897140531e308", kInf},
      {"216.5179406343", 216.5179406343},
  };
  for (const auto& c : cases)
    EXPECT_EQ(bitsOf(textToNumber(c.text)), bitsOf(c.number)) << '"' << c.text << '"';
}

TEST(ReferenceNumberToText, WritesTheWorkedExamples) {
  const struct {
    double number;
    std::string text;
  } cases[] = {
      {389.44732, "389.44732"}, {1.0 / 3, "0.3333333333333"}, {2.0 / 3, "0.6666666666667"},
      {100, "100"}, {0.1 + 0.2, "0.3"}, {214.352761227957, "214.352761228"},
      {1234567890123, "1234567890123"}, {9999999999999.4, "9999999999999"},
      {9999999999999.5, "1e+013"}, {12345678901234, "1.234567890123e+013"}, {1e20, "1e+020"},
      {1.5e300, "1.5e+300"}, {1.7976931348623157e308, "1.797693134862e+308"},
      {0.0001, "0.0001"}, {0.00012345678901234, "0.0001234567890123"},
      {0.000099999999999995, "0.0001"}, {0.00001, "1e-005"}, {0.000015, "1.5e-005"},
      {99.99999999999995, "100"}, {123456.7890123456, "123456.7890123"}, {-2.5, "-2.5"},
      {0.0, "0"}, {-0.0, "0"}, {1.0000000000045, "1.000000000005"},
      {39943.703785045, "39943.70378505"}, {0.11032601080075, "0.1103260108008"},
      {4.9406564584124654e-324, "4.940656458412e-324"},
      {kInf, "1.#INF"}, {-kInf, "-1.#INF"}, {kInf * 0.0, "-1.#IND"},
      {std::bit_cast<double>(std::uint64_t{0x7FF8000000000000}), "1.#QNAN"},
      {std::bit_cast<double>(std::uint64_t{0xFFF8000000000001}), "-1.#QNAN"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(numberToText(c.number), c.text);
    EXPECT_EQ(numberTextFault(numberToText(c.number)), "") << c.text;
  }
}

TEST(ReferenceNumberTextFault, RejectsMalformedTexts) {
  for (const char* bad : {"", "-", "1e+13", "1e+0013", "1.50", "1.", "0.00001", "01",
                          "12345678901234", "1.2345678901234e+020", "1.5e-003", "10e+020", "1.#QNANx"})
    EXPECT_NE(numberTextFault(bad), "") << '"' << bad << '"';
}

}  // namespace
}  // namespace tolvane::reference
