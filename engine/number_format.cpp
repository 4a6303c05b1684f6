// numberToText: a double as a text of at most 13 significant digits.
//
// The digits come from the exact decimal value in two half-up steps: the first
// 18 digits rounded to 17 (D17), then D17 alone rounded to 13 (D13). The exact
// digits come from std::to_chars, so the text depends on neither the C
// runtime's printf nor the locale.
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text.hpp"

namespace tolvane {
namespace {

constexpr int kShownDigits = 13;

// Significant digits of a positive finite double with x = 0.d1d2... x 10^power.
struct Digits {
  std::array<char, 18> digit;  // '0' to '9'
  int power;
};

// The digits and exponent that to_chars writes in scientific form, with
// `count` significant digits, rounded.
Digits scientificDigits(double x, std::array<char, 800>& buffer, int count) {
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                                    std::chars_format::scientific, count - 1);
  Digits d{};
  int taken = 0;
  const char* p = buffer.data();
  for (; p < result.ptr && *p != 'e'; ++p) {
    if (*p != '.' && taken < 18) d.digit[taken++] = *p;
  }
  // to_chars writes no terminating zero: read the exponent within its bounds.
  const char* exponent = p + 1 + (p[1] == '+');
  std::from_chars(exponent, result.ptr, d.power);
  ++d.power;
  return d;
}

// An upper bound on the number of significant digits of x's exact decimal
// expansion: x = m x 2^e with odd m has log10(m x 2^e) digits when e >= 0,
// and those of m x 5^-e when e < 0.
int exactDigitsBound(double x) {
  int binaryExponent = 0;
  auto m = static_cast<std::uint64_t>(std::ldexp(std::frexp(x, &binaryExponent), 53));
  binaryExponent -= 53;
  const int zeros = std::countr_zero(m);
  m >>= zeros;
  binaryExponent += zeros;
  constexpr double kLog10Of2 = 0.30103, kLog10Of5 = 0.69898;
  const double bits = std::bit_width(m);
  const double digits = binaryExponent >= 0 ? (bits + binaryExponent) * kLog10Of2
                                            : bits * kLog10Of2 - binaryExponent * kLog10Of5;
  return static_cast<int>(digits) + 1;
}

// The first 18 significant digits of x, cut (not rounded) from its exact value.
Digits first18Digits(double x) {
  std::array<char, 800> buffer;
  // Twenty digits rounded give the first eighteen cut, unless rounding at the
  // twentieth carried into the eighteenth: then digits 19 and 20 read "00",
  // and x has more than twenty digits.
  constexpr int kRoundedDigits = 20;
  Digits d = scientificDigits(x, buffer, kRoundedDigits);
  const bool zerosAt19And20 = buffer[19] == '0' && buffer[20] == '0';  // "d.ddd...": digit i at i
  if (!zerosAt19And20 || exactDigitsBound(x) <= kRoundedDigits) return d;
  // A double has at most 767 significant digits: this many show it exactly.
  constexpr int kExactDigits = 770;
  return scientificDigits(x, buffer, kExactDigits);
}

// Rounds digit[0..count) half up by digit[count]; a carry out of the first
// digit leaves "1" and zeros and raises the power.
void roundHalfUp(Digits& d, int count) {
  const bool up = d.digit[count] >= '5';
  for (int i = count; i < 18; ++i) d.digit[i] = '0';
  if (!up) return;
  for (int i = count - 1; i >= 0; --i) {
    if (d.digit[i] != '9') {
      ++d.digit[i];
      return;
    }
    d.digit[i] = '0';
  }
  d.digit[0] = '1';
  ++d.power;
}

std::string_view withoutTrailingZeros(std::string_view digits) {
  return digits.substr(0, digits.find_last_not_of('0') + 1);
}

Text exponentForm(const Digits& d) {
  const std::string_view shown = withoutTrailingZeros({d.digit.data(), kShownDigits});
  Text text(1, shown[0]);
  if (shown.size() > 1) text.append(".").append(shown.substr(1));
  const int x = d.power - 1;
  text += x < 0 ? "e-" : "e+";
  const std::string magnitude = std::to_string(std::abs(x));
  text.append(magnitude.size() < 3 ? 3 - magnitude.size() : 0, '0').append(magnitude);
  return text;
}

Text fixedForm(const Digits& d) {
  const std::string_view all{d.digit.data(), kShownDigits};
  Text text;
  if (d.power >= 1) {
    text.append(all.substr(0, static_cast<std::size_t>(d.power)));
    const std::string_view fraction = withoutTrailingZeros(all.substr(static_cast<std::size_t>(d.power)));
    if (!fraction.empty()) text.append(".").append(fraction);
  } else {
    text.append("0.").append(static_cast<std::size_t>(-d.power), '0').append(withoutTrailingZeros(all));
  }
  return text;
}

Text notANumberText(double number) {
  const auto bits = std::bit_cast<std::uint64_t>(number);
  // The NaN of an invalid operation (such as infinity times zero): sign and quiet bit only.
  constexpr std::uint64_t kIndefinite = 0xFFF8'0000'0000'0000;
  if (bits == kIndefinite) return "-1.#IND";
  return std::signbit(number) ? "-1.#QNAN" : "1.#QNAN";
}

}  // namespace

Text numberToText(double number) {
  if (std::isnan(number)) return notANumberText(number);
  if (std::isinf(number)) return number > 0 ? "1.#INF" : "-1.#INF";
  if (number == 0) return "0";

  Digits d = first18Digits(std::fabs(number));
  roundHalfUp(d, 17);
  roundHalfUp(d, kShownDigits);
  const int x = d.power - 1;
  Text text = (x < -4 || x >= kShownDigits) ? exponentForm(d) : fixedForm(d);
  return std::signbit(number) ? "-" + text : text;
}

}  // namespace tolvane
