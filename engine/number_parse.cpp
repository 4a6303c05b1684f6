// textToNumber: the number at the start of a text.
//
// The text is walked as folded bytes (full-width forms read as ASCII), the
// longest prefix of the form  [sign] mantissa [exponent]  is taken, and its
// decimal value D x 10^q is rounded by std::from_chars, which rounds correctly
// but sends an exact tie to the even neighbour. This system sends an exact tie
// to the smaller magnitude, so ties are then recognised exactly and corrected.
#include <bit>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

#include "big_unsigned.hpp"
#include "text.hpp"

namespace tolvane {
namespace {

// Two-byte GBK characters that read as one ASCII byte; the first match wins.
struct FullWidthFold {
  unsigned char lead, trailFirst, trailLast;
  unsigned char ascii;  // kTrailMinus0x80: the second byte less 0x80
};
constexpr unsigned char kTrailMinus0x80 = 0;
constexpr FullWidthFold kFullWidthFolds[] = {
    {0xA1, 0xA1, 0xA1, ' '},              // ideographic space
    {0xA1, 0xAB, 0xAB, '~'},              // full-width tilde
    {0xA1, 0xEE, 0xEE, '*'},              // white star
    {0xA1, 0xEF, 0xEF, '*'},              // black star
    {0xA3, 0xA4, 0xA4, '$'},              // full-width yen sign
    {0xA3, 0xFE, 0xFE, '~'},              // full-width macron
    {0xA3, 0xA1, 0xFD, kTrailMinus0x80},  // full-width forms U+FF01 to U+FF5D
};

constexpr int kEnd = -1;
constexpr int kUnfoldedPair = 0x100;  // a two-byte character outside the table

// Reads a text as folded bytes: an ASCII byte as it is, a byte from 0x80 up
// together with the next byte as one pair, a lone lead byte at the end dropped.
class FoldedCursor {
 public:
  explicit FoldedCursor(std::string_view text) : text_(text) {}

  int peek() const {
    if (pos_ >= text_.size()) return kEnd;
    const auto lead = static_cast<unsigned char>(text_[pos_]);
    if (lead < 0x80) return lead;
    if (pos_ + 1 >= text_.size()) return kEnd;
    const auto trail = static_cast<unsigned char>(text_[pos_ + 1]);
    for (const auto& fold : kFullWidthFolds) {
      if (lead == fold.lead && trail >= fold.trailFirst && trail <= fold.trailLast)
        return fold.ascii == kTrailMinus0x80 ? trail - 0x80 : fold.ascii;
    }
    return kUnfoldedPair;
  }

