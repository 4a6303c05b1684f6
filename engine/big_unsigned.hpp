// A small arbitrary-precision unsigned integer: just enough exact arithmetic to
// decide whether a decimal lies exactly halfway between two doubles.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tolvane {

class BigUnsigned {
 public:
  explicit BigUnsigned(std::uint64_t value = 0);
  static BigUnsigned fromDecimalDigits(std::string_view digits);

  void multiplyBy(std::uint32_t factor);
  void multiplyByPowerOf5(unsigned exponent);
  void shiftLeft(unsigned bits);

  friend bool operator==(const BigUnsigned&, const BigUnsigned&) = default;

 private:
  void trim();
  std::vector<std::uint32_t> limbs_;  // least significant first, no zero at the top
};

}  // namespace tolvane
