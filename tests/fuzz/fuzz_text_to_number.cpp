// textToNumber on arbitrary bytes: it must not crash, and it must give the
// very double that the slow exact reference gives. The engine rounds
// correctly everywhere (an exact tie to the smaller magnitude), so the check
// is exact also in the near-halfway cases where any neighbour would do.
// readDecimalNumber, the same rule without folding, must read the text as
// textToNumber reads the part of it before the first byte from 0x80 up.
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "conversions_reference.hpp"
#include "text.hpp"

namespace {

void expectSame(const char* function, double got, double expected) {
  if (std::bit_cast<std::uint64_t>(got) != std::bit_cast<std::uint64_t>(expected)) {
    std::fprintf(stderr, "%s gave %a (%.17g), the reference %a (%.17g)\n", function, got, got,
                 expected, expected);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  expectSame("textToNumber", tolvane::textToNumber(text), tolvane::reference::textToNumber(text));

  std::size_t ascii = 0;
  while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80) ++ascii;
  expectSame("readDecimalNumber", tolvane::readDecimalNumber(text),
             tolvane::reference::textToNumber(text.substr(0, ascii)));
  return 0;
}