  void advance() { pos_ += static_cast<unsigned char>(text_[pos_]) < 0x80 ? 1 : 2; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

bool isDigit(int c) { return c >= '0' && c <= '9'; }
bool isWhiteSpace(int c) { return c == ' ' || (c >= 0x09 && c <= 0x0D); }
bool isExponentLetter(int c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

// Far beyond any exponent that changes a double's value, small enough never to overflow.
constexpr std::int64_t kExponentLimit = 1'000'000'000;

// The prefix's value as D x 10^q: D its significant digits, without leading
// or trailing zeros ("" for zero).
struct Decimal {
  bool negative = false;
  std::string digits;
  std::int64_t exponent = 0;
};

// Reads "digits" at the cursor into the decimal; returns how many were read.
std::size_t readDigits(FoldedCursor& cursor, std::string& digits) {
  std::size_t count = 0;
  for (int c = cursor.peek(); isDigit(c); c = cursor.peek(), ++count) {
    if (!(digits.empty() && c == '0')) digits.push_back(static_cast<char>(c));
    cursor.advance();
  }
  return count;
}

// The exponent after an exponent letter, if one follows with at least one digit.
bool readExponent(FoldedCursor cursor, FoldedCursor& after, std::int64_t& exponent) {
  cursor.advance();  // the letter
  bool negative = false;
  if (int c = cursor.peek(); c == '+' || c == '-') {
    negative = c == '-';
    cursor.advance();
  }
  if (!isDigit(cursor.peek())) return false;
  exponent = 0;
  for (int c = cursor.peek(); isDigit(c); c = cursor.peek()) {
    if (exponent < kExponentLimit) exponent = exponent * 10 + (c - '0');
    cursor.advance();
  }
  if (negative) exponent = -exponent;
  after = cursor;
  return true;
}

// Returns false when the text holds no mantissa digit.
bool readDecimal(std::string_view text, Decimal& decimal) {
  FoldedCursor cursor(text);
  while (isWhiteSpace(cursor.peek())) cursor.advance();
  if (int c = cursor.peek(); c == '+' || c == '-') {
    decimal.negative = c == '-';
    cursor.advance();
  }
  std::size_t mantissaDigits = readDigits(cursor, decimal.digits);
  std::int64_t fractionDigits = 0;
  if (cursor.peek() == '.') {
    cursor.advance();
    fractionDigits = static_cast<std::int64_t>(readDigits(cursor, decimal.digits));
    mantissaDigits += static_cast<std::size_t>(fractionDigits);
  }
  if (mantissaDigits == 0) return false;

  std::int64_t exponent = 0;
  if (isExponentLetter(cursor.peek())) readExponent(cursor, cursor, exponent);

  std::string& digits = decimal.digits;
  std::size_t significant = digits.find_last_not_of('0') + 1;  // npos + 1 == 0
  const auto trailingZeros = static_cast<std::int64_t>(digits.size() - significant);
  digits.resize(significant);
  decimal.exponent = exponent - fractionDigits + trailingZeros;
  return true;
}

// A double (or +infinity) as m x 2^e with an integer m.
struct BinaryValue {
  std::uint64_t mantissa;
  int exponent;
};

BinaryValue toBinary(std::uint64_t bits) {
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  const int biased = static_cast<int>(bits >> 52);
  if (biased == 0) return {fraction, -1074};
  return {fraction | (std::uint64_t{1} << 52), biased - 1075};
}

// Whether D x 10^q is exactly the midpoint of the positive double (or
// infinity) with these bits and its neighbour toward zero.
bool isTieBelow(std::uint64_t bits, const Decimal& decimal) {
  BinaryValue upper = toBinary(bits), lower = toBinary(bits - 1);
  if (lower.exponent < upper.exponent) {  // upper starts a binade
    upper.mantissa <<= upper.exponent - lower.exponent;
    upper.exponent = lower.exponent;
  }
  // midpoint = (upper + lower) / 2 = M x 2^k
  const std::uint64_t m = upper.mantissa + lower.mantissa;
  const std::int64_t k = upper.exponent - 1;
  const std::int64_t q = decimal.exponent;

  // D x 5^q x 2^q == M x 2^k, with the powers of 5 moved to the side where they are positive.
  BigUnsigned left = BigUnsigned::fromDecimalDigits(decimal.digits);
  BigUnsigned right(m);
  if (q >= 0) left.multiplyByPowerOf5(static_cast<unsigned>(q));
  else right.multiplyByPowerOf5(static_cast<unsigned>(-q));
  if (q > k) left.shiftLeft(static_cast<unsigned>(q - k));
  else right.shiftLeft(static_cast<unsigned>(k - q));
  return left == right;
}

// Whether the decimal can lie exactly halfway between two doubles at all: a
// midpoint is M x 2^k with an odd M of 54 bits (or any odd M for subnormals),
// so it is either a whole number of at least 2^53, or has a fraction whose
// last digit is 5 and at least 17 significant digits.
bool mayBeTie(double rounded, const Decimal& decimal) {
  constexpr double kTwoTo53 = 9007199254740992.0;
  if (decimal.exponent >= 0) return rounded >= kTwoTo53;
  return decimal.digits.size() >= 17 && decimal.digits.back() == '5';
}

// Ties are the only inputs whose value cannot be told from the midpoint of
// two doubles; longer digit strings or wider exponents than any midpoint has
// cannot be one.
constexpr std::size_t kMostMidpointDigits = 800;
constexpr std::int64_t kWidestMidpointExponent = 1100;

double roundToDouble(const Decimal& decimal) {
  std::string canonical = decimal.digits;
  canonical += 'e';
  canonical += std::to_string(decimal.exponent);
  double magnitude = 0;
  const auto [end, error] =
      std::from_chars(canonical.data(), canonical.data() + canonical.size(), magnitude);
  if (error == std::errc::result_out_of_range) {
    const std::int64_t leadingPower = decimal.exponent + static_cast<std::int64_t>(decimal.digits.size());
    magnitude = leadingPower > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const bool evenNonZero = magnitude != 0 && (bits & 1) == 0;
  if (evenNonZero && mayBeTie(magnitude, decimal) &&
      decimal.digits.size() <= kMostMidpointDigits &&
      decimal.exponent <= kWidestMidpointExponent && decimal.exponent >= -kWidestMidpointExponent &&
      isTieBelow(bits, decimal)) {
    magnitude = std::bit_cast<double>(bits - 1);
  }
  return magnitude;
}

}  // namespace

double textToNumber(std::string_view text) {
  Decimal decimal;
  if (!readDecimal(text, decimal)) return 0.0;
  const double magnitude = decimal.digits.empty() ? 0.0 : roundToDouble(decimal);
  return decimal.negative ? -magnitude : magnitude;
}

}  // namespace tolvane
