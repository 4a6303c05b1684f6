#include "wininet_url.hpp"

namespace tolvane {
namespace {

// Sizes of the buffers that receive the parts of a cracked URL.
constexpr DWORD hostNameCapacity = 256;
constexpr DWORD pathCapacity = 2048;
constexpr DWORD userNameCapacity = 128;
constexpr DWORD passwordCapacity = 128;

// Calls a WinInet function that writes a URL into a buffer, once more with a
// buffer of the size it asks for when the first is too small.
template <typename WriteUrl>
std::optional<std::string> urlFrom(WriteUrl writeUrl, std::size_t firstGuess) {
  std::string url(firstGuess, '\0');
  DWORD length = static_cast<DWORD>(url.size());
  if (!writeUrl(url.data(), &length)) {
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
    url.assign(length, '\0');  // length now holds the size it needs
    if (!writeUrl(url.data(), &length)) return std::nullopt;
  }
  url.resize(length);
  return url;
}

std::optional<std::string> canonicalUrl(const std::string& url) {
  return urlFrom(
      [&](char* buffer, DWORD* length) {
        return InternetCanonicalizeUrlA(url.c_str(), buffer, length, ICU_NO_ENCODE);
      },
      url.size() + 64);
}

// The extra-info part is not asked for, so the path keeps the query.
std::optional<CrackedUrl> crackUrl(std::string canonical) {
  char hostName[hostNameCapacity] = {};
  char userName[userNameCapacity] = {};
  char password[passwordCapacity] = {};
  char path[pathCapacity] = {};
  URL_COMPONENTSA parts{};
  parts.dwStructSize = sizeof parts;
  parts.lpszHostName = hostName;
  parts.dwHostNameLength = hostNameCapacity;
  parts.lpszUserName = userName;
  parts.dwUserNameLength = userNameCapacity;
  parts.lpszPassword = password;
  parts.dwPasswordLength = passwordCapacity;
  parts.lpszUrlPath = path;
  parts.dwUrlPathLength = pathCapacity;
  if (!InternetCrackUrlA(canonical.c_str(), 0, 0, &parts)) return std::nullopt;
  return CrackedUrl{std::move(canonical), parts.nScheme, hostName, parts.nPort,
                    userName, password, path};
}

}  // namespace

std::optional<CrackedUrl> splitUrl(std::string_view url) {
  std::optional<std::string> canonical = canonicalUrl(std::string(url));
  if (!canonical) return std::nullopt;
  return crackUrl(std::move(*canonical));
}

std::string requestObject(std::string_view pathWithQuery) {
  return std::string(pathWithQuery.substr(0, pathWithQuery.find('#')));
}

std::optional<std::string> combineUrl(const std::string& base, const std::string& location) {
  return urlFrom(
      [&](char* buffer, DWORD* length) {
        return InternetCombineUrlA(base.c_str(), location.c_str(), buffer, length,
                                   ICU_NO_ENCODE);
      },
      base.size() + location.size() + 64);
}

}  // namespace tolvane
