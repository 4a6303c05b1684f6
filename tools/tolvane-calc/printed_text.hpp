// How tolvane-calc writes field texts on its output and reads them as hex.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text.hpp"

namespace tolvane::calc {

// The text's bytes as they are, with backslash, tab, CR and LF written as
// \\, \t, \r and \n, so that one field takes one line.
std::string escaped(std::string_view text);

// Two lower-case hex digits per byte.
std::string toHex(std::string_view text);

// The bytes that pairs of hex digits (either case) spell; nothing when the
// digits are not pairs of hex digits.
std::optional<std::string> fromHex(std::string_view digits);

}  // namespace tolvane::calc
