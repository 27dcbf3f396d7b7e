// The sample marketplace as its users meet it: a process started on port 0, spoken to over
// loopback with a raw socket, its pages taken apart with the readers' own marker rules.
#include <arpa/inet.h>
#include <iconv.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "gtest/gtest.h"
#include "text/hosts.h"

namespace {

std::string MarketBinary() {
  const char* dir = std::getenv("DH_BUILD_DIR");
  return std::string(dir != nullptr ? dir : ".") + "/sample-market";
}

// Strict GBK to UTF-8: false when the bytes are not GBK.
bool GbkToUtf8(std::string_view gbk, std::string& utf8) {
  iconv_t cd = iconv_open("UTF-8", "GBK");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  utf8.assign(gbk.size() * 2 + 4, '\0');
  char* in = const_cast<char*>(gbk.data());
  std::size_t in_left = gbk.size(), out_left = utf8.size();
  char* out = utf8.data();
  bool ok = iconv(cd, &in, &in_left, &out, &out_left) != static_cast<std::size_t>(-1);
  iconv_close(cd);
  utf8.resize(utf8.size() - out_left);
  return ok;
}

// One server process: started on port 0, its port read from the port file, stopped by SIGTERM.
class Market {
 public:
  explicit Market(std::vector<std::string> args) {
    char dir_template[] = "/tmp/sample-market-test-XXXXXX";
    const char* dir = mkdtemp(dir_template);
    dir_ = dir != nullptr ? dir : "/tmp";
    log_ = dir_ + "/requests.log";
    port_file_ = dir_ + "/port";
    std::string port_file = port_file_;
    args.insert(args.begin(),
                {MarketBinary(), "--port", "0", "--port-file", port_file, "--log", log_});
    pid_ = fork();
    if (pid_ == 0) {
      std::vector<char*> argv;
      for (std::string& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      if (std::freopen("/dev/null", "w", stdout) == nullptr) _exit(126);
      execv(argv[0], argv.data());
      _exit(127);
    }
    for (int i = 0; i < 500 && port_ == 0; ++i) {
      std::ifstream in(port_file);
      if (!(in >> port_)) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  ~Market() {
    if (pid_ > 0) Stop();
    unlink(log_.c_str());
    unlink(port_file_.c_str());
    rmdir(dir_.c_str());
  }
  int port() const { return port_; }
  const std::string& log() const { return log_; }

  // Stop: SIGTERM and the exit status; a server still running after 10 s is killed (-1).
  int Stop() {
    kill(pid_, SIGTERM);
    int status = 0;
    for (int i = 0; i < 1000; ++i) {
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, &status, 0);
    pid_ = 0;
    return -1;
  }

 private:
  pid_t pid_ = -1;
  int port_ = 0;
  std::string dir_, log_, port_file_;
};

struct Reply {
  bool reset = false;  // the connection ended with an error (a reset) rather than a close
  int status = 0;
  std::string head, body;
  std::size_t content_length = 0;

  std::string Header(std::string_view name) const {
    std::size_t at = head.find("\r\n" + std::string(name) + ": ");
    if (at == std::string::npos) return "";
    at += name.size() + 4;
    return head.substr(at, head.find("\r\n", at) - at);
  }
};

int Connect(int port) {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<std::uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

// Exchange: sends request as it stands and reads until the server closes or timeout_ms passes.
Reply Exchange(int port, const std::string& request, int timeout_ms = 5000) {
  Reply r;
  int fd = Connect(port);
  if (fd < 0) return r;
  timeval tv{timeout_ms / 1000, timeout_ms % 1000 * 1000};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
  send(fd, request.data(), request.size(), MSG_NOSIGNAL);
  std::string raw;
  char buf[65536];
  while (true) {
    ssize_t n = recv(fd, buf, sizeof buf, 0);
    if (n > 0) {
      raw.append(buf, static_cast<std::size_t>(n));
      continue;
    }
    r.reset = n < 0;
    break;
  }
  close(fd);
  std::size_t end = raw.find("\r\n\r\n");
  if (end == std::string::npos) return r;
  r.head = raw.substr(0, end + 2);
  r.body = raw.substr(end + 4);
  std::sscanf(r.head.c_str(), "HTTP/1.1 %d", &r.status);
  r.content_length = std::strtoul(r.Header("Content-Length").c_str(), nullptr, 10);
  return r;
}

Reply Get(int port, const std::string& origin, int timeout_ms = 5000) {
  return Exchange(port, "GET " + origin + " HTTP/1.0\r\nUser-Agent: test\r\nAccept: */*\r\n\r\n",
                  timeout_ms);
}

// --- The readers' marker rules: GBK characters stepped, markers found ignoring ASCII case. ---

std::size_t Find(std::string_view text, std::string_view marker, std::size_t from, bool fold) {
  auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
  for (std::size_t i = from; i + marker.size() <= text.size();
       i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1) {
    std::size_t k = 0;
    while (k < marker.size() && (fold ? lower(static_cast<unsigned char>(text[i + k])) ==
                                            lower(static_cast<unsigned char>(marker[k]))
                                      : text[i + k] == marker[k])) {
      ++k;
    }
    if (k == marker.size()) return i;
  }
  return std::string_view::npos;
}

std::vector<std::string> BetweenAll(std::string_view text, std::string_view l, std::string_view r) {
  std::vector<std::string> out;
  for (std::size_t p = 0, i; (i = Find(text, l, p, true)) != std::string_view::npos;) {
    p = i + l.size();
    std::size_t q = Find(text, r, p, true);
    if (q != std::string_view::npos) out.emplace_back(text.substr(p, q - p));
  }
  return out;
}

std::string Between(std::string_view text, std::string_view l, std::string_view r) {
  std::vector<std::string> all = BetweenAll(text, l, r);
  return all.empty() ? "" : all[0];
}

std::vector<std::string> Split(std::string_view text, std::string_view d) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (std::size_t i; (i = Find(text, d, start, false)) != std::string_view::npos;) {
    out.emplace_back(text.substr(start, i - start));
    start = i + d.size();
  }
  if (start < text.size()) out.emplace_back(text.substr(start));
  return out;
}

std::string Remove(std::string text, std::initializer_list<std::string_view> targets) {
  for (std::string_view t : targets) {
    std::string kept;
    for (std::size_t i = 0; i < text.size();) {
      if (text.compare(i, t.size(), t) == 0) {
        i += t.size();
        continue;
      }
      std::size_t n = static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1;
      kept.append(text, i, n);
      i += n;
    }
    text = kept;
  }
  return text;
}

// An item as --print-items prints it: the fields TAB-separated, in UTF-8.
std::string Line(std::string_view source, int page, const std::string& title,
                 const std::string& original, const std::string& price, const std::string& discount,
                 const std::string& link) {
  std::string gbk = std::string(source) + "\t" + std::to_string(page) + "\t" + title + "\t" +
                    original + "\t" + price + "\t" + discount + "\t" + link + "\tyes";
  std::string utf8;
  EXPECT_TRUE(GbkToUtf8(gbk, utf8)) << "not GBK: " << gbk;
  return utf8;
}

using Reader = std::vector<std::string> (*)(std::string_view body, int page);

std::vector<std::string> ReadNineYuan(std::string_view body, int page) {
  std::vector<std::string> out;
  for (const std::string& b : Split(body, "list-good buy")) {
    std::string title = Remove(Between(Between(b, "<a class=\"title\"", "</h5>"), "\">", "</a>"),
                               {" ", "\r", "\n"});
    std::string link = Between(b, "href=\"", "\"");
    if (Find(link, "/d/jiu", 0, false) != std::string::npos) link.clear();
    if (title.size() < 3 || link.size() < 11) continue;
    out.push_back(Line("九块邮", page, title, Between(b, "原价", "元"),
                       Between(b, "拍下价格", "元"), Between(b, "discount\"><b>", "</b>"), link));
  }
  return out;
}

std::vector<std::string> ReadGroupBuy(std::string_view body, int page) {
  std::vector<std::string> out;
  for (const std::string& b :
       BetweenAll(Between(body, "J_JuHomeList", "</html>"), "<li class=", "</li>")) {
    std::string title = Remove(Between(Between(b, "<h3 title=", "3>"), ">", "</h"),
                               {"\n", "\r", " ", "<spanclass=\"benefit\">包邮</span>"});
    std::string area = Between(b, "class=\"price\"", "pan>");
    std::string price = Find(area, "&yen;", 0, false) == std::string::npos
                            ? Between(area, "<em>", "</em>") + "积分"
                            : Remove(Between(area, "<em>", "</s"), {"</em>"});
    std::string link = Between(b, "href=\"", "\"");
    if (title.size() < 3 || link.size() < 11) continue;
    out.push_back(Line("聚划算", page, title, Remove(Between(b, "orig-price\">", "<"), {"&yen;"}),
                       price, "", link));
  }
  return out;
}

std::vector<std::string> ReadDiscountShop(std::string_view body, int page) {
  std::vector<std::string> out;
  for (const std::string& b : Split(body, "list-good")) {
    std::string title = Remove(Between(Between(b, "good-title\"", "</h5>"), "_blank\">", "</a>"),
                               {"<b>", "</b>", " ", "\r", "\n"});
    std::string link = Between(b, "href=\"", "\"");
    if (Find(link, "/d/brand", 0, false) != std::string::npos) link.clear();
    if (title.size() < 3 || link.size() < 11) continue;
    out.push_back(Line("卷皮折扣", page, title,
                       Between(Between(b, "price-old", "span>"), "</em>", "</"),
                       Between(Between(b, "price-current", "span>"), "</em>", "</"),
                       Between(b, "discount\"><b>", "</b>"), link));
  }
  return out;
}

std::vector<std::string> ReadDailySpecials(std::string_view body, int list) {
  std::vector<std::string> out;
  for (const std::string& b : BetweenAll(body, "<dl class=", "</dl>")) {
    std::string title = Remove(Between(Between(b, "<dd class=\"title\">", "</dd>"), "\">", "</a>"),
                               {"\n", "\r", " "});
    std::string price = list == 2 ? Between(b, "<dd>邮费：<strong>", "</strong>")
                                  : Between(b, "<dd><strong>", "</strong>");
    std::string link = Between(b, "<a href=\"", "\"");
    if (title.size() < 3 || link.size() < 11) continue;
    out.push_back(
        Line("天天特价", list, title, Between(b, "<dd><del>", "</del>"), price, "", link));
  }
  return out;
}

std::vector<std::string> ReadFeed(std::string_view body, int page, std::string_view category) {
  std::vector<std::string> out;
  for (const std::string& r : BetweenAll(body, "{\"act", "},")) {
    std::string title = Between(r, "title\":\"", "\"");
    std::string id = Between(r, "num_iid\":", ",");
    if (title.size() < 3 || id.size() < 2) continue;
    out.push_back(Line(category, page, title, Between(r, "\"price\":", ","),
                       Between(r, "_price\":", ","), "",
                       std::string("http://") + hosts::kItemPage + "/item.htm?id=" + id));
  }
  return out;
}

// The plausible items --print-items names for one source and page.
std::vector<std::string> Truth(const std::string& all, const std::string& source_utf8, int page) {
  std::vector<std::string> out;
  std::istringstream in(all);
  std::string prefix = source_utf8 + "\t" + std::to_string(page) + "\t";
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(prefix, 0) == 0 && line.ends_with("\tyes")) out.push_back(line);
  }
  return out;
}

std::string PrintItems(const std::string& seed) {
  std::string out;
  std::FILE* p = popen((MarketBinary() + " --print-items --seed " + seed).c_str(), "r");
  if (p == nullptr) return out;
  char buf[65536];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
  EXPECT_EQ(pclose(p), 0);
  return out;
}

std::string Utf8(std::string_view gbk) {
  std::string out;
  GbkToUtf8(gbk, out);
  return out;
}

class SampleMarketTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    market_ = new Market({"--seed", "7"});
    truth_ = new std::string(PrintItems("7"));
  }
  static void TearDownTestSuite() {
    delete market_;
    delete truth_;
  }
  void SetUp() override {
    ASSERT_GT(market_->port(), 0) << "sample-market did not start: " << MarketBinary();
  }
  static Market* market_;
  static std::string* truth_;
};
Market* SampleMarketTest::market_ = nullptr;
std::string* SampleMarketTest::truth_ = nullptr;

