// textToNumber: the number at the start of a text.
//
// The longest prefix of the form  [sign] mantissa [exponent]  is read, after
// white space, with full-width forms folded to ASCII. Most texts are plain
// ASCII, so the prefix is first read as it stands; only a text whose reading
// meets a byte from 0x80 up or a "d"/"D" exponent is folded into a copy and
// read again.
//
// The prefix's value is rounded by std::from_chars, which rounds correctly
// but sends an exact tie to the even neighbour. This system sends an exact tie
// to the smaller magnitude, so ties are recognised exactly and corrected.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "big_unsigned.hpp"
#include "text.hpp"

namespace tolvane {
namespace {

// ---- Folding ---------------------------------------------------------------

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

std::optional<char> foldPair(unsigned char lead, unsigned char trail) {
  for (const auto& fold : kFullWidthFolds) {
    if (lead == fold.lead && trail >= fold.trailFirst && trail <= fold.trailLast)
      return static_cast<char>(fold.ascii == kTrailMinus0x80 ? trail - 0x80 : fold.ascii);
  }
  return std::nullopt;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isWhiteSpace(char c) { return c == ' ' || (c >= 0x09 && c <= 0x0D); }
bool mayBeInNumberPrefix(char c) {
  return isDigit(c) || isWhiteSpace(c) || c == '+' || c == '-' || c == '.' || c == 'e' ||
         c == 'E' || c == 'd' || c == 'D';
}

// The start of the text folded to ASCII, as far as a number prefix can reach,
// with the exponent letters "d" and "D" written "e" and "E". A two-byte
// character outside the table, or a lone lead byte at the end, ends it; so
// does every byte from 0x80 up when full-width forms are not to be folded.
std::string foldNumberPrefix(std::string_view text, bool foldFullWidth) {
  std::string folded;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    char c = static_cast<char>(lead);
    if (lead >= 0x80) {
      if (!foldFullWidth || i + 1 == text.size()) break;
      const auto pair = foldPair(lead, static_cast<unsigned char>(text[i + 1]));
      if (!pair) break;
      c = *pair;
      i += 2;
    } else {
      ++i;
    }
    if (!mayBeInNumberPrefix(c)) break;
    folded.push_back(c == 'd' ? 'e' : c == 'D' ? 'E' : c);
  }
  return folded;
}

// ---- Reading the prefix ----------------------------------------------------

// Whether folding could read the byte differently: a byte from 0x80 up may
// start a full-width form, and "d" or "D" become the exponent letter "e".
bool mayChangeWhenFolded(char c) {
  return static_cast<unsigned char>(c) >= 0x80 || c == 'd' || c == 'D';
}

// Every byte a plain reading takes into the number is ASCII of the grammar,
// so folding can only change the reading where it stopped: at the byte that
// ended it, or, when that byte is an exponent letter that did not start an
// exponent, at the byte after the letter (and its sign).
bool foldingCouldChangeStop(const char* stop, const char* end) {
  if (stop == end) return false;
  if (mayChangeWhenFolded(*stop)) return true;
  if (*stop != 'e' && *stop != 'E') return false;
  const char* next = stop + 1;
  if (next < end && (*next == '+' || *next == '-')) ++next;
  return next < end && mayChangeWhenFolded(*next);
}

// ---- Rounding --------------------------------------------------------------

// The prefix's value as D x 10^q, D its significant digits without leading
// or trailing zeros: where they are in the text, how many, and the last one.
struct Decimal {
  std::string_view mantissa;  // the digits and the point, before any exponent
  std::size_t digitCount = 0;
  char lastDigit = 0;
  std::int64_t exponent = 0;

