// numberToText: a double as a text of at most 13 significant digits.
//
// The digits come from the exact decimal value in two half-up steps: the first
// 18 digits rounded to 17 (D17), then D17 alone rounded to 13 (D13). The exact
// digits come from std::to_chars, so the text depends on neither the C
// runtime's printf nor the locale.
#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "text.hpp"

namespace tolvane {
namespace {

constexpr int kShownDigits = 13;

// Significant digits of a positive finite double: x = 0.d1d2...d18 x 10^power.
struct Digits {
  std::array<char, 18> digit;  // '0' to '9'
  int power;
};

// The first 18 of `count` significant digits that to_chars writes in
// scientific form ("d.ddd...e+xx"), rounded at the last of them.
template <std::size_t N>
Digits scientificDigits(double x, std::array<char, N>& buffer, int count) {
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                                    std::chars_format::scientific, count - 1);
  Digits d;
  d.digit[0] = buffer[0];
  std::copy_n(buffer.data() + 2, d.digit.size() - 1, d.digit.data() + 1);
  // to_chars writes no terminating zero: read the exponent within its bounds.
  const char* exponent = buffer.data() + count + 2;  // just after the 'e'
  exponent += *exponent == '+';
  std::from_chars(exponent, result.ptr, d.power);
  ++d.power;
  return d;
}

// An upper bound on the number of significant digits of x's exact decimal
// expansion: x = m x 2^e with odd m has about log10(m x 2^e) digits when
// e >= 0, and those of m x 5^-e when e < 0.
int exactDigitsBound(double x) {
  const auto bits = std::bit_cast<std::uint64_t>(x);
  const int biased = static_cast<int>(bits >> 52);
  std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
  int e = -1074;
  if (biased != 0) {
    m |= std::uint64_t{1} << 52;
    e = biased - 1075;
  }
  const int zeros = std::countr_zero(m);
  m >>= zeros;
  e += zeros;
  constexpr double kLog10Of2 = 0.30103, kLog10Of5 = 0.69898;
  const double width = std::bit_width(m);
  const double digits = e >= 0 ? (width + e) * kLog10Of2 : width * kLog10Of2 - e * kLog10Of5;
  return static_cast<int>(digits) + 1;
}

// The first 18 significant digits of x, cut (not rounded) from its exact value.
Digits first18Digits(double x) {
  // Twenty digits rounded give the first eighteen cut, unless rounding at the
  // twentieth carried into the eighteenth: then digits 19 and 20 read "00",
  // and x has more than twenty digits.
  constexpr int kRoundedDigits = 20;
  std::array<char, 32> buffer;
  const Digits d = scientificDigits(x, buffer, kRoundedDigits);
  const bool zerosAt19And20 = buffer[19] == '0' && buffer[20] == '0';  // digit i sits at i
  if (!zerosAt19And20 || exactDigitsBound(x) <= kRoundedDigits) return d;
  // A double has at most 767 significant digits: this many show it exactly.
  constexpr int kExactDigits = 770;
  std::array<char, 800> exact;
  return scientificDigits(x, exact, kExactDigits);
}

// Rounds digit[0..count) half up by digit[count] and clears the rest; a carry
// out of the first digit leaves "1" and zeros and raises the power.
void roundHalfUp(Digits& d, int count) {
  const bool up = d.digit[count] >= '5';
  std::fill(d.digit.begin() + count, d.digit.end(), '0');
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

// Writes the text into out, returns its end. The longest is
// "-0.0000" + 13 digits, or "-d." + 12 digits + "e-324".
char* format(const Digits& d, bool negative, char* out) {
  int shown = kShownDigits;
  while (d.digit[shown - 1] == '0') --shown;  // digit[0] is never 0
  if (negative) *out++ = '-';
  const int x = d.power - 1;
  if (x < -4 || x >= kShownDigits) {
    *out++ = d.digit[0];
    if (shown > 1) {
      *out++ = '.';
      out = std::copy_n(d.digit.data() + 1, shown - 1, out);
    }
    *out++ = 'e';
    *out++ = x < 0 ? '-' : '+';
    const int magnitude = x < 0 ? -x : x;
    *out++ = static_cast<char>('0' + magnitude / 100);
    *out++ = static_cast<char>('0' + magnitude / 10 % 10);
    *out++ = static_cast<char>('0' + magnitude % 10);
  } else if (d.power >= 1) {
    out = std::copy_n(d.digit.data(), d.power, out);
    if (shown > d.power) {
      *out++ = '.';
      out = std::copy_n(d.digit.data() + d.power, shown - d.power, out);
    }
  } else {
    *out++ = '0';
    *out++ = '.';
    out = std::fill_n(out, -d.power, '0');
    out = std::copy_n(d.digit.data(), shown, out);
  }
  return out;
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
  char text[32];
  const char* end = format(d, std::signbit(number), text);
  return Text(static_cast<const char*>(text), end);
}

}  // namespace tolvane