TEST_F(SampleMarketTest, PagesAreGbkOfRealisticSizeWithTheirContentTypes) {
  struct Case {
    const char* origin;
    const char* content_type;
    std::size_t min_bytes, max_bytes;
  };
  const Case cases[] = {
      {"/d/jiu?&u=jiu/all/1", "text/html; charset=gbk", 100000, 300000},
      {"/tg/today_items.htm?&stype=newest&reverse=down&page=19", "text/html; charset=gbk", 100000,
       300000},
      {"/d/index?u=index/all/all/9", "text/html; charset=gbk", 100000, 300000},
      {"/ten.htm", "text/html; charset=gbk", 100000, 300000},
      {"/ten/fuyou.htm", "text/html; charset=gbk", 100000, 300000},
      {"/json/qItems4EOYSale.htm?type=3&catId=30&page=1&pageSize=100&_ksTS=&callback=callback2",
       "application/javascript; charset=gbk", 10000, 300000},
      {"/d/jiu?&u=jiu/all/10", "text/html; charset=gbk", 1000, 100000},  // past the last page
      {"/item.htm?id=123456", "text/html; charset=gbk", 100, 10000},
      {"/soft/renew/quelmar.php", "text/plain", 4, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.origin);
    Reply r = Get(market_->port(), c.origin);
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.Header("Content-Type"), c.content_type);
    EXPECT_EQ(r.Header("Connection"), "close");
    EXPECT_EQ(r.body.size(), r.content_length);
    EXPECT_GE(r.body.size(), c.min_bytes);
    EXPECT_LE(r.body.size(), c.max_bytes);
    std::string utf8;
    EXPECT_TRUE(GbkToUtf8(r.body, utf8));
  }
  EXPECT_EQ(Get(market_->port(), "/soft/renew/quelmar.php").body, "1.20");
  EXPECT_EQ(Get(market_->port(), "/no/such/page.htm").status, 404);
  Reply head = Exchange(market_->port(), "HEAD /ten.htm HTTP/1.1\r\nHost: x\r\n\r\n");
  EXPECT_EQ(head.status, 200);
  EXPECT_GT(head.content_length, 0u);
  EXPECT_TRUE(head.body.empty());
}