  std::string digits() const;  // D, "" for zero
};

// Far beyond any exponent that changes a double, small enough never to overflow.
constexpr std::int64_t kExponentLimit = 1'000'000'000;

std::int64_t exponentOf(std::string_view part) {  // "e-12" and the like, or ""
  if (part.empty()) return 0;
  part.remove_prefix(1);
  const bool negative = part.front() == '-';
  if (part.front() == '+' || part.front() == '-') part.remove_prefix(1);
  std::int64_t exponent = 0;
  for (const char c : part)
    if (exponent < kExponentLimit) exponent = exponent * 10 + (c - '0');
  return negative ? -exponent : exponent;
}

// The digits and point of a number text, before any exponent.
std::string_view mantissaOf(std::string_view number) {
  std::size_t end = 0;
  while (end < number.size() && number[end] != 'e' && number[end] != 'E') ++end;
  return number.substr(0, end);
}

Decimal decimalOf(std::string_view number) {
  Decimal decimal;
  decimal.mantissa = mantissaOf(number);
  const std::size_t e = decimal.mantissa.size();
  const std::size_t point = std::min(decimal.mantissa.find('.'), decimal.mantissa.size());
  const std::size_t first = decimal.mantissa.find_first_not_of("0.");
  const std::size_t last = decimal.mantissa.find_last_not_of("0.");
  decimal.exponent = exponentOf(number.substr(e));
  if (first == std::string_view::npos) return decimal;  // zero
  decimal.lastDigit = decimal.mantissa[last];
  // Digits from first to last, less the point if it lies between them.
  decimal.digitCount = last - first + 1 - (first < point && point < last);
  // The last significant digit stands for 10^(point - last - 1), or 10^(point - last) past the point.
  const auto p = static_cast<std::int64_t>(point), l = static_cast<std::int64_t>(last);
  decimal.exponent += l < p ? p - l - 1 : p - l;
  return decimal;
}

std::string Decimal::digits() const {
  std::string d;
  const std::size_t first = mantissa.find_first_not_of("0.");
  for (std::size_t i = first; d.size() < digitCount; ++i)
    if (mantissa[i] != '.') d.push_back(mantissa[i]);
  return d;
}

// A double (or infinity) as m x 2^e with an integer m.
struct BinaryValue {
  std::uint64_t mantissa;
  std::int64_t exponent;
};

BinaryValue toBinary(std::uint64_t bits) {
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  const int biased = static_cast<int>(bits >> 52);
  if (biased == 0) return {fraction, -1074};
  return {fraction | (std::uint64_t{1} << 52), biased - 1075};
}

// Whether D x 10^q is exactly the midpoint of the positive double (or
// infinity) with these bits and its neighbour toward zero.
// Whether D x 10^q == m x 2^k for a D of at most 19 digits and 0 <= q < 24:
// D x 5^q then fits 128 bits, which spares the big integers in the common case.
bool wholeNumberEquals(const Decimal& decimal, std::uint64_t m, std::int64_t k) {
  using Wide = unsigned __int128;
  Wide left = 0;
  for (const char c : decimal.digits()) left = left * 10 + static_cast<unsigned>(c - '0');
  for (std::int64_t i = 0; i < decimal.exponent; ++i) left *= 5;
  // left x 2^q == m x 2^k: the side with the smaller power of two must be a
  // multiple of 2^|q - k|, and equal to the other once divided by it.
  Wide right = m;
  std::int64_t shift = decimal.exponent - k;
  Wide& multiple = shift < 0 ? left : right;
  if (shift < 0) shift = -shift;
  if (shift >= 128 || (multiple & ((Wide{1} << shift) - 1)) != 0) return false;
  multiple >>= shift;
  return left == right;
}

bool isTieBelow(std::uint64_t bits, const Decimal& decimal) {
  BinaryValue upper = toBinary(bits), lower = toBinary(bits - 1);
  if (lower.exponent < upper.exponent) {  // upper starts a binade
    upper.mantissa <<= upper.exponent - lower.exponent;
    upper.exponent = lower.exponent;
  }
  // midpoint = (upper + lower) / 2 = m x 2^k
  const std::uint64_t m = upper.mantissa + lower.mantissa;
  const std::int64_t k = upper.exponent - 1;
  const std::int64_t q = decimal.exponent;

  if (q >= 0 && decimal.digitCount <= 19) return wholeNumberEquals(decimal, m, k);

  // D x 5^q x 2^q == m x 2^k, each power moved to the side where it is positive.
  BigUnsigned left = BigUnsigned::fromDecimalDigits(decimal.digits());
  BigUnsigned right(m);
  if (q >= 0) left.multiplyByPowerOf5(static_cast<unsigned>(q));
  else right.multiplyByPowerOf5(static_cast<unsigned>(-q));
  if (q > k) left.shiftLeft(static_cast<unsigned>(q - k));
  else right.shiftLeft(static_cast<unsigned>(k - q));
  return left == right;
}

// A midpoint of two doubles is m x 2^k with an odd m below 2^54. As D x 10^q
// it is either a whole number (q >= 0) whose odd part m holds 5^q, so q < 24;
// or (q < 0) m x 5^-q with at least 17 digits, the last of them 5. It has at
// most 767 significant digits.
bool mayBeTie(const Decimal& decimal) {
  constexpr std::size_t kMostMidpointDigits = 800;
  const std::size_t n = decimal.digitCount;
  if (n == 0 || n > kMostMidpointDigits) return false;
  if (decimal.exponent >= 0) return decimal.exponent < 24;
  return n >= 17 && decimal.lastDigit == '5' && decimal.exponent > -1100;
}

// A cheap test before the exact one, from the shape of the text alone. An even
// result can be the upper neighbour of a tie only when the mantissa's last
// significant digit is 5 with at least 17 characters before it (a fraction),
// or when the value is a whole number of at least 2^53 (q >= 0): then at most
// 17 mantissa digits with q < 24 keep it below 10^40.
bool worthCheckingForTie(double magnitude, std::uint64_t bits, std::string_view number) {
  constexpr double kTwoTo53 = 9007199254740992.0, kTenTo40 = 1e40;
  if (magnitude == 0 || (bits & 1) != 0) return false;
  if (magnitude < kTwoTo53 && number.size() < 17) return false;
  if (magnitude >= kTwoTo53 && magnitude < kTenTo40) return true;
  const std::string_view mantissa = mantissaOf(number);
  if (magnitude >= kTwoTo53) return mantissa.size() > 17;
  const std::size_t last = mantissa.find_last_not_of("0.");
  return last != std::string_view::npos && mantissa[last] == '5' && last + 1 >= 17;
}

// The double that std::from_chars gave for the unsigned number text, made
// this system's: out of range means infinity or zero, and an exact tie goes to
// the smaller magnitude.
double corrected(double magnitude, std::errc error, std::string_view number) {
  if (error == std::errc::result_out_of_range) {
    const Decimal decimal = decimalOf(number);
    const std::int64_t leadingPower = decimal.exponent + static_cast<std::int64_t>(decimal.digitCount);
    magnitude = leadingPower > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  if (worthCheckingForTie(magnitude, bits, number)) {
    const Decimal decimal = decimalOf(number);
    if (mayBeTie(decimal) && isTieBelow(bits, decimal)) magnitude = std::bit_cast<double>(bits - 1);
  }
  return magnitude;
}

// Reads the number at the start of the text as it stands. The mantissa and
// exponent of this grammar are exactly the decimal form std::from_chars reads,
// so from_chars both finds where the number ends and rounds it, in one pass.
// (It also reads "inf" and "nan", so it is only asked where a digit or a point
// starts the number.) Returns nothing when folding could change the reading.
std::optional<double> readPlainNumber(std::string_view text) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end && isWhiteSpace(*p)) ++p;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  double value = 0.0;  // no mantissa digit: positive zero, whatever the sign
  const char* stop = p;
  if (p < end && (isDigit(*p) || *p == '.')) {
    double magnitude = 0.0;
    const auto [numberEnd, error] = std::from_chars(p, end, magnitude);
    if (error == std::errc::invalid_argument) {
      stop = p + 1;  // a point with no digit on either side
    } else {
      stop = numberEnd;
      magnitude = corrected(magnitude, error, std::string_view(p, static_cast<std::size_t>(numberEnd - p)));
      value = negative ? -magnitude : magnitude;
    }
  }
  if (foldingCouldChangeStop(stop, end)) return std::nullopt;
  return value;
}

}  // namespace

double textToNumber(std::string_view text) {
  if (const auto plain = readPlainNumber(text)) return *plain;
  const std::string folded = foldNumberPrefix(text, true);
  return *readPlainNumber(folded);  // folded text is plain ASCII
}

double readDecimalNumber(std::string_view text) {
  if (const auto plain = readPlainNumber(text)) return *plain;
  const std::string ascii = foldNumberPrefix(text, false);
  return *readPlainNumber(ascii);
}

}  // namespace tolvane
