// The chunk size of the HTTP read, from the reply's Content-Length text.
#include "chunk_size.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace tolvane {
namespace {

struct ChunkCase {
  std::optional<std::string_view> contentLength;
  std::size_t chunkSize;
};

class ChunkSizeTest : public ::testing::TestWithParam<ChunkCase> {};

TEST_P(ChunkSizeTest, FollowsTheAnnouncedLength) {
  EXPECT_EQ(chunkSizeFor(GetParam().contentLength), GetParam().chunkSize)
      << "Content-Length \"" << GetParam().contentLength.value_or("(none)") << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Table, ChunkSizeTest,
    ::testing::Values(
        // No header, or a value too long for the query buffer.
        ChunkCase{std::nullopt, 10240},
        // A known length: one chunk holds it, with a byte to spare.
        ChunkCase{"4", 5}, ChunkCase{"1", 2}, ChunkCase{"630", 631},
        ChunkCase{"102398", 102399}, ChunkCase{"102399", 102400},
        // ... but no chunk is larger than 102400.
        ChunkCase{"102400", 102400}, ChunkCase{"200000", 102400},
        ChunkCase{"2147483647", 102400}, ChunkCase{"2147483648", 102400},
        ChunkCase{"4294967297", 102400}, ChunkCase{"99999999999999999999999999", 102400},
        // Read as a decimal integer: white space and a sign first, up to the
        // first non-digit.
        ChunkCase{"  \t+630", 631}, ChunkCase{"630abc", 631}, ChunkCase{"63 0", 64},
        ChunkCase{"0x10", 10240},
        // Zero, negative and unreadable lengths.
        ChunkCase{"0", 10240}, ChunkCase{"-0", 10240}, ChunkCase{"-5", 10240},
        ChunkCase{"-2147483649", 10240}, ChunkCase{"+-5", 10240}, ChunkCase{"abc", 10240},
        ChunkCase{"", 10240}, ChunkCase{"   ", 10240}));

}  // namespace
}  // namespace tolvane
