// The WinInet HTTP read against the quote server on loopback: the request on
// the wire, the bytes that come back, and how failures and slow servers end.
#include "http_read.hpp"

#include <gtest/gtest.h>
#include <winsock2.h>
#include <ws2tcpip.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "quote_server.hpp"

namespace tolvane {
namespace {

using test::QuoteServer;
using test::ReceivedRequest;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr char userAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
// Every read ends within this time, whatever the server does.
constexpr auto readLimit = httpReadBound + httpReceiveTimeout;
// Room for the time the test itself takes around a read.
constexpr auto slack = 1500ms;

class HttpReadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_) << "run through tests/http/with_recording_quote_server.sh";
    requestsBefore_ = server_->requests().size();
  }

  // The requests the server received since the test began.
  std::vector<ReceivedRequest> newRequests() const {
    std::vector<ReceivedRequest> all = server_->requests();
    return {all.begin() + static_cast<std::ptrdiff_t>(requestsBefore_), all.end()};
  }

  std::optional<QuoteServer> server_ = QuoteServer::fromEnvironment();
  std::size_t requestsBefore_ = 0;
};

void expectQuotePageRequest(const ReceivedRequest& request, const std::string& requestLine) {
  EXPECT_EQ(request.requestLine, requestLine);
  EXPECT_EQ(request.values("User-Agent"), std::vector<std::string>{userAgent});
  EXPECT_EQ(request.values("Accept"), std::vector<std::string>{"*/*"});
  EXPECT_TRUE(request.values("Referer").empty());
  EXPECT_TRUE(request.values("Cookie").empty());
  EXPECT_TRUE(request.values("Authorization").empty());
}

std::string firstHalf(const std::string& page) { return page.substr(0, page.size() / 2); }

// --- The request on the wire ---

TEST_F(HttpReadTest, SendsOneGetForTheQuotePageWithTheAgentAndOneAccept) {
  const Bytes body = httpRead(server_->quoteUrl());

  EXPECT_EQ(body, server_->page());
  const std::vector<ReceivedRequest> sent = newRequests();
  ASSERT_EQ(sent.size(), 1u);
  expectQuotePageRequest(sent[0], "GET /wcpq_hkd.php HTTP/1.0");
}

TEST_F(HttpReadTest, SendsTheQueryButNeverTheFragment) {
  httpRead(server_->urlOf("/wcpq_hkd.php#quotes"));
  httpRead(server_->urlOf("/wcpq_hkd.php?market=hk&unit=tael#quotes"));

  const std::vector<ReceivedRequest> sent = newRequests();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].requestLine, "GET /wcpq_hkd.php HTTP/1.0");
  EXPECT_EQ(sent[1].requestLine, "GET /wcpq_hkd.php?market=hk&unit=tael HTTP/1.0");
}

TEST_F(HttpReadTest, TwoReadsInARowBothReachTheServer) {
  const Bytes first = httpRead(server_->quoteUrl());
  const Bytes second = httpRead(server_->quoteUrl());

  EXPECT_EQ(first, server_->page());
  EXPECT_EQ(second, server_->page());
  const std::vector<ReceivedRequest> sent = newRequests();
  ASSERT_EQ(sent.size(), 2u);
  expectQuotePageRequest(sent[0], "GET /wcpq_hkd.php HTTP/1.0");
  expectQuotePageRequest(sent[1], "GET /wcpq_hkd.php HTTP/1.0");
}

// --- The bytes that come back ---

enum class Expected { Page, FirstHalfOfPage, Literal };

struct BodyCase {
  const char* behaviour;
  Expected expected;
  std::string literal = {};
};

void PrintTo(const BodyCase& c, std::ostream* out) { *out << c.behaviour; }

class HttpReadBodyTest : public HttpReadTest, public ::testing::WithParamInterface<BodyCase> {};

