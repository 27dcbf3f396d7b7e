#include "text/web_request.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/loopback_server.h"
#include "text/fetch_page.h"

namespace {

using loopback::RecordedRequest;
using loopback::ScriptedResponse;
using loopback::Server;
using ::testing::Pair;
using ::testing::UnorderedElementsAre;

constexpr const char* kFormType = "application/x-www-form-urlencoded";
constexpr const char* kUserAgent = "Mozilla/4.0 (compatible; Win32; WinHttp.WinHttpRequest.5)";

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

class WebRequestTest : public ::testing::Test {
 protected:
  void SetUp() override { loopback::ClearProxyEnvironment(); }
  void TearDown() override {
    SetHttpTimeoutsForTesting(kDefaultConnectTimeoutMs, kDefaultLowSpeedSeconds,
                              kDefaultTotalTimeoutMs);
  }

  // A request to the server's path with nothing else set.
  WebRequestParams To(const std::string& path) const {
    WebRequestParams params;
    params.url = server_.BaseUrl() + path;
    return params;
  }
  // The one request the server saw.
  RecordedRequest OnlyRequest() const {
    auto requests = server_.Requests();
    EXPECT_EQ(requests.size(), 1u);
    return requests.empty() ? RecordedRequest() : requests[0];
  }

  Server server_;
};

TEST_F(WebRequestTest, OnlyTheAddressGivesAPlainGetWithTheFormContentType) {
  server_.SetResponse(loopback::Ok("1.25"));
  EXPECT_EQ(WebRequest(server_.BaseUrl() + "/soft/renew/quelmar.php"), "1.25");

  RecordedRequest request = OnlyRequest();
  EXPECT_EQ(request.requestLine, "GET /soft/renew/quelmar.php HTTP/1.1");
  EXPECT_THAT(request.headers,
              UnorderedElementsAre(Pair("Host", "127.0.0.1:" + std::to_string(server_.port())),
                                   Pair("User-Agent", kUserAgent), Pair("Accept", "*/*"),
                                   Pair("Content-Type", kFormType)));
  EXPECT_EQ(request.body, "");
}

TEST_F(WebRequestTest, MethodsAndBodies) {
  // Long enough that libcurl would otherwise wait for a 100 Continue.
  const std::string longForm = "q=" + std::string(5000, 'x');
  struct Case {
    const char* method;
    const char* postData;
    const char* expectedLine;  // nullptr: nothing may be sent
    const char* expectedBody;
  } cases[] = {
      {"POST", "  a=1&b=2\xA1\xA1 ", "POST /form HTTP/1.1", "a=1&b=2"},
      {"POST", longForm.c_str(), "POST /form HTTP/1.1", longForm.c_str()},
      {"POST", "", "POST /form HTTP/1.1", ""},
      {"GET", "a=1", "GET /form HTTP/1.1", ""},
      {"", "a=1", "GET /form HTTP/1.1", ""},
      {"HEAD", "a=1", "HEAD /form HTTP/1.1", ""},
      {"post", "a=1", nullptr, ""},
      {"Get", "", nullptr, ""},
      {"PUT", "a=1", nullptr, ""},
      {" GET", "", nullptr, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("method \"") + c.method + "\"");
    Server server;
    server.SetResponse(loopback::Ok("answer"));
    WebRequestParams params;
    params.url = server.BaseUrl() + "/form";
    params.method = c.method;
    params.postData = c.postData;
    Text result = WebRequest(params);
    auto requests = server.Requests();
    if (c.expectedLine == nullptr) {
      EXPECT_EQ(requests.size(), 0u);
      EXPECT_EQ(result, "");
      continue;
    }
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].requestLine, c.expectedLine);
    EXPECT_EQ(requests[0].body, c.expectedBody);
    EXPECT_EQ(requests[0].Header("Content-Type"), kFormType);
    EXPECT_EQ(requests[0].Header("Expect"), std::nullopt);
    EXPECT_EQ(result, std::string(c.method) == "HEAD" ? "" : "answer");
  }
}

