#include "text/fetch_page.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "support/loopback_server.h"

namespace {

using loopback::RecordedRequest;
using loopback::ScriptedResponse;
using loopback::Server;
using ::testing::Pair;
using ::testing::UnorderedElementsAre;

constexpr const char* kUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

// Every test starts without a proxy in the environment (so loopback requests go straight to
// the server) and with the program's own limits; tests that shorten them get them back here.
class FetchPageTest : public ::testing::Test {
 protected:
  void SetUp() override { loopback::ClearProxyEnvironment(); }
  void TearDown() override {
    unsetenv("http_proxy");
    SetHttpTimeoutsForTesting(kDefaultConnectTimeoutMs, kDefaultLowSpeedSeconds,
                              kDefaultTotalTimeoutMs);
  }
  // Short limits, for a server that stalls: under 1 byte/s for 1 s, 3 s in all. (libcurl
  // averages the speed over a few seconds, so a stall after a burst is caught by the total.)
  static void UseShortLimits() { SetHttpTimeoutsForTesting(1000, 1, 3000); }
};

// Runs FetchPage on another thread and gives its result, or nullopt if it has not returned
// within a minute (which only a missing limit explains; the server's stop then frees it).
std::optional<std::string> FetchReturning(const std::string& address) {
  auto result = std::async(std::launch::async, [address] { return FetchPage(address); });
  if (result.wait_for(std::chrono::minutes(1)) != std::future_status::ready) return std::nullopt;
  return result.get();
}

TEST_F(FetchPageTest, RequestArrivesAsHttp10WithOnlyOurTwoHeaders) {
  const char* targets[] = {
      "/d/jiu?&u=jiu/all/3",
      "/tg/today_items.htm?&stype=newest&reverse=down&page=12",
      "/json/qItems4EOYSale.htm?type=3&catId=50&page=1&pageSize=60",
      "/a/../b/./c?q=%41%2f&x=",
  };
  for (const char* target : targets) {
    SCOPED_TRACE(target);
    Server server;
    server.SetResponse(loopback::Ok("page"));
    EXPECT_EQ(FetchPage(server.BaseUrl() + target), "page");
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    const RecordedRequest& request = requests[0];
    EXPECT_EQ(request.requestLine, std::string("GET ") + target + " HTTP/1.0");
    EXPECT_THAT(request.headers,
                UnorderedElementsAre(Pair("Host", "127.0.0.1:" + std::to_string(server.port())),
                                     Pair("User-Agent", kUserAgent), Pair("Accept", "*/*")));
    EXPECT_EQ(request.body, "");
  }
}

TEST_F(FetchPageTest, GoesThroughTheProxyOfTheEnvironmentInAbsoluteForm) {
  Server proxy;
  proxy.SetResponse(loopback::Ok("via proxy"));
  setenv("http_proxy", proxy.BaseUrl().c_str(), 1);
  std::string address = "http://nine.proxytest.example/d/jiu?&u=jiu/all/2";

  EXPECT_EQ(FetchPage(address), "via proxy");

  auto requests = proxy.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].requestLine, "GET " + address + " HTTP/1.0");
  EXPECT_EQ(requests[0].Path(), "/d/jiu?&u=jiu/all/2");
  EXPECT_THAT(requests[0].headers,
              UnorderedElementsAre(Pair("Host", "nine.proxytest.example"),
                                   Pair("User-Agent", kUserAgent), Pair("Accept", "*/*")));
}

