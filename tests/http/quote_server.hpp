// The quote server that with_recording_quote_server.sh runs beside the test
// program: where it listens, the page it serves, the requests it received.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane::test {

// One request head as the server received it.
struct ReceivedRequest {
  std::string requestLine;
  std::vector<std::string> headerLines;

  // The values of the header lines with this name (any case).
  std::vector<std::string> values(std::string_view name) const;
};

class QuoteServer {
 public:
  // The server announced in the environment; nullopt outside the wrapper.
  static std::optional<QuoteServer> fromEnvironment();

  // host:port
  const std::string& address() const { return address_; }
  // URL of the quote page, played with a scripted behaviour when one is named.
  std::string quoteUrl(std::string_view behaviour = {}) const;
  std::string urlOf(std::string_view pathWithQuery) const;
  // The bytes of the page it serves.
  std::string page() const;
  // Every request received so far, oldest first.
  std::vector<ReceivedRequest> requests() const;

 private:
  std::string address_;  // host:port
  std::string pagePath_;
  std::string recordPath_;
};

// Bytes that show any lost, doubled or misplaced stretch: byte i is i mod 251,
// as the server's "large" and "huge" behaviours send them.
std::string patternedBytes(std::size_t size);

}  // namespace tolvane::test
