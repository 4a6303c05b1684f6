#include "short_number.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace tolvane {
namespace {

constexpr int kSignificantDigits = 6;

// A positive number as 0.digits x 10^exponent (the first digit stands for
// 10^(exponent - 1)).
struct DecimalDigits {
  std::string digits;
  int exponent;
};

// The first seven significant digits of the exact value of a positive float,
// rounded half up to six by the seventh.
DecimalDigits roundToSixDigits(float value) {
  // Every float is exactly representable as a double, and 120 digits hold the
  // exact decimal value of any float, so these digits are exact, not rounded.
  char buffer[160];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                    std::chars_format::scientific, 120);
  const std::string_view exact(buffer, static_cast<size_t>(result.ptr - buffer));
  const size_t e = exact.find('e');
  std::string digits(1, exact[0]);
  digits.append(exact.substr(2, e - 2));
  int exponent = std::atoi(std::string(exact.substr(e + 1)).c_str()) + 1;

  const bool roundUp = digits[kSignificantDigits] >= '5';
  digits.resize(kSignificantDigits);
  if (roundUp) {
    int i = kSignificantDigits - 1;
    while (i >= 0 && digits[static_cast<size_t>(i)] == '9') digits[static_cast<size_t>(i--)] = '0';
    if (i < 0) {  // 999999.5 became 1000000
      digits.insert(digits.begin(), '1');
      digits.pop_back();
      ++exponent;
    } else {
      ++digits[static_cast<size_t>(i)];
    }
  }
  return {digits, exponent};
}

void dropTrailingZeros(std::string& mantissa) {
  if (mantissa.find('.') == std::string::npos) return;
  mantissa.erase(mantissa.find_last_not_of('0') + 1);
  if (mantissa.back() == '.') mantissa.pop_back();
}

std::string formatted(const DecimalDigits& number) {
  const int x = number.exponent - 1;  // decimal exponent of the first digit
  const std::string& d = number.digits;
  std::string text;
  if (x < -4 || x >= kSignificantDigits) {
    text.append(d, 0, 1).append(".").append(d, 1);
    dropTrailingZeros(text);
    std::string power = std::to_string(std::abs(x));
    if (power.size() < 3) power.insert(0, 3 - power.size(), '0');
    return text.append(x < 0 ? "e-" : "e+").append(power);
  }
  if (number.exponent >= 1) {
    const auto whole = static_cast<size_t>(number.exponent);
    text.append(d, 0, whole).append(".").append(d, whole);
  } else {
    text.append("0.").append(static_cast<size_t>(-number.exponent), '0').append(d);
  }
  dropTrailingZeros(text);
  return text;
}

}  // namespace

Text shortNumberText(std::string_view text) {
  const float single = static_cast<float>(readDecimalNumber(text));
  if (single == 0) return "";
  Text shortened = std::signbit(single) ? "-" : "";
  if (std::isinf(single)) return shortened.append("1.#INF");
  return shortened.append(formatted(roundToSixDigits(std::fabs(single))));
}

}  // namespace tolvane
