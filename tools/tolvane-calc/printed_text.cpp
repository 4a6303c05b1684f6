#include "printed_text.hpp"

namespace tolvane::calc {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

int hexDigitValue(char digit) {
  if (digit >= '0' && digit <= '9') return digit - '0';
  if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
  if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
  return -1;
}

}  // namespace

std::string escaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char byte : text) {
    switch (byte) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      default: out += byte;
    }
  }
  return out;
}

std::string toHex(std::string_view text) {
  std::string out;
  out.reserve(2 * text.size());
  for (const char byte : text) {
    const auto value = static_cast<unsigned char>(byte);
    out += kHexDigits[value >> 4];
    out += kHexDigits[value & 0xf];
  }
  return out;
}

std::optional<std::string> fromHex(std::string_view digits) {
  if (digits.size() % 2 != 0) return std::nullopt;
  std::string bytes;
  bytes.reserve(digits.size() / 2);
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    const int high = hexDigitValue(digits[i]);
    const int low = hexDigitValue(digits[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes += static_cast<char>(high * 16 + low);
  }
  return bytes;
}

}  // namespace tolvane::calc
