// Texts, byte strings and the conversions between texts and numbers.
//
// A Text is a GBK byte string that never holds a zero byte; "" is also the
// absent text. Bytes may hold anything, zero bytes included.
#pragma once

#include <string>
#include <string_view>

namespace tolvane {

using Text = std::string;
using Bytes = std::string;

// The bytes before the first zero byte (all of them when there is none).
Text bytesToText(std::string_view bytes);

// The number at the start of the text, after full-width forms are folded to
// ASCII and white space is skipped; 0 when there is none. Correctly rounded,
// an exact tie going to the smaller magnitude. Independent of the locale.
double textToNumber(std::string_view text);

// The same decimal rule without the folding: every byte from 0x80 up ends the
// number. What 编辑框2 reads when it tidies its own text.
double readDecimalNumber(std::string_view text);

// The number with at most 13 significant digits: "389.44732", "1e+020",
// "0.0001234567890123", "1.#INF", "-1.#IND". Independent of the locale.
Text numberToText(double number);

Text joinTexts(std::string_view first, std::string_view second);

}  // namespace tolvane
