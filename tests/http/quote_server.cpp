#include "quote_server.hpp"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace tolvane::test {
namespace {

std::string fileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string lowerCase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

// A head is its lines, each ended by CRLF, and an empty line.
ReceivedRequest parseHead(std::string_view head) {
  ReceivedRequest request;
  bool first = true;
  for (std::size_t at = 0; at < head.size();) {
    const std::size_t end = head.find("\r\n", at);
    const std::string_view line = head.substr(at, end - at);
    if (end == std::string_view::npos || line.empty()) break;
    if (first) {
      request.requestLine = line;
      first = false;
    } else {
      request.headerLines.emplace_back(line);
    }
    at = end + 2;
  }
  return request;
}

}  // namespace

std::vector<std::string> ReceivedRequest::values(std::string_view name) const {
  const std::string prefix = lowerCase(name) + ":";
  std::vector<std::string> found;
  for (const std::string& line : headerLines) {
    if (lowerCase(line).rfind(prefix, 0) != 0) continue;
    std::string value = line.substr(prefix.size());
    value.erase(0, value.find_first_not_of(' '));
    found.push_back(value);
  }
  return found;
}

std::optional<QuoteServer> QuoteServer::fromEnvironment() {
  const char* address = std::getenv("TOLVANE_QUOTE_SERVER");
  const char* page = std::getenv("TOLVANE_QUOTE_PAGE");
  const char* record = std::getenv("TOLVANE_QUOTE_RECORD");
  if (!address || !page || !record) return std::nullopt;
  QuoteServer server;
  server.address_ = address;
  server.pagePath_ = page;
  server.recordPath_ = record;
  return server;
}

std::string QuoteServer::quoteUrl(std::string_view behaviour) const {
  std::string path;
  if (!behaviour.empty()) (path += '/') += behaviour;
  return urlOf(path + "/wcpq_hkd.php");
}

std::string QuoteServer::urlOf(std::string_view pathWithQuery) const {
  return "http://" + address_ + std::string(pathWithQuery);
}

std::string QuoteServer::page() const { return fileBytes(pagePath_); }

std::vector<ReceivedRequest> QuoteServer::requests() const {
  const std::string record = fileBytes(recordPath_);
  std::vector<ReceivedRequest> requests;
  for (std::size_t at = 0; at < record.size();) {
    const std::size_t end = record.find("\r\n\r\n", at);
    if (end == std::string::npos) break;
    requests.push_back(parseHead(std::string_view(record).substr(at, end + 4 - at)));
    at = end + 4;
  }
  return requests;
}

std::string patternedBytes(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i % 251);
  return bytes;
}

}  // namespace tolvane::test