TEST_P(HttpReadBodyTest, GivesTheBodyAsReceived) {
  const BodyCase& c = GetParam();
  const Bytes body = httpRead(server_->quoteUrl(c.behaviour));

  switch (c.expected) {
    case Expected::Page: EXPECT_EQ(body, server_->page()); break;
    case Expected::FirstHalfOfPage: EXPECT_EQ(body, firstHalf(server_->page())); break;
    case Expected::Literal: EXPECT_EQ(body, c.literal); break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Replies, HttpReadBodyTest,
    ::testing::Values(
        BodyCase{"length-4", Expected::Literal, "HKG1"},
        BodyCase{"no-length", Expected::Page},
        BodyCase{"length-zero", Expected::Page},
        BodyCase{"longer", Expected::Page},   // announces 10 bytes
        BodyCase{"shorter", Expected::Page},  // announces 100 bytes more
        BodyCase{"zero-bytes", Expected::Literal,
                 std::string("HKG18770/\0LLG2015.30/\0\0LLS23.85/\0end", 36)},
        BodyCase{"empty", Expected::Literal, ""},
        BodyCase{"server-error", Expected::Page},  // status 500
        BodyCase{"redirect", Expected::Page},
        BodyCase{"large", Expected::Literal, test::patternedBytes(200000)},
        BodyCase{"announce-2gb", Expected::Literal, "HKG18770/."},
        // The connection is reset half-way through the body.
        BodyCase{"cut", Expected::FirstHalfOfPage}),
    [](const auto& info) {
      std::string name = info.param.behaviour;
      std::erase(name, '-');
      return name;
    });

TEST_F(HttpReadTest, GivesTheBodyOfANotFoundPage) {
  const Bytes body = httpRead(server_->quoteUrl("not-found"));

  EXPECT_TRUE(body.starts_with("<html>")) << body;
  EXPECT_NE(body.find("<h1>Not Found</h1>"), std::string::npos) << body;
  EXPECT_TRUE(body.ends_with("</html>\r\n")) << body;
}

TEST_F(HttpReadTest, HoldsABodyOf64MiB) {
  const Bytes body = httpRead(server_->quoteUrl("huge"));

  ASSERT_EQ(body.size(), 64u << 20);
  EXPECT_TRUE(body == test::patternedBytes(64u << 20));  // no dump of 64 MiB on failure
}

TEST_F(HttpReadTest, FollowsARedirectWithTheSameRequest) {
  httpRead(server_->quoteUrl("redirect"));

  const std::vector<ReceivedRequest> sent = newRequests();
  ASSERT_EQ(sent.size(), 2u);
  expectQuotePageRequest(sent[0], "GET /redirect/wcpq_hkd.php HTTP/1.0");
  expectQuotePageRequest(sent[1], "GET /quote/moved.php HTTP/1.0");
}

TEST_F(HttpReadTest, EndsALoopOfRedirectsWithTheLastReply) {
  const auto start = Clock::now();
  const Bytes body = httpRead(server_->quoteUrl("redirect-loop"));

  EXPECT_EQ(body, "again");  // the body of the last redirect
  EXPECT_LT(Clock::now() - start, readLimit);
  const std::vector<ReceivedRequest> sent = newRequests();
  EXPECT_GT(sent.size(), 2u);
  EXPECT_LT(sent.size(), 50u);
  for (const ReceivedRequest& request : sent) {
    EXPECT_EQ(request.requestLine, "GET /redirect-loop/wcpq_hkd.php HTTP/1.0");
  }
}

// --- Failures ---

class HttpReadUnusableUrlTest : public HttpReadTest,
                            public ::testing::WithParamInterface<std::string> {};

// URLs that fail before anything is sent. The ones with the server's address
// show that the failure, not the address, kept the request back.
TEST_P(HttpReadUnusableUrlTest, GivesNothingAndSendsNothing) {
  std::string url = GetParam();
  if (const std::size_t at = url.find("SERVER"); at != std::string::npos) {
    url.replace(at, 6, server_->address());
  }

  EXPECT_EQ(httpRead(url), "");
  EXPECT_TRUE(newRequests().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Urls, HttpReadUnusableUrlTest,
    ::testing::Values(
        "", "not a url", "http://",
        // A path of more than 2048 characters, a user name of more than 128.
        "http://SERVER/" + std::string(2100, 'p'),
        "http://" + std::string(200, 'u') + ":secret@SERVER/wcpq_hkd.php"));

// A loopback socket that is bound but does not listen: connecting to its port
// is refused.
class RefusingPort {
 public:
  RefusingPort() {
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (::bind(socket_, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
      port_ = ntohs(address.sin_port);
    }
  }
  ~RefusingPort() {
    if (socket_ != INVALID_SOCKET) closesocket(socket_);
    if (started_) WSACleanup();
  }
  RefusingPort(const RefusingPort&) = delete;
  RefusingPort& operator=(const RefusingPort&) = delete;

  int port() const { return port_; }

 private:
  bool started_ = false;
  SOCKET socket_ = INVALID_SOCKET;
  int port_ = 0;
};

TEST_F(HttpReadTest, GivesNothingAtOnceWhenTheHostDoesNotResolve) {
  const auto start = Clock::now();
  EXPECT_EQ(httpRead("http://quote-server.invalid/wcpq_hkd.php"), "");
  EXPECT_LT(Clock::now() - start, httpReceiveTimeout);
}

TEST_F(HttpReadTest, GivesNothingAtOnceWhenTheConnectionIsRefused) {
  const RefusingPort refusing;
  ASSERT_NE(refusing.port(), 0);

  const auto start = Clock::now();
  EXPECT_EQ(httpRead("http://127.0.0.1:" + std::to_string(refusing.port()) + "/wcpq_hkd.php"),
            "");
  EXPECT_LT(Clock::now() - start, httpReceiveTimeout);
}

// --- Slow servers: the read ends within its bound with the bytes so far ---

TEST_F(HttpReadTest, GivesUpOnAServerThatNeverAnswers) {
  const auto start = Clock::now();
  EXPECT_EQ(httpRead(server_->quoteUrl("silent")), "");
  EXPECT_LT(Clock::now() - start, readLimit + slack);
}

TEST_F(HttpReadTest, GivesTheBytesSoFarWhenTheServerStallsMidBody) {
  const auto start = Clock::now();
  EXPECT_EQ(httpRead(server_->quoteUrl("stall")), firstHalf(server_->page()));
  EXPECT_LT(Clock::now() - start, readLimit + slack);
}

TEST_F(HttpReadTest, StopsReadingAServerThatTricklesForEver) {
  const auto start = Clock::now();
  const Bytes body = httpRead(server_->quoteUrl("trickle"));  // a byte a second
  const auto took = Clock::now() - start;

  EXPECT_LT(took, readLimit + slack);
  EXPECT_FALSE(body.empty());
  EXPECT_EQ(body, std::string(body.size(), 'x'));
}

}  // namespace
}  // namespace tolvane
