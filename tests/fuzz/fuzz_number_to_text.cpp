// numberToText on the double whose bits are the input's first eight bytes:
// it must not crash, its text must have the right form, and it must equal the
// text that the slow exact reference gives.
//
// Doubles from random bits rarely have the digit patterns that the two
// rounding steps care about (digits 14 to 17 reading 4999, an 18th digit of
// 5); doubles read from short decimal texts often do. So the bytes after the
// first eight, when there are any, are also read as a number text, and that
// double is checked too.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "conversions_reference.hpp"
#include "text.hpp"

namespace {

void check(double number) {
  const std::string got = tolvane::numberToText(number);
  const std::string fault = tolvane::reference::numberTextFault(got);
  const std::string expected = tolvane::reference::numberToText(number);
  if (!fault.empty() || got != expected) {
    std::fprintf(stderr, "numberToText(%a = %.17g) gave \"%s\" (%s), the reference \"%s\"\n", number,
                 number, got.c_str(), fault.empty() ? "well formed" : fault.c_str(), expected.c_str());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, data, size < sizeof bits ? size : sizeof bits);
  double number;
  std::memcpy(&number, &bits, sizeof number);
  check(number);
  if (size > sizeof bits) {
    const std::string_view text(reinterpret_cast<const char*>(data) + sizeof bits, size - sizeof bits);
    check(tolvane::textToNumber(text));
  }
  return 0;
}
