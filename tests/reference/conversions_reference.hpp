// Slow reference versions of textToNumber and numberToText, written straight
// from the rules with exact integer arithmetic, for fuzzers and tests to
// compare the engine against. They share no code with the engine: the folding
// table, the number grammar, the rounding and the digit generation are all
// written out again here, as plainly as possible.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "natural.hpp"

namespace tolvane::reference {

// ---------------------------------------------------------------------------
// Text to number
// ---------------------------------------------------------------------------

// The full-width folding table, one row per line of it: a lead byte, a range
// of trail bytes, and the ASCII byte the pair becomes.
constexpr int kTrailLess0x80 = -1;
struct FoldRow {
  unsigned lead, trailFrom, trailTo;
  int ascii;
};
constexpr FoldRow kFoldTable[] = {
    {0xA1, 0xA1, 0xA1, 0x20},            // ideographic space
    {0xA1, 0xAB, 0xAB, 0x7E},            // full-width tilde
    {0xA1, 0xEE, 0xEE, 0x2A},            // white star
    {0xA1, 0xEF, 0xEF, 0x2A},            // black star
    {0xA3, 0xA1, 0xA3, kTrailLess0x80},  // full-width forms before the yen sign
    {0xA3, 0xA4, 0xA4, 0x24},            // full-width yen sign
    {0xA3, 0xA5, 0xFD, kTrailLess0x80},  // full-width forms after the yen sign
    {0xA3, 0xFE, 0xFE, 0x7E},            // full-width macron
};

// Step 1: a folded copy of the text.
inline std::string foldFullWidth(std::string_view text) {
  std::string folded;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      folded += text[i];
      continue;
    }
    if (i + 1 == text.size()) break;  // a lead byte at the very end is dropped
    const auto trail = static_cast<unsigned char>(text[i + 1]);
    int ascii = -2;  // not in the table
    for (const FoldRow& row : kFoldTable) {
      if (lead == row.lead && trail >= row.trailFrom && trail <= row.trailTo)
        ascii = row.ascii == kTrailLess0x80 ? trail - 0x80 : row.ascii;
    }
    if (ascii == -2) {
      folded += text[i];
      folded += text[i + 1];
    } else {
      folded += static_cast<char>(ascii);
    }
    ++i;
  }
  return folded;
}

// The parts of the longest prefix of the form [sign] mantissa [exponent].
struct NumberPrefix {
  bool negative = false;
  std::string mantissaDigits;  // integer and fraction digits together, as written
  std::size_t fractionDigits = 0;
  bool exponentNegative = false;
  std::string exponentDigits;  // as written; empty when there is no exponent
};

// Steps 2 and 3; false when the prefix holds no mantissa digit.
inline bool readNumberPrefix(const std::string& s, NumberPrefix& prefix) {
  auto digitAt = [&](std::size_t i) { return i < s.size() && s[i] >= '0' && s[i] <= '9'; };
  auto charAt = [&](std::size_t i) { return i < s.size() ? s[i] : '\0'; };
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\v' ||
                          s[i] == '\f' || s[i] == '\r'))
    ++i;
  if (charAt(i) == '+' || charAt(i) == '-') prefix.negative = s[i++] == '-';
  while (digitAt(i)) prefix.mantissaDigits += s[i++];
  if (charAt(i) == '.') {
    const bool integerDigits = !prefix.mantissaDigits.empty();
    if (integerDigits || digitAt(i + 1)) {
      ++i;
      while (digitAt(i)) {
        prefix.mantissaDigits += s[i++];
        ++prefix.fractionDigits;
      }
    }
  }
  if (prefix.mantissaDigits.empty()) return false;
  const char letter = charAt(i);
  if (letter == 'e' || letter == 'E' || letter == 'd' || letter == 'D') {
    std::size_t j = i + 1;
    bool negative = false;
    if (charAt(j) == '+' || charAt(j) == '-') negative = s[j++] == '-';
    if (digitAt(j)) {
      prefix.exponentNegative = negative;
      while (digitAt(j)) prefix.exponentDigits += s[j++];
    }
  }
  return true;
}