TEST_F(WebRequestTest, GivenHeadersAreSentAsGiven) {
  WebRequestParams params = To("/d/index?u=index/all/all/2");
  params.referer = "http://discountshop.market.example";
  params.contentType = "text/plain; charset=gbk";
  params.cookies = "sid=7; lang=zh";
  params.forwardedFor = "203.0.113.9";
  WebRequest(params);
  RecordedRequest request = OnlyRequest();
  EXPECT_EQ(request.Header("Referer"), "http://discountshop.market.example");
  EXPECT_EQ(request.Header("Content-Type"), "text/plain; charset=gbk");
  EXPECT_EQ(request.Header("Cookie"), "sid=7; lang=zh");
  EXPECT_EQ(request.Header("X-FORWARDED-FOR"), "203.0.113.9");
  EXPECT_EQ(params.forwardedFor, "203.0.113.9");
}

TEST_F(WebRequestTest, EmptyGivenTextsAreSentAsEmptyHeaders) {
  // The discount shop's reader passes an empty cookie text: given, so sent, though empty.
  WebRequestParams params = To("/list");
  params.cookies = "";
  params.referer = "";
  params.contentType = "";
  params.forwardedFor = "";
  WebRequest(params);
  RecordedRequest request = OnlyRequest();
  EXPECT_EQ(request.Header("Cookie"), "");
  EXPECT_EQ(request.Header("Referer"), "");
  EXPECT_EQ(request.Header("Content-Type"), "");
  EXPECT_EQ(request.Header("X-FORWARDED-FOR"), "");
}

TEST_F(WebRequestTest, HeaderValuesCannotInjectFurtherHeaders) {
  WebRequestParams params = To("/list");
  params.referer = "http://a.example/\r\nX-Injected: 1";
  params.cookies = "a=1\nX-Injected: 2";
  WebRequest(params);
  RecordedRequest request = OnlyRequest();
  EXPECT_EQ(request.Header("X-Injected"), std::nullopt);
  EXPECT_EQ(request.Header("Referer"), std::nullopt);
  EXPECT_EQ(request.Header("Cookie"), std::nullopt);
}

