// The short form that 编辑框2 gives its number when it loses the focus.
#pragma once

#include <string_view>

#include "text.hpp"

namespace tolvane {

// The text read as a decimal number (no full-width folding), rounded to single
// precision and then to 6 significant digits, half up; written in the fixed
// form for decimal exponents -4 to 5, else as "1.23457e+006"; "" for zero.
// "12345.678" -> "12345.7", "10005.55" -> "10005.5", ".5" -> "0.5", "abc" -> "".
Text shortNumberText(std::string_view text);

}  // namespace tolvane