// Every page taken apart by the readers' markers gives exactly the plausible items that
// --print-items names for it: page and ground truth come from the same records.
TEST_F(SampleMarketTest, MarkersTakeOutExactlyThePrintedItems) {
  struct Channel {
    const char* name;  // GBK
    const char* origin;
    int pages;
    Reader read;
  };
  const Channel channels[] = {
      {"九块邮", "/d/jiu?&u=jiu/all/", 9, ReadNineYuan},
      {"聚划算", "/tg/today_items.htm?&stype=newest&reverse=down&page=", 19, ReadGroupBuy},
      {"卷皮折扣", "/d/index?u=index/all/all/", 9, ReadDiscountShop},
      {"天天特价", nullptr, 2, ReadDailySpecials},
  };
  for (const Channel& c : channels) {
    for (int page = 1; page <= c.pages; ++page) {
      std::string origin = c.origin    ? c.origin + std::to_string(page)
                           : page == 1 ? "/ten.htm"
                                       : "/ten/fuyou.htm";
      SCOPED_TRACE(origin);
      std::vector<std::string> truth = Truth(*truth_, Utf8(c.name), page);
      EXPECT_GE(truth.size(), 50u);
      EXPECT_EQ(c.read(Get(market_->port(), origin).body, page), truth);
    }
  }
  for (const char* category : {"30", "50006843", "50022703", "1625"}) {
    Reply first =
        Get(market_->port(), std::string("/json/qItems4EOYSale.htm?type=3&catId=") + category +
                                 "&page=1&pageSize=100&_ksTS=&callback=callback2");
    int pages = std::atoi(Between(first.body, "totalPage\":", "}").c_str());
    EXPECT_GE(pages, 2);
    for (int page = 1; page <= pages; ++page) {
      std::string origin = std::string("/json/qItems4EOYSale.htm?type=3&catId=") + category +
                           "&page=" + std::to_string(page) +
                           "&pageSize=100&_ksTS=&callback=callback2";
      SCOPED_TRACE(origin);
      std::vector<std::string> truth = Truth(*truth_, category, page);
      EXPECT_GE(truth.size(), 5u);
      EXPECT_EQ(ReadFeed(Get(market_->port(), origin).body, page, category), truth);
    }
  }
  Reply unknown = Get(market_->port(), "/json/qItems4EOYSale.htm?type=3&catId=31&page=1");
  EXPECT_EQ(Between(unknown.body, "totalPage\":", ","), "0");
  EXPECT_TRUE(BetweenAll(unknown.body, "{\"act", "},").empty());
}

