// A slow, plain arbitrary-precision natural number for the reference
// conversions. It favours being evidently right over being fast: schoolbook
// operations on 32-bit limbs, and division one quotient bit at a time.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane::reference {

class Natural {
 public:
  explicit Natural(std::uint64_t value = 0) {
    limbs_ = {static_cast<std::uint32_t>(value), static_cast<std::uint32_t>(value >> 32)};
    trim();
  }

  static Natural fromDecimal(std::string_view digits) {
    Natural n;
    for (char c : digits) {
      n.multiplyAdd(10, static_cast<std::uint32_t>(c - '0'));
    }
    return n;
  }

  // this = this * base^exponent, for a base below 2^16.
  void multiplyByPowerOf(std::uint32_t base, std::uint64_t exponent) {
    for (; exponent >= 2; exponent -= 2) multiplyAdd(base * base, 0);
    if (exponent == 1) multiplyAdd(base, 0);
  }

  bool isZero() const { return limbs_.empty(); }

  std::uint64_t bitLength() const {
    if (limbs_.empty()) return 0;
    std::uint64_t bits = 32 * (limbs_.size() - 1);
    for (std::uint32_t top = limbs_.back(); top != 0; top >>= 1) ++bits;
    return bits;
  }

  // this = this * factor + addend
  void multiplyAdd(std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (auto& limb : limbs_) {
      carry += static_cast<std::uint64_t>(limb) * factor;
      limb = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
    trim();
  }

  Natural shiftedLeft(std::uint64_t bits) const {
    Natural n = *this;
    if (n.isZero()) return n;
    n.limbs_.insert(n.limbs_.begin(), bits / 32, 0);
    const auto shift = static_cast<unsigned>(bits % 32);
    if (shift == 0) return n;
    std::uint32_t carry = 0;  // the bits shifted out of the limb below
    for (auto& limb : n.limbs_) {
      const std::uint32_t out = limb >> (32 - shift);
      limb = (limb << shift) | carry;
      carry = out;
    }
    if (carry != 0) n.limbs_.push_back(carry);
    return n;
  }

  // this -= other; other must not be larger.
  void subtract(const Natural& other) {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
      std::int64_t d = static_cast<std::int64_t>(limbs_[i]) - borrow -
                       (i < other.limbs_.size() ? static_cast<std::int64_t>(other.limbs_[i]) : 0);
      borrow = d < 0;
      limbs_[i] = static_cast<std::uint32_t>(d + (borrow << 32));
    }
    trim();
  }

  // Divides by a small divisor in place; returns the remainder.
  std::uint32_t divideSmall(std::uint32_t divisor) {
    std::uint64_t remainder = 0;
    for (auto it = limbs_.rbegin(); it != limbs_.rend(); ++it) {
      const std::uint64_t current = (remainder << 32) | *it;
      *it = static_cast<std::uint32_t>(current / divisor);
      remainder = current % divisor;
    }
    trim();
    return static_cast<std::uint32_t>(remainder);
  }

  std::string toDecimal() const {
    if (isZero()) return "0";
    Natural n = *this;
    std::string reversed;
    while (!n.isZero()) {
      std::uint32_t chunk = n.divideSmall(1'000'000'000);  // nine digits at a time
      for (int i = 0; i < 9; ++i, chunk /= 10) reversed.push_back(static_cast<char>('0' + chunk % 10));
    }
    while (reversed.size() > 1 && reversed.back() == '0') reversed.pop_back();  // leading zeros
    return {reversed.rbegin(), reversed.rend()};
  }

  friend int compare(const Natural& a, const Natural& b) {
    if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
    for (std::size_t i = a.limbs_.size(); i-- > 0;) {
      if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
    }
    return 0;
  }

 private:
  void trim() {
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
  }

  std::vector<std::uint32_t> limbs_;  // least significant first, no zero limb at the top
};

// The quotient of dividend / divisor, which must be below 2^63, by long
// division one bit at a time; `remainderVersusHalf` tells whether the
// remainder is below (-1), at (0) or above (+1) half the divisor.
struct SmallQuotient {
  std::uint64_t quotient;
  int remainderVersusHalf;
};

inline SmallQuotient divide(const Natural& dividend, const Natural& divisor) {
  Natural remainder = dividend;
  std::uint64_t quotient = 0;
  for (int bit = 62; bit >= 0; --bit) {
    const Natural shifted = divisor.shiftedLeft(static_cast<std::uint64_t>(bit));
    if (compare(remainder, shifted) >= 0) {
      remainder.subtract(shifted);
      quotient |= std::uint64_t{1} << bit;
    }
  }
  const Natural twiceRemainder = remainder.shiftedLeft(1);
  return {quotient, compare(twiceRemainder, divisor)};
}

}  // namespace tolvane::reference
