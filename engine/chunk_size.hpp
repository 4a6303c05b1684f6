// How much of the body each InternetReadFile call of the HTTP read asks for.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace tolvane {

// Without a usable Content-Length the body is read in chunks of this size.
inline constexpr std::size_t defaultChunkSize = 10240;
// No chunk is larger, whatever length the reply announces.
inline constexpr std::size_t largestChunkSize = 102400;

// The chunk size for a reply whose Content-Length header reads contentLength
// (nullopt when the reply has none, or its value did not fit the query
// buffer). The value is read as a decimal integer: leading white space and a
// sign are allowed, and reading stops at the first non-digit. A length N > 0
// gives N + 1, so that a body of known length arrives in one call, but never
// more than largestChunkSize; anything else gives defaultChunkSize.
std::size_t chunkSizeFor(std::optional<std::string_view> contentLength);

}  // namespace tolvane
