#include "chunk_size.hpp"

#include <algorithm>
#include <cstdint>

namespace tolvane {
namespace {

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The announced length, saturated just above the largest chunk: any length
// from there on gives the same chunk, and an announced "2147483648" or
// longer must not wrap around into a small or negative size.
std::int64_t announcedLength(std::string_view text) {
  constexpr auto saturation = static_cast<std::int64_t>(largestChunkSize) + 1;
  std::size_t at = 0;
  while (at < text.size() && isSpace(text[at])) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  std::int64_t length = 0;
  for (; at < text.size() && isDigit(text[at]); ++at) {
    length = std::min(length * 10 + (text[at] - '0'), saturation);
  }
  return negative ? -length : length;
}

}  // namespace

std::size_t chunkSizeFor(std::optional<std::string_view> contentLength) {
  if (!contentLength) return defaultChunkSize;
  const std::int64_t length = announcedLength(*contentLength);
  if (length <= 0) return defaultChunkSize;
  return std::min(static_cast<std::size_t>(length) + 1, largestChunkSize);
}

}  // namespace tolvane