// The double nearest to digits x 10^power (digits without leading zeros, not
// empty), an exact tie going to the smaller magnitude; +infinity beyond the
// largest double.
inline double nearestDouble(const std::string& digits, std::int64_t power) {
  // value = numerator / denominator, exactly.
  Natural numerator = Natural::fromDecimal(digits), denominator(1);
  if (power >= 0) numerator.multiplyByPowerOf(10, static_cast<std::uint64_t>(power));
  else denominator.multiplyByPowerOf(10, static_cast<std::uint64_t>(-power));

  // value = m x 2^e with 2^52 <= m < 2^53, or e = -1074 for subnormals.
  constexpr std::uint64_t kTwoTo52 = std::uint64_t{1} << 52, kTwoTo53 = kTwoTo52 << 1;
  std::int64_t e = static_cast<std::int64_t>(numerator.bitLength()) -
                   static_cast<std::int64_t>(denominator.bitLength()) - 53;
  if (e < -1074) e = -1074;
  for (;;) {
    const SmallQuotient q = e >= 0 ? divide(numerator, denominator.shiftedLeft(static_cast<std::uint64_t>(e)))
                                   : divide(numerator.shiftedLeft(static_cast<std::uint64_t>(-e)), denominator);
    if (q.quotient >= kTwoTo53) {
      ++e;
      continue;
    }
    if (q.quotient < kTwoTo52 && e > -1074) {
      --e;
      continue;
    }
    std::uint64_t m = q.quotient;
    if (q.remainderVersusHalf > 0) ++m;  // more than halfway: up; exactly halfway: stays
    if (m == kTwoTo53) {
      m = kTwoTo52;
      ++e;
    }
    if (e > 1023 - 52) return std::numeric_limits<double>::infinity();
    return std::ldexp(static_cast<double>(m), static_cast<int>(e));
  }
}

