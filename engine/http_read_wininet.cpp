// The HTTP read over WinInet: one synchronous GET, the body as bytes.
//
// Nothing here reports an error: every failure ends the read with the bytes
// received so far, which before the body is reached is "".
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <memory>
#include <new>
#include <optional>
#include <string>

#include "chunk_size.hpp"
#include "http_read.hpp"
#include "internet_handle.hpp"
#include "wininet_url.hpp"

namespace tolvane {
namespace {

using Clock = std::chrono::steady_clock;

constexpr char userAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
// Every read is answered by the server, and no reply is kept in the cache.
// Redirects are followed here rather than by WinInet, so that a loop of them
// ends (Wine's WinInet follows one for ever, inside HttpSendRequestA).
constexpr DWORD requestFlags =
    INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_AUTO_REDIRECT;
// The same Accept line as the accept list gives; WinInet sends it once.
constexpr char acceptHeader[] = "Accept: */*\r\n\r\n";
constexpr DWORD acceptHeaderLength = sizeof acceptHeader - 1;  // 15
// Content-Length is queried into a buffer this large; a longer value counts
// as none.
constexpr DWORD contentLengthCapacity = 32;
// More redirects than this in one read end it with the last reply's body.
constexpr int mostRedirects = 10;
constexpr std::array<DWORD, 5> redirectStatuses{301, 302, 303, 307, 308};

// The proxy credentials passed with every read. They start empty and nothing
// sets them; nor is there a proxy address, so no proxy of the program's own is
// ever configured.
struct ProxySettings {
  std::string userName;
  std::string password;
};

// What outlives a read: the root internet handle, created by the first read
// that needs it (again after a failed creation) and closed when the program
// ends, and the proxy texts held beside it.
struct InternetSession {
  InternetHandle root;
  ProxySettings proxy;
};

InternetSession& session() {
  static InternetSession theSession;
  return theSession;
}

// The root handle, created on first use; null when it cannot be created.
HINTERNET rootHandle() {
  InternetHandle& root = session().root;
  if (!root) {
    root.reset(InternetOpenA(userAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  }
  return root.get();
}

// Their results do not matter: the read goes on either way.
void setProxyOptions(HINTERNET root, HINTERNET connection, const ProxySettings& proxy) {
  INTERNET_PROXY_INFO noProxy{};
  noProxy.dwAccessType = INTERNET_OPEN_TYPE_PRECONFIG;
  noProxy.lpszProxy = nullptr;
  noProxy.lpszProxyBypass = nullptr;
  InternetSetOptionA(root, INTERNET_OPTION_PROXY, &noProxy, sizeof noProxy);
  // WinInet only reads the texts; their lengths count the terminating NUL.
  InternetSetOptionA(connection, INTERNET_OPTION_PROXY_USERNAME,
                     const_cast<char*>(proxy.userName.c_str()),
                     static_cast<DWORD>(proxy.userName.size() + 1));
  InternetSetOptionA(connection, INTERNET_OPTION_PROXY_PASSWORD,
                     const_cast<char*>(proxy.password.c_str()),
                     static_cast<DWORD>(proxy.password.size() + 1));
}

void setTimeout(HINTERNET handle, DWORD option, std::chrono::milliseconds timeout) {
  DWORD milliseconds = static_cast<DWORD>(timeout.count());
  InternetSetOptionA(handle, option, &milliseconds, sizeof milliseconds);
}

// On the request handle, because Wine takes the send and receive time-outs
// from there (or from the connection), never from the root handle.
void setTimeouts(HINTERNET request) {
  setTimeout(request, INTERNET_OPTION_CONNECT_TIMEOUT, httpConnectTimeout);
  setTimeout(request, INTERNET_OPTION_SEND_TIMEOUT, httpSendTimeout);
  setTimeout(request, INTERNET_OPTION_RECEIVE_TIMEOUT, httpReceiveTimeout);
}

// A request that has been sent and answered. The request handle is declared
// last so that it is closed first.
struct SentRequest {
  InternetHandle connection;
  InternetHandle request;
};

// Connects to the URL's server and sends the GET; nullopt when any step fails.
std::optional<SentRequest> sendRequest(const CrackedUrl& url) {
  const HINTERNET root = rootHandle();
  if (!root) return std::nullopt;

  SentRequest sent;
  sent.connection.reset(InternetConnectA(root, url.hostName.c_str(), url.port,
                                         url.userName.c_str(), url.password.c_str(),
                                         INTERNET_SERVICE_HTTP, 0, 0));
  if (!sent.connection) return std::nullopt;

  setProxyOptions(root, sent.connection.get(), session().proxy);

  const std::string object = requestObject(url.pathWithQuery);
  const char* acceptTypes[] = {"*/*", nullptr};
  sent.request.reset(HttpOpenRequestA(sent.connection.get(), "GET", object.c_str(), "HTTP/1.0",
                                      nullptr, acceptTypes, requestFlags, 0));
  if (!sent.request) return std::nullopt;
  setTimeouts(sent.request.get());

  if (!HttpSendRequestA(sent.request.get(), acceptHeader, acceptHeaderLength, nullptr, 0)) {
    return std::nullopt;
  }
  return sent;
}

std::optional<std::string> headerValue(HINTERNET request, DWORD header) {
  std::string value(64, '\0');
  DWORD length = static_cast<DWORD>(value.size());
  if (!HttpQueryInfoA(request, header, value.data(), &length, nullptr)) {
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
    value.assign(length, '\0');  // length now holds the size it needs
    if (!HttpQueryInfoA(request, header, value.data(), &length, nullptr)) return std::nullopt;
  }
  value.resize(length);
  return value;
}

// The http URL that a redirecting reply points to; nullopt for any other reply.
std::optional<CrackedUrl> redirectTarget(HINTERNET request, const CrackedUrl& from) {
  DWORD status = 0;
  DWORD length = sizeof status;
  if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                      &length, nullptr) ||
      std::find(redirectStatuses.begin(), redirectStatuses.end(), status) ==
          redirectStatuses.end()) {
    return std::nullopt;
  }
  const std::optional<std::string> location = headerValue(request, HTTP_QUERY_LOCATION);
  if (!location) return std::nullopt;
  const std::optional<std::string> target = combineUrl(from.canonical, *location);
  if (!target) return std::nullopt;
  std::optional<CrackedUrl> cracked = splitUrl(*target);
  if (!cracked || cracked->scheme != INTERNET_SCHEME_HTTP) return std::nullopt;
  return cracked;
}

std::optional<std::string> contentLengthHeader(HINTERNET request) {
  char value[contentLengthCapacity] = {};
  DWORD length = contentLengthCapacity;
  if (!HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, value, &length, nullptr)) {
    return std::nullopt;
  }
  return std::string(value, std::min(length, contentLengthCapacity));
}

// Appends the body to result until the reply ends, a read fails, or the
// deadline has passed. Each read takes what has arrived, at most a chunk:
// InternetReadFile alone would wait to fill the whole chunk and, when the
// connection then fails or times out, report none of it, and a server that
// trickles its bytes would hold it far past the deadline.
void readBody(HINTERNET request, Clock::time_point deadline, Bytes& result) {
  const std::size_t chunkSize = chunkSizeFor(contentLengthHeader(request));
  const std::unique_ptr<char[]> chunk(new (std::nothrow) char[chunkSize]);
  if (!chunk) return;

  while (Clock::now() < deadline) {
    DWORD available = 0;
    if (!InternetQueryDataAvailable(request, &available, 0, 0) || available == 0) return;
    const DWORD wanted = std::min(available, static_cast<DWORD>(chunkSize));
    DWORD received = 0;
    if (!InternetReadFile(request, chunk.get(), wanted, &received) || received == 0) return;
    try {
      result.append(chunk.get(), received);
    } catch (const std::bad_alloc&) {
      return;  // out of memory: the bytes so far are the result
    }
  }
}

}  // namespace

Bytes httpRead(std::string_view url) {
  const Clock::time_point deadline = Clock::now() + httpReadBound;
  Bytes result;
  if (url.empty()) return result;

  std::optional<CrackedUrl> target = splitUrl(url);
  for (int redirects = 0; target; ++redirects) {
    const std::optional<SentRequest> sent = sendRequest(*target);
    if (!sent) return result;
    std::optional<CrackedUrl> next;
    if (redirects < mostRedirects && Clock::now() < deadline) {
      next = redirectTarget(sent->request.get(), *target);
    }
    if (!next) {
      readBody(sent->request.get(), deadline, result);
      return result;
    }
    target = std::move(next);
  }
  return result;
}

}  // namespace tolvane
