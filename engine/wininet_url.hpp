// URLs taken apart and put together with WinInet (Windows build only).
#pragma once

#include <windows.h>
#include <wininet.h>

#include <optional>
#include <string>
#include <string_view>

namespace tolvane {

struct CrackedUrl {
  std::string canonical;  // the whole URL, canonicalised
  INTERNET_SCHEME scheme = INTERNET_SCHEME_UNKNOWN;
  std::string hostName;
  INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;  // the URL's, or the scheme's default
  std::string userName;  // "" when the URL has none
  std::string password;  // "" when the URL has none
  std::string pathWithQuery;  // with a fragment, when the URL has one
};

// The URL canonicalised (InternetCanonicalizeUrlA, ICU_NO_ENCODE: unsafe
// characters stay as they are) and cracked (InternetCrackUrlA) into buffers
// of 256 characters for the host name, 2048 for the path, 128 for the user
// name and 128 for the password. nullopt when either call fails, a part
// longer than its buffer included.
std::optional<CrackedUrl> splitUrl(std::string_view url);

// The object a request asks for: the path with its query, cut before the
// first "#" (a fragment is never sent).
std::string requestObject(std::string_view pathWithQuery);

// The URL that location (absolute or relative) names, seen from base.
std::optional<std::string> combineUrl(const std::string& base, const std::string& location);

}  // namespace tolvane