TEST_F(FetchPageTest, BodyComesBackWholeWhateverTheStatus) {
  std::string bytes = "\xBE\xC5\xBF\xE9\xD3\xCA";  // GBK, with a zero byte and CR LF after it
  bytes += std::string("\0tail\r\n", 7);
  std::string large(300 * 1024, 'x');
  for (size_t i = 0; i < large.size(); i += 1000) large[i] = static_cast<char>('a' + i % 26);
  struct Case {
    const char* name;
    ScriptedResponse response;
  } cases[] = {
      {"ok", loopback::Ok(bytes)},
      {"not found", {"HTTP/1.1 404 Not Found", {}, "no such page"}},
      {"server error", {"HTTP/1.0 500 Internal Server Error", {}, "broken"}},
      {"empty", loopback::Ok("")},
      {"large", loopback::Ok(large)},
      {"until the connection ends", {"HTTP/1.0 200 OK", {}, large, false}},
      {"in small pieces", {"HTTP/1.1 200 OK", {}, bytes + bytes, true, 0, -1, 3, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Server server;
    server.SetResponse(c.response);
    EXPECT_EQ(FetchPage(server.BaseUrl() + "/page"), c.response.body);
  }
}

TEST_F(FetchPageTest, FollowsAFewRedirectsOfHttpOnly) {
  struct Case {
    const char* name;
    int hops;              // redirects before /final
    const char* location;  // of the first hop; empty: /hop<n>
    std::string expected;
  } cases[] = {
      {"one", 1, "", "final page"},
      {"five", 5, "", "final page"},
      {"six is too many", 6, "", ""},
      {"to a local file", 1, "file:///etc/hostname", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Server server([&c](const RecordedRequest& request) {
      std::string path = request.Path();
      int hop = path.rfind("/hop", 0) == 0 ? std::atoi(path.c_str() + 4) : 0;
      if (path == "/final") return loopback::Ok("final page");
      std::string next = hop + 1 < c.hops ? "/hop" + std::to_string(hop + 1) : "/final";
      if (hop == 0 && *c.location != '\0') next = c.location;
      return ScriptedResponse{"HTTP/1.1 302 Found", {{"Location", next}}, "moved"};
    });
    EXPECT_EQ(FetchPage(server.BaseUrl() + "/hop0"), c.expected);
  }
}

TEST_F(FetchPageTest, FailuresGiveNoBytes) {
  Server server;
  server.SetResponse(loopback::Ok("should not be read"));
  loopback::RefusingPort refusing;
  std::string port = std::to_string(server.port());
  const std::string addresses[] = {
      refusing.BaseUrl() + "/d/jiu",
      "",
      "not an address",
      "http://",
      "file:///etc/hostname",
      "ftp://127.0.0.1:" + port + "/",
      "gopher://127.0.0.1:" + port + "/",
  };
  for (const std::string& address : addresses) {
    SCOPED_TRACE(address);
    EXPECT_EQ(FetchPage(address), "");
  }
  EXPECT_EQ(server.RequestCount(), 0u);
}

TEST_F(FetchPageTest, StalledServerIsGivenUpWithinTheLimits) {
  UseShortLimits();
  std::string body(4000, 'b');
  struct Case {
    const char* name;
    ScriptedResponse response;
    std::string expected;
  } cases[] = {
      {"before the head", {"HTTP/1.1 200 OK", {}, body, true, -1}, ""},
      {"in the middle of the body",
       {"HTTP/1.1 200 OK", {}, body, true, 0, -1, 1000, -1},
       body.substr(0, 1000)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Server server;
    server.SetResponse(c.response);
    auto result = FetchReturning(server.BaseUrl() + "/stalled");
    ASSERT_TRUE(result.has_value()) << "FetchPage did not give up";
    EXPECT_EQ(*result, c.expected);
  }
}

TEST_F(FetchPageTest, SlowTrickleIsCutByTheOverallLimit) {
  // 10 bytes every 50 ms is no stall, but would take far longer than the 1.5 s limit.
  SetHttpTimeoutsForTesting(1000, 1, 1500);
  std::string body(100'000, 't');
  Server server;
  server.SetResponse({"HTTP/1.1 200 OK", {}, body, true, 0, -1, 10, 50});
  auto result = FetchReturning(server.BaseUrl() + "/slow");
  ASSERT_TRUE(result.has_value()) << "FetchPage did not give up";
  EXPECT_FALSE(result->empty());
  EXPECT_LT(result->size(), body.size());
  EXPECT_EQ(*result, body.substr(0, result->size()));
}

TEST_F(FetchPageTest, ResetInTheMiddleOfTheBodyKeepsWhatWasRead) {
  std::string body(20'000, 'r');
  for (size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>('a' + i % 26);
  Server server;
  ScriptedResponse response = loopback::Ok(body);
  response.resetAfterBodyBytes = 5000;
  server.SetResponse(response);
  EXPECT_EQ(FetchPage(server.BaseUrl() + "/reset"), body.substr(0, 5000));
}

TEST_F(FetchPageTest, BodyOverTheCapIsCutAtTheCap) {
  std::string body(static_cast<size_t>(kMaxBodyBytes) + 4096, 'c');
  body[static_cast<size_t>(kMaxBodyBytes) - 1] = 'L';
  struct Case {
    const char* name;
    bool contentLength;
  } cases[] = {{"announced", true}, {"unannounced", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Server server;
    server.SetResponse({"HTTP/1.1 200 OK", {}, body, c.contentLength});
    std::string result = FetchPage(server.BaseUrl() + "/huge");
    ASSERT_EQ(result.size(), static_cast<size_t>(kMaxBodyBytes));
    EXPECT_TRUE(std::equal(result.begin(), result.end(), body.begin()));
  }
}

TEST_F(FetchPageTest, SeveralThreadsFetchAtOnce) {
  Server server([](const RecordedRequest& request) {
    // Each answer is slow enough that the threads' requests overlap.
    ScriptedResponse response = loopback::Ok("body of " + request.Path() + std::string(5000, '.'));
    response.trickleBytes = 1000;
    response.trickleIntervalMs = 5;
    return response;
  });
  constexpr int kThreads = 8;
  constexpr int kPagesEach = 4;
  std::vector<std::vector<std::string>> results(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int p = 0; p < kPagesEach; ++p) {
        results[t].push_back(
            FetchPage(server.BaseUrl() + "/t" + std::to_string(t) + "/p" + std::to_string(p)));
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) {
    for (int p = 0; p < kPagesEach; ++p) {
      EXPECT_EQ(results[t][p], "body of /t" + std::to_string(t) + "/p" + std::to_string(p) +
                                   std::string(5000, '.'));
    }
  }
  EXPECT_EQ(server.RequestCount(), static_cast<size_t>(kThreads * kPagesEach));
}

}  // namespace