inline double textToNumber(std::string_view text) {
  NumberPrefix prefix;
  if (!readNumberPrefix(foldFullWidth(text), prefix)) return 0.0;

  const std::size_t firstNonZero = prefix.mantissaDigits.find_first_not_of('0');
  double magnitude = 0.0;
  if (firstNonZero != std::string::npos) {
    const std::string digits = prefix.mantissaDigits.substr(firstNonZero);
    // An exponent of more than nine digits is beyond any double for a text
    // shorter than 10^8 bytes: a billion decimal places either way.
    const std::size_t exponentStart = prefix.exponentDigits.find_first_not_of('0');
    const std::string exponentText =
        exponentStart == std::string::npos ? "0" : prefix.exponentDigits.substr(exponentStart);
    const bool hugeExponent = exponentText.size() > 9;
    const std::int64_t exponent = hugeExponent ? 0 : std::stoll(exponentText);
    const std::int64_t power = (prefix.exponentNegative ? -exponent : exponent) -
                               static_cast<std::int64_t>(prefix.fractionDigits);
    // The value lies in [10^(top-1), 10^top).
    const std::int64_t top = power + static_cast<std::int64_t>(digits.size());
    if (hugeExponent) {
      magnitude = prefix.exponentNegative ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (top > 310) {
      magnitude = std::numeric_limits<double>::infinity();
    } else if (top < -330) {
      magnitude = 0.0;  // below a quarter of the smallest subnormal
    } else {
      magnitude = nearestDouble(digits, power);
    }
  }
  return prefix.negative ? -magnitude : magnitude;
}

// ---------------------------------------------------------------------------
// Number to text
// ---------------------------------------------------------------------------

// Rounds the first `keep` digits half up by the next one (digits must be
// longer than `keep`). A carry out of the first digit gives "1" and zeros and
// raises the decimal exponent.
inline std::string roundHalfUp(const std::string& digits, std::size_t keep, std::int64_t& exponent) {
  std::string kept = digits.substr(0, keep);
  if (digits[keep] < '5') return kept;
  for (std::size_t i = keep; i-- > 0;) {
    if (kept[i] != '9') {
      ++kept[i];
      return kept;
    }
    kept[i] = '0';
  }
  ++exponent;
  return "1" + std::string(keep - 1, '0');
}

inline std::string withoutTrailingZeros(std::string digits) {
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  return digits;
}

inline std::string paddedTo(std::string digits, std::size_t length) {
  if (digits.size() < length) digits.append(length - digits.size(), '0');
  return digits;
}

// Removes zeros at the end of the fraction, then a "." with nothing after it.
inline std::string trimmedFraction(std::string text) {
  if (text.find('.') == std::string::npos) return text;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

inline std::string numberToText(double number) {
  const auto bits = std::bit_cast<std::uint64_t>(number);
  const bool signBit = bits >> 63;
  const auto biasedExponent = static_cast<std::int64_t>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);

  if (biasedExponent == 0x7FF && fraction == 0) return signBit ? "-1.#INF" : "1.#INF";
  if (biasedExponent == 0x7FF) {
    const bool quietBit = (fraction >> 51) & 1;
    const bool otherFractionBits = (fraction & ((std::uint64_t{1} << 51) - 1)) != 0;
    if (signBit && quietBit && !otherFractionBits) return "-1.#IND";
    return signBit ? "-1.#QNAN" : "1.#QNAN";
  }
  if (biasedExponent == 0 && fraction == 0) return "0";

  // |number| = m x 2^e exactly.
  const std::uint64_t m = biasedExponent == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
  const std::int64_t e = biasedExponent == 0 ? -1074 : biasedExponent - 1075;

  // Its exact decimal expansion: |number| = 0.digits x 10^exponent, as
  // m x 2^e when e >= 0, and m x 5^-e / 10^-e otherwise.
  Natural exact(m);
  std::int64_t scale = 0;
  if (e >= 0) {
    exact = exact.shiftedLeft(static_cast<std::uint64_t>(e));
  } else {
    exact.multiplyByPowerOf(5, static_cast<std::uint64_t>(-e));
    scale = -e;
  }
  const std::string digits = exact.toDecimal();
  std::int64_t exponent = static_cast<std::int64_t>(digits.size()) - scale;

  const std::string d17 = withoutTrailingZeros(roundHalfUp(paddedTo(digits, 18), 17, exponent));
  const std::string d13 = roundHalfUp(paddedTo(d17, 14), 13, exponent);
  const std::int64_t x = exponent - 1;

  std::string text;
  if (x < -4 || x >= 13) {
    const std::string magnitude = std::to_string(x < 0 ? -x : x);
    text = d13.substr(0, 1) + "." + d13.substr(1) + "e" + (x < 0 ? "-" : "+") +
           std::string(magnitude.size() < 3 ? 3 - magnitude.size() : 0, '0') + magnitude;
    const std::size_t letter = text.find('e');
    text = trimmedFraction(text.substr(0, letter)) + text.substr(letter);
  } else if (exponent >= 1) {
    const auto integerDigits = static_cast<std::size_t>(exponent);
    text = trimmedFraction(d13.substr(0, integerDigits) + "." + d13.substr(integerDigits));
  } else {
    text = trimmedFraction("0." + std::string(static_cast<std::size_t>(-exponent), '0') + d13);
  }
  return signBit ? "-" + text : text;
}

// What is wrong with the form of a text that numberToText gave, "" when
// nothing: the special forms, "0", or at most 13 significant digits in the
// fixed form for decimal exponents -4 to 12 and in the exponent form (with at
// least three exponent digits) otherwise, with no zero at the end of a fraction.
inline std::string numberTextFault(std::string_view text) {
  for (std::string_view special : {"1.#INF", "-1.#INF", "-1.#IND", "1.#QNAN", "-1.#QNAN", "0"})
    if (text == special) return "";
  auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);

  const std::size_t letter = text.find('e');
  const std::string_view mantissa = text.substr(0, letter);
  const std::size_t point = mantissa.find('.');
  const std::string_view integer = mantissa.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? "" : mantissa.substr(point + 1);
  if (integer.empty() || integer.find_first_not_of("0123456789") != std::string_view::npos)
    return "integer part is not digits";
  if (fraction.find_first_not_of("0123456789") != std::string_view::npos) return "fraction is not digits";
  if (point != std::string_view::npos && (fraction.empty() || fraction.back() == '0'))
    return "fraction is empty or ends with a zero";
  if (integer.size() > 1 && integer.front() == '0') return "integer part has a leading zero";

  const std::string allDigits = std::string(integer) + std::string(fraction);
  const std::size_t first = allDigits.find_first_not_of('0');
  if (first == std::string::npos) return "no significant digit";
  if (allDigits.size() - first > 13) return "more than 13 significant digits";

  std::int64_t decimalExponent = 0;  // of the first significant digit
  if (letter != std::string_view::npos) {
    const std::string_view exponent = text.substr(letter + 1);
    if (integer.size() != 1 || integer == "0") return "exponent form needs one leading digit 1 to 9";
    if (exponent.size() < 4 || (exponent[0] != '+' && exponent[0] != '-')) return "exponent needs a sign and three digits";
    const std::string_view magnitude = exponent.substr(1);
    for (char c : magnitude)
      if (!isDigit(c)) return "exponent is not digits";
    if (magnitude.size() > 3 && magnitude[0] == '0') return "exponent has more than three digits with a leading zero";
    decimalExponent = std::stoll(std::string(magnitude)) * (exponent[0] == '-' ? -1 : 1);
    if (decimalExponent >= -4 && decimalExponent < 13) return "exponent form for an exponent of the fixed form";
  } else {
    decimalExponent = integer != "0" ? static_cast<std::int64_t>(integer.size()) - 1
                                     : -static_cast<std::int64_t>(first - integer.size()) - 1;
    if (decimalExponent < -4 || decimalExponent >= 13) return "fixed form for an exponent of the exponent form";
  }
  return "";
}

}  // namespace tolvane::reference
