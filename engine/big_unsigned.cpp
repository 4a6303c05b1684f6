#include "big_unsigned.hpp"

namespace tolvane {

BigUnsigned::BigUnsigned(std::uint64_t value) {
  limbs_ = {static_cast<std::uint32_t>(value), static_cast<std::uint32_t>(value >> 32)};
  trim();
}

BigUnsigned BigUnsigned::fromDecimalDigits(std::string_view digits) {
  BigUnsigned result;
  // Nine digits at a time: 10^9 fits a limb.
  std::size_t i = 0;
  while (i < digits.size()) {
    std::uint32_t chunk = 0, scale = 1;
    for (int n = 0; n < 9 && i < digits.size(); ++n, ++i) {
      chunk = chunk * 10 + static_cast<std::uint32_t>(digits[i] - '0');
      scale *= 10;
    }
    result.multiplyBy(scale);
    std::uint64_t carry = chunk;
    for (auto& limb : result.limbs_) {
      if (carry == 0) break;
      carry += limb;
      limb = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    if (carry != 0) result.limbs_.push_back(static_cast<std::uint32_t>(carry));
  }
  return result;
}

void BigUnsigned::multiplyBy(std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (auto& limb : limbs_) {
    carry += static_cast<std::uint64_t>(limb) * factor;
    limb = static_cast<std::uint32_t>(carry);
    carry >>= 32;
  }
  if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
  trim();
}

void BigUnsigned::multiplyByPowerOf5(unsigned exponent) {
  constexpr std::uint32_t kFiveTo13 = 1220703125;
  for (; exponent >= 13; exponent -= 13) multiplyBy(kFiveTo13);
  std::uint32_t rest = 1;
  while (exponent-- > 0) rest *= 5;
  multiplyBy(rest);
}

void BigUnsigned::shiftLeft(unsigned bits) {
  if (limbs_.empty()) return;
  limbs_.insert(limbs_.begin(), bits / 32, 0);
  const unsigned shift = bits % 32;
  if (shift == 0) return;
  std::uint32_t carry = 0;
  for (auto& limb : limbs_) {
    const std::uint32_t next = limb >> (32 - shift);
    limb = (limb << shift) | carry;
    carry = next;
  }
  if (carry != 0) limbs_.push_back(carry);
}

void BigUnsigned::trim() {
  while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
}

}  // namespace tolvane