TEST_F(SampleMarketTest, AbsoluteFormIsServedAndLoggedWithItsHeaders) {
  Reply origin = Get(market_->port(), "/ten.htm");
  Reply absolute = Exchange(market_->port(),
                            "GET http://daily.market.example/ten.htm HTTP/1.1\r\n"
                            "Host: daily.market.example\r\nX-Probe: a\tb\r\n\r\n");
  EXPECT_EQ(absolute.status, 200);
  EXPECT_EQ(absolute.body, origin.body);

  std::ifstream in(market_->log());
  std::string log((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string port = std::to_string(market_->port());
  EXPECT_NE(log.find("GET\thttp://127.0.0.1:" + port +
                     "/ten.htm\tHTTP/1.0\tUser-Agent: test\t"
                     "Accept: */*\n"),
            std::string::npos);
  EXPECT_NE(log.find("GET\thttp://daily.market.example/ten.htm\tHTTP/1.1\t"
                     "Host: daily.market.example\tX-Probe: a\\tb\n"),
            std::string::npos);
}

TEST(SampleMarketSeedTest, SameSeedSameBytesOtherSeedOtherBytes) {
  Market a({"--seed", "7"}), b({"--seed", "7"}), c({"--seed", "8"});
  for (const char* origin :
       {"/d/jiu?&u=jiu/all/3", "/json/qItems4EOYSale.htm?type=3&catId=21&page=2"}) {
    SCOPED_TRACE(origin);
    std::string body = Get(a.port(), origin).body;
    EXPECT_FALSE(body.empty());
    EXPECT_EQ(Get(b.port(), origin).body, body);
    EXPECT_NE(Get(c.port(), origin).body, body);
  }
  EXPECT_EQ(PrintItems("7"), PrintItems("7"));
}

TEST(SampleMarketFaultTest, EachFaultShapesOnlyTheRequestsOfItsPrefix) {
  Market m({"--fault",          "status=503@/ten.htm",
            "--fault",          "empty@/ten/fuyou.htm",
            "--fault",          "charset=utf-8@/d/index",
            "--fault",          "nocharset@/tg/",
            "--fault",          "pagecount=-7@/json/",
            "--fault",          "garbage@/item.htm",
            "--fault",          "reset@/d/jiu?&u=jiu/all/2",
            "--fault",          "stall-body@/d/jiu?&u=jiu/all/3",
            "--fault",          "oversize@/d/jiu?&u=jiu/all/4",
            "--fault",          "stall@/soft/",
            "--version-answer", "1.21"});
  enum class Body { kPage, kEmpty, kZeroByte, kCut, kHuge };
  struct Case {
    const char* origin;
    int status;
    const char* content_type;
    Body body;
    const char* holds;
  };
  const Case cases[] = {
      {"/ten.htm", 503, "text/html; charset=gbk", Body::kPage, "503"},
      {"/ten/fuyou.htm", 200, "text/html; charset=gbk", Body::kEmpty, ""},
      {"/d/index?u=index/all/all/1", 200, "text/html; charset=utf-8", Body::kPage, "list-good"},
      {"/tg/today_items.htm?&page=1", 200, "text/html", Body::kPage, "J_JuHomeList"},
      {"/json/qItems4EOYSale.htm?type=3&catId=30&page=1", 200,
       "application/javascript; charset=gbk", Body::kPage, "\"totalPage\":-7,"},
      {"/item.htm?id=5", 200, "text/html; charset=gbk", Body::kZeroByte, ""},
      {"/d/jiu?&u=jiu/all/2", 200, "text/html; charset=gbk", Body::kCut, ""},
      {"/d/jiu?&u=jiu/all/3", 200, "text/html; charset=gbk", Body::kCut, ""},
      {"/d/jiu?&u=jiu/all/4", 200, "text/html; charset=gbk", Body::kHuge, "list-good buy"},
      {"/d/jiu?&u=jiu/all/5", 200, "text/html; charset=gbk", Body::kPage, "list-good buy"},
  };
  // The version check stalls throughout, on a connection of its own, while the rest is served.
  ASSERT_GT(m.port(), 0);
  int stalled = Connect(m.port());
  timeval limit{10, 0};
  setsockopt(stalled, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  std::string ask = "GET /soft/renew/quelmar.php HTTP/1.0\r\n\r\n";
  send(stalled, ask.data(), ask.size(), MSG_NOSIGNAL);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.origin);
    // Only a stalled body needs the client to give up; everything else gets time to arrive.
    bool stalls = std::string_view(c.origin) == "/d/jiu?&u=jiu/all/3";
    Reply r = Get(m.port(), c.origin, stalls ? 1000 : 20000);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.Header("Content-Type"), c.content_type);
    EXPECT_NE(r.body.find(c.holds), std::string::npos);
    switch (c.body) {
      case Body::kPage:
        EXPECT_EQ(r.body.size(), r.content_length);
        break;
      case Body::kEmpty:
        EXPECT_TRUE(r.body.empty());
        EXPECT_EQ(r.content_length, 0u);
        break;
      case Body::kZeroByte:
        EXPECT_NE(r.body.find('\0'), std::string::npos);
        EXPECT_NE(r.body.find('\0'), 0u);
        break;
      case Body::kCut:
        EXPECT_GT(r.body.size(), 0u);
        EXPECT_LT(r.body.size(), r.content_length);
        break;
      case Body::kHuge:
        EXPECT_EQ(r.body.size(), r.content_length);
        EXPECT_GT(r.body.size(), 20u << 20);
        EXPECT_TRUE(r.body.ends_with("</html>\n"));
        break;
    }
  }
  char byte;
  EXPECT_EQ(recv(stalled, &byte, 1, MSG_DONTWAIT), -1);  // nothing sent so far
  EXPECT_EQ(m.Stop(), 0);                                // a stop also ends the stalled connection
  EXPECT_LE(recv(stalled, &byte, 1, 0), 0);
  close(stalled);
}

}  // namespace
