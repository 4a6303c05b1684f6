// textToNumber on arbitrary bytes: it must not crash, and it must give the
// very double that the slow exact reference gives. The engine rounds
// correctly everywhere (an exact tie to the smaller magnitude), so the check
// is exact also in the near-halfway cases where any neighbour would do.
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "conversions_reference.hpp"
#include "text.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double got = tolvane::textToNumber(text);
  const double expected = tolvane::reference::textToNumber(text);
  if (std::bit_cast<std::uint64_t>(got) != std::bit_cast<std::uint64_t>(expected)) {
    std::fprintf(stderr, "textToNumber gave %a (%.17g), the reference %a (%.17g)\n", got, got,
                 expected, expected);
    std::abort();
  }
  return 0;
}