TEST_F(WebRequestTest, ResultKinds) {
  server_.SetResponse({"HTTP/1.1 200 OK",
                       {{"Content-Type", "text/plain; charset=gbk"}, {"Set-Cookie", "a=1; Path=/"}},
                       "\xBE\xC5\xBF\xE9\xD3\xCA"});
  const std::string headers =
      "Content-Type: text/plain; charset=gbk\r\nSet-Cookie: a=1; Path=/\r\nContent-Length: 6\r\n";
  struct Case {
    const char* kind;
    std::string expected;
  } cases[] = {
      {"头部", headers}, {"内容", "九块邮"}, {"", "九块邮"}, {"全部", headers + "\r\n" + "九块邮"},
      {"其他", ""},      {"all", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    WebRequestParams params = To("/page");
    params.resultKind = c.kind;
    EXPECT_EQ(WebRequest(params), c.expected);
    EXPECT_EQ(params.cookies, "a=1; ");
  }
}

TEST_F(WebRequestTest, CookiesHandedBackAreTheOnesThisResponseSet) {
  struct Case {
    const char* name;
    loopback::HeaderList headers;
    std::optional<Text> cookiesIn;
    Text expected;
  } cases[] = {
      {"two", {{"Set-Cookie", "a=1; Path=/"}, {"Set-Cookie", "b=2; HttpOnly"}}, "", "a=1; b=2; "},
      {"replacing what was passed",
       {{"Set-Cookie", "a=1; Path=/"}, {"Set-Cookie", "b=2; HttpOnly"}},
       "old=9",
       "a=1; b=2; "},
      {"also when none were passed", {{"Set-Cookie", "a=1; Path=/"}}, std::nullopt, "a=1; "},
      {"none set", {{"X-Other", "v; w"}}, "old=9", ""},
      {"marker in another letter case", {{"set-cookie", "c=3; Path=/"}}, std::nullopt, "c=3; "},
      {"without a semicolon, to the next one across lines",
       {{"Set-Cookie", "a=1"}, {"X-Note", "z; q"}},
       std::nullopt,
       "a=1\r\nX-Note: z; "},
      {"without a semicolon and none after", {{"Set-Cookie", "a=1"}}, std::nullopt, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    server_.SetResponse({"HTTP/1.1 200 OK", c.headers, "body"});
    WebRequestParams params = To("/cookies");
    params.cookies = c.cookiesIn;
    EXPECT_EQ(WebRequest(params), "body");
    EXPECT_EQ(params.cookies, c.expected);
  }
}

TEST_F(WebRequestTest, FailureGivesEmptyResultsAndNoCookies) {
  loopback::RefusingPort refusing;
  struct Case {
    const char* kind;
    const char* expected;
  } cases[] = {{"", ""}, {"内容", ""}, {"头部", ""}, {"全部", "\r\n"}, {"其他", ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    WebRequestParams params;
    params.url = refusing.BaseUrl() + "/page";
    params.resultKind = c.kind;
    params.cookies = "a=1";
    EXPECT_EQ(WebRequest(params), c.expected);
    EXPECT_EQ(params.cookies, "");
  }
  // An unopened request behaves the same.
  WebRequestParams params = To("/page");
  params.method = "post";
  params.resultKind = "全部";
  params.cookies = "a=1";
  EXPECT_EQ(WebRequest(params), "\r\n");
  EXPECT_EQ(params.cookies, "");
  EXPECT_EQ(server_.RequestCount(), 0u);
}

TEST_F(WebRequestTest, ErrorStatusIsAnsweredLikeAnyOther) {
  server_.SetResponse({"HTTP/1.1 503 Service Unavailable", {{"Set-Cookie", "busy=1; x"}}, "later"});
  WebRequestParams params = To("/busy");
  EXPECT_EQ(WebRequest(params), "later");
  EXPECT_EQ(params.cookies, "busy=1; ");
}

// The four numbers of a dotted address, or fewer when it is not one.
std::vector<int> Octets(const Text& address) {
  std::vector<int> octets;
  size_t start = 0;
  while (start <= address.size()) {
    size_t dot = address.find('.', start);
    std::string part = address.substr(start, dot == Text::npos ? Text::npos : dot - start);
    if (part.empty() || part.find_first_not_of("0123456789") != std::string::npos) return {};
    octets.push_back(std::atoi(part.c_str()));
    if (dot == Text::npos) break;
    start = dot + 1;
  }
  return octets;
}

TEST_F(WebRequestTest, ForgedAddressesLieInTheirModesRanges) {
  const std::map<int, std::pair<int, int>> prefixes = {
      {36, {56, 63}},    {61, {232, 237}}, {106, {80, 95}}, {121, {76, 77}}, {123, {232, 235}},
      {139, {196, 215}}, {171, {8, 15}},   {182, {80, 92}}, {210, {25, 47}}, {222, {16, 95}},
  };
  constexpr int kDraws = 300;
  for (const char* mode : {"1", "2", "3"}) {
    SCOPED_TRACE(std::string("mode ") + mode);
    Server server;
    std::set<Text> distinct;
    std::set<int> firstOctets;
    for (int i = 0; i < kDraws; ++i) {
      WebRequestParams params;
      params.url = server.BaseUrl() + "/";
      params.forwardedFor = mode;
      WebRequest(params);
      const Text& address = *params.forwardedFor;
      std::vector<int> octets = Octets(address);
      ASSERT_EQ(octets.size(), 4u) << address;
      if (*mode == '1') {
        auto row = prefixes.find(octets[0]);
        ASSERT_NE(row, prefixes.end()) << address;
        EXPECT_GE(octets[1], row->second.first) << address;
        EXPECT_LE(octets[1], row->second.second) << address;
        for (int k = 2; k < 4; ++k) {
          EXPECT_GE(octets[k], 1) << address;
          EXPECT_LE(octets[k], 255) << address;
        }
      } else {
        int low = *mode == '2' ? 1 : 256;
        int high = *mode == '2' ? 255 : 999;
        for (int octet : octets) {
          EXPECT_GE(octet, low) << address;
          EXPECT_LE(octet, high) << address;
        }
      }
      distinct.insert(address);
      firstOctets.insert(octets[0]);
    }
    // Draws in quick succession still differ: the reseed mixes in more than the clock.
    EXPECT_GT(distinct.size(), kDraws * 9 / 10);
    if (*mode == '1') {
      EXPECT_EQ(firstOctets.size(), prefixes.size());
    }
    // Each address went out as it was handed back, and through no proxy.
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), static_cast<size_t>(kDraws));
    for (const RecordedRequest& request : requests) {
      EXPECT_EQ(request.target, "/");
      EXPECT_TRUE(request.Header("X-FORWARDED-FOR").has_value());
      EXPECT_TRUE(distinct.count(*request.Header("X-FORWARDED-FOR")));
    }
  }
}

TEST_F(WebRequestTest, ForwardedAddressWithAPortAlsoNamesTheProxy) {
  server_.SetResponse(loopback::Ok("via proxy"));
  const Text proxy = "127.0.0.1:" + std::to_string(server_.port());
  const std::string address = "http://discountshop.proxytest.example/d/index?u=index/all/all/1";
  for (const Text& forwardedFor : {proxy, " " + proxy + "\xA1\xA1"}) {
    SCOPED_TRACE(forwardedFor);
    size_t before = server_.RequestCount();
    WebRequestParams params;
    params.url = address;
    params.forwardedFor = forwardedFor;
    EXPECT_EQ(WebRequest(params), "via proxy");
    EXPECT_EQ(params.forwardedFor, forwardedFor);
    auto requests = server_.Requests();
    ASSERT_EQ(requests.size(), before + 1);
    EXPECT_EQ(requests.back().requestLine, "GET " + address + " HTTP/1.1");
    EXPECT_EQ(requests.back().Header("Host"), "discountshop.proxytest.example");
    // The header carries the text as given (the server trims the blanks around a value).
    EXPECT_EQ(requests.back().Header("X-FORWARDED-FOR"),
              forwardedFor == proxy ? proxy : proxy + "\xA1\xA1");
  }
}

TEST_F(WebRequestTest, BodyIsDecodedIntoGbkByItsDeclaredCharset) {
  const std::string gbk = "九块邮 1.5元";
  const std::string utf8 = Utf8(u8"九块邮 1.5元");
  struct Case {
    const char* name;
    std::optional<std::string> contentType;
    std::string body;
    std::string expected;
  } cases[] = {
      {"utf-8", "text/html; charset=utf-8", utf8, gbk},
      {"UTF-8 quoted", "text/html; charset=\"UTF-8\"", utf8, gbk},
      {"gbk kept", "text/html; charset=GBK", gbk, gbk},
      {"gb2312 kept", "text/html;charset=gb2312", gbk, gbk},
      {"gb18030 kept", "text/html; charset=gb18030", gbk, gbk},
      {"big5 converted", "text/plain; charset=big5", "\xA4\x45", "九"},
      {"none declared, valid utf-8", "text/html", utf8, gbk},
      {"no content type, valid utf-8", std::nullopt, utf8, gbk},
      {"none declared, gbk bytes kept", "text/html", gbk, gbk},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    loopback::HeaderList headers;
    if (c.contentType) headers.emplace_back("Content-Type", *c.contentType);
    server_.SetResponse({"HTTP/1.1 200 OK", headers, c.body});
    EXPECT_EQ(WebRequest(server_.BaseUrl() + "/page"), c.expected);
  }
}

TEST_F(WebRequestTest, TextEndsAtTheFirstZeroByte) {
  server_.SetResponse(
      loopback::Ok(std::string("ab\0cd", 5), {{"Content-Type", "text/plain; charset=gbk"}}));
  WebRequestParams params = To("/zero");
  params.resultKind = "全部";
  EXPECT_EQ(WebRequest(params),
            "Content-Type: text/plain; charset=gbk\r\nContent-Length: 5\r\n\r\nab");
}

TEST_F(WebRequestTest, RedirectsAreFollowedUnlessSwitchedOff) {
  server_.SetHandler([](const RecordedRequest& request) {
    if (request.Path() == "/final") return loopback::Ok("final", {{"Set-Cookie", "f=1; x"}});
    return ScriptedResponse{
        "HTTP/1.1 302 Found", {{"Location", "/final"}, {"Set-Cookie", "r=1; x"}}, "moved"};
  });
  WebRequestParams followed = To("/start");
  EXPECT_EQ(WebRequest(followed), "final");
  EXPECT_EQ(followed.cookies, "f=1; ");

  WebRequestParams stopped = To("/start");
  stopped.noRedirect = true;
  stopped.resultKind = "全部";
  EXPECT_EQ(WebRequest(stopped),
            "Location: /final\r\nSet-Cookie: r=1; x\r\nContent-Length: 5\r\n\r\nmoved");
  EXPECT_EQ(stopped.cookies, "r=1; ");
}

// Runs WebRequest on another thread; nullopt if it has not returned within a minute.
std::optional<Text> RequestReturning(WebRequestParams params) {
  auto result = std::async(std::launch::async, [params]() mutable { return WebRequest(params); });
  if (result.wait_for(std::chrono::minutes(1)) != std::future_status::ready) return std::nullopt;
  return result.get();
}

TEST_F(WebRequestTest, StalledServerIsGivenUp) {
  server_.SetResponse({"HTTP/1.1 200 OK", {}, "never sent", true, -1});
  struct Case {
    const char* name;
    int timeoutMs;
    long lowSpeedSeconds;  // of the common limits
  } cases[] = {{"by the call's own time limit", 300, kDefaultLowSpeedSeconds},
               {"by the common limits", 0, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetHttpTimeoutsForTesting(1000, c.lowSpeedSeconds, kDefaultTotalTimeoutMs);
    WebRequestParams params = To("/stalled");
    params.timeoutMs = c.timeoutMs;
    auto result = RequestReturning(params);
    ASSERT_TRUE(result.has_value()) << "WebRequest did not give up";
    EXPECT_EQ(*result, "");
  }
}

TEST_F(WebRequestTest, BrokenOffResponseCountsAsFailed) {
  ScriptedResponse response = loopback::Ok(std::string(20'000, 'r'), {{"Set-Cookie", "a=1; x"}});
  response.resetAfterBodyBytes = 5000;
  server_.SetResponse(response);
  WebRequestParams params = To("/reset");
  EXPECT_EQ(WebRequest(params), "");
  EXPECT_EQ(params.cookies, "");
}

TEST_F(WebRequestTest, BodyOverTheCapIsCutAtTheCap) {
  std::string body(static_cast<size_t>(kMaxBodyBytes) + 4096, 'c');
  server_.SetResponse(loopback::Ok(body, {{"Content-Type", "text/plain; charset=gbk"}}));
  Text result = WebRequest(server_.BaseUrl() + "/huge");
  EXPECT_EQ(result.size(), static_cast<size_t>(kMaxBodyBytes));
}

TEST_F(WebRequestTest, OnlyHttpAndHttpsAreRequested) {
  for (const char* address : {"file:///etc/hostname", "ftp://127.0.0.1/", "not an address"}) {
    SCOPED_TRACE(address);
    EXPECT_EQ(WebRequest(address), "");
  }
}

}  // namespace
