#include "integration/cli_harness.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <iconv.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "gtest/gtest.h"

extern char** environ;

namespace cli_test {
namespace {

std::string BuildDir() {
  const char* dir = std::getenv("DH_BUILD_DIR");
  return dir != nullptr ? dir : ".";
}

std::vector<std::string> SplitAt(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t at = text.find(separator, start);
    parts.emplace_back(text.substr(start, at == std::string_view::npos ? text.npos : at - start));
    if (at == std::string_view::npos) break;
    start = at + 1;
  }
  return parts;
}

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines = SplitAt(text, '\n');
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

// The environment of a child: ours without any proxy variable, plus the ones given.
std::vector<std::string> ChildEnvironment(const std::vector<std::string>& extra) {
  static const char* const kDropped[] = {
      "http_proxy=", "HTTP_PROXY=", "https_proxy=", "HTTPS_PROXY=",
      "all_proxy=",  "ALL_PROXY=",  "no_proxy=",    "NO_PROXY="};
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    bool dropped = false;
    for (const char* name : kDropped)
      dropped = dropped || std::strncmp(*e, name, std::strlen(name)) == 0;
    if (!dropped) env.emplace_back(*e);
  }
  env.insert(env.end(), extra.begin(), extra.end());
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& t : texts) pointers.push_back(t.data());
  pointers.push_back(nullptr);
  return pointers;
}

// A child with stdout and stderr on pipes (or /dev/null when the pipe is not wanted).
struct Child {
  pid_t pid = -1;
  int out = -1, err = -1;
};

// Children end with the thread that started them (PR_SET_PDEATHSIG), so that a test that dies
// leaves no marketplace behind. Only async-signal-safe calls between fork and exec.
Child Spawn(std::vector<std::string> argv, std::vector<std::string> env, bool captureOut,
            bool captureErr) {
  Child child;
  int outPipe[2] = {-1, -1}, errPipe[2] = {-1, -1};
  if ((captureOut && pipe2(outPipe, O_CLOEXEC) != 0) ||
      (captureErr && pipe2(errPipe, O_CLOEXEC) != 0)) {
    return child;
  }
  std::vector<char*> args = Pointers(argv), envp = Pointers(env);
  const pid_t parent = getpid();
  child.pid = fork();
  if (child.pid == 0) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(126);
    const int null = open("/dev/null", O_RDWR);
    if (null < 0 || dup2(null, 0) < 0 || dup2(captureOut ? outPipe[1] : null, 1) < 0 ||
        dup2(captureErr ? errPipe[1] : null, 2) < 0) {
      _exit(126);
    }
    execve(args[0], args.data(), envp.data());
    _exit(127);
  }
  if (captureOut) {
    close(outPipe[1]);
    child.out = outPipe[0];
  }
  if (captureErr) {
    close(errPipe[1]);
    child.err = errPipe[0];
  }
  return child;
}

// The high-water mark of pid's resident set (VmHWM of /proc/pid/status) in KiB; 0 once the
// process has gone. Its own, unlike getrusage's ru_maxrss of a child, which starts from the
// parent's (the child ran on a copy of the parent's memory until its exec).
long HighWaterKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return 0;
}

bool IsTimeStamp(std::string_view t) {
  // 2026年12月11日13时34分29秒: digits before each unit character, in this order. The date's
  // three always stand; of the time of day the trailing zero parts are left out (13时34分 at
  // 13:34:00, 13时 on the hour, nothing at midnight).
  std::size_t at = 0;
  int units = 0;
  for (const char* unit : {"年", "月", "日", "时", "分", "秒"}) {
    if (units >= 3 && at == t.size()) break;
    const std::string u = U8(unit);
    const std::size_t digitsStart = at;
    while (at < t.size() && t[at] >= '0' && t[at] <= '9') ++at;
    if (at == digitsStart || t.substr(at, u.size()) != u) return false;
    at += u.size();
    ++units;
  }
  return at == t.size();
}

}  // namespace

bool StrictUtf8FromGbk(std::string_view gbk, std::string& utf8) {
  iconv_t cd = iconv_open("UTF-8", "GBK");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  utf8.assign(gbk.size() * 2 + 4, '\0');
  char* in = const_cast<char*>(gbk.data());
  std::size_t inLeft = gbk.size(), outLeft = utf8.size();
  char* out = utf8.data();
  const bool ok = iconv(cd, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1);
  iconv_close(cd);
  utf8.resize(utf8.size() - outLeft);
  return ok;
}

std::string U8(std::string_view gbk) {
  std::string utf8;
  EXPECT_TRUE(StrictUtf8FromGbk(gbk, utf8)) << "not GBK";
  return utf8;
}

std::string LoggedRequest::Header(std::string_view name) const {
  const std::string prefix = std::string(name) + ": ";
  for (const std::string& h : headers) {
    if (h.rfind(prefix, 0) == 0) return h.substr(prefix.size());
    if (h == std::string(name) + ":") return "";
  }
  return "<none>";
}

MarketProcess::MarketProcess(std::vector<std::string> args) {
  char dirTemplate[] = "/tmp/cli-market-XXXXXX";
  const char* dir = mkdtemp(dirTemplate);
  if (dir == nullptr) return;
  dir_ = dir;
  log_ = dir_ + "/requests.log";
  portFile_ = dir_ + "/port";
  args.insert(args.begin(), {BuildDir() + "/sample-market", "--port", "0", "--port-file", portFile_,
                             "--log", log_});
  pid_ = Spawn(args, ChildEnvironment({}), false, false).pid;
  if (pid_ <= 0) return;
  for (int i = 0; i < 1000 && port_ == 0; ++i) {
    std::ifstream in(portFile_);
    if (!(in >> port_)) {
      port_ = 0;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
}

MarketProcess::~MarketProcess() {
  if (pid_ > 0) Stop();
  if (dir_.empty()) return;
  unlink(log_.c_str());
  unlink(portFile_.c_str());
  rmdir(dir_.c_str());
}

std::string MarketProcess::Proxy() const { return "http://127.0.0.1:" + std::to_string(port_); }

std::vector<LoggedRequest> MarketProcess::Requests() const {
  std::ifstream in(log_);
  std::vector<LoggedRequest> requests;
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> fields = SplitAt(line, '\t');
    LoggedRequest r;
    if (fields.size() >= 1) r.method = fields[0];
    if (fields.size() >= 2) r.url = fields[1];
    if (fields.size() >= 3) r.version = fields[2];
    for (std::size_t i = 3; i < fields.size(); ++i) r.headers.push_back(fields[i]);
    requests.push_back(r);
  }
  return requests;
}

int MarketProcess::Stop() {
  if (pid_ <= 0) return -1;
  kill(pid_, SIGTERM);
  int status = 0;
  for (int i = 0; i < 1000; ++i) {
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, &status, 0);
  pid_ = -1;
  return -1;
}

std::vector<std::vector<std::string>> CliRun::Rows() const {
  std::vector<std::vector<std::string>> rows;
  for (const std::string& line : Lines(out)) rows.push_back(SplitAt(line, '\t'));
  return rows;
}

std::vector<std::string> CliRun::Messages() const {
  // An entry is whatever follows the "]" that closes its time stamp (a stamp on the full minute
  // has no 秒, on the full hour no 分 either); the stamp's form is checked by UntimedLines, so
  // that a damaged stamp shows there and not as a wrong message.
  std::vector<std::string> messages;
  for (const std::string& line : Lines(err)) {
    const std::size_t close = line.find(']');
    if (!line.empty() && line[0] == '[' && close != std::string::npos) {
      messages.push_back(line.substr(close + 1));
    }
  }
  return messages;
}

std::vector<std::string> CliRun::UntimedLines() const {
  std::vector<std::string> bad;
  for (const std::string& line : Lines(err)) {
    if (line.empty()) continue;
    const std::size_t close = line.find(']');
    if (line[0] != '[' || close == std::string::npos ||
        !IsTimeStamp(std::string_view(line).substr(1, close - 1))) {
      bad.push_back(line);
    }
  }
  return bad;
}

std::vector<std::string> CliRun::MessagesStartingWith(std::string_view prefix) const {
  std::vector<std::string> found;
  for (const std::string& m : Messages()) {
    if (std::string_view(m).substr(0, prefix.size()) == prefix) found.push_back(m);
  }
  return found;
}

CliRun RunCli(const std::vector<std::string>& args, const std::string& proxy, int timeoutSeconds) {
  CliRun run;
  std::vector<std::string> argv{BuildDir() + "/deal-harvester-cli"};
  argv.insert(argv.end(), args.begin(), args.end());
  const auto start = std::chrono::steady_clock::now();
  Child child = Spawn(argv, ChildEnvironment({"http_proxy=" + proxy}), true, true);
  if (child.pid <= 0) {
    ADD_FAILURE() << "cannot start " << argv[0];
    return run;
  }
  const auto deadline = start + std::chrono::seconds(timeoutSeconds);
  pollfd fds[2] = {{child.out, POLLIN, 0}, {child.err, POLLIN, 0}};
  std::string* sinks[2] = {&run.out, &run.err};
  int open = 2;
  char buffer[65536];
  while (open > 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      run.timedOut = true;
      kill(child.pid, SIGKILL);
      break;
    }
    // The CLI prints only when its run is over, so a reading at its first output (and every
    // 20 ms before) holds its peak.
    run.peakRssKb = std::max(run.peakRssKb, HighWaterKb(child.pid));
    if (poll(fds, 2, static_cast<int>(std::min<long long>(left.count(), 20))) < 0) continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(n));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  for (pollfd& f : fds) {
    if (f.fd >= 0) close(f.fd);
  }
  int status = 0;
  waitpid(child.pid, &status, 0);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) run.termSignal = WTERMSIG(status);
  return run;
}

RefusedProxy::RefusedProxy() {
  fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof a;
  if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
      getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &length) != 0) {
    return;
  }
  port_ = ntohs(a.sin_port);
}

RefusedProxy::~RefusedProxy() {
  if (fd_ >= 0) close(fd_);
}

std::string RefusedProxy::Proxy() const { return "http://127.0.0.1:" + std::to_string(port_); }

std::vector<TruthItem> GroundTruth(const std::string& seed) {
  std::vector<TruthItem> truth;
  Child child = Spawn({BuildDir() + "/sample-market", "--print-items", "--seed", seed},
                      ChildEnvironment({}), true, false);
  if (child.pid <= 0) {
    ADD_FAILURE() << "cannot start sample-market --print-items";
    return truth;
  }
  std::string all;
  char buffer[65536];
  for (ssize_t n; (n = read(child.out, buffer, sizeof buffer)) > 0;) {
    all.append(buffer, static_cast<std::size_t>(n));
  }
  close(child.out);
  int status = 0;
  waitpid(child.pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  for (const std::string& line : Lines(all)) {
    std::vector<std::string> f = SplitAt(line, '\t');
    if (f.size() != 8) {
      ADD_FAILURE() << "not an item line: " << line;
      continue;
    }
    truth.push_back({f[0], std::atoi(f[1].c_str()), f[2], f[3], f[4], f[5], f[6], f[7] == "yes"});
  }
  return truth;
}

std::vector<TruthItem> PlausibleOn(const std::vector<TruthItem>& truth, std::string_view source,
                                   int page) {
  std::vector<TruthItem> items;
  for (const TruthItem& t : truth) {
    if (t.plausible && t.source == source && t.page == page) items.push_back(t);
  }
  return items;
}

int LastPageOf(const std::vector<TruthItem>& truth, std::string_view source) {
  int last = 0;
  for (const TruthItem& t : truth) {
    if (t.source == source && t.page > last) last = t.page;
  }
  return last;
}

int LeadingInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > 2147483648LL) value = 2147483648LL;
  }
  value = negative ? -value : value;
  return static_cast<int>(
      std::max<long long>(std::min<long long>(value, 2147483647), -2147483647 - 1));
}

std::string ReaderDiscount(std::string_view price, std::string_view original, bool pad) {
  const int p = LeadingInt(price), o = LeadingInt(original);
  if (o == 0) return "";
  // Tenths, rounded half away from zero, as the readers' one-decimal rounding does.
  const double tenths = std::round(std::fabs(p * 100.0 / o)) * (p * o < 0 ? -1 : 1);
  char text[64];
  std::snprintf(text, sizeof text, "%.13g", tenths / 10.0);
  std::string discount = text;
  if (pad && discount.size() == 1) discount += ".0";
  return discount;
}

Row ExpectedRow(int number, const TruthItem& item, std::string_view label, bool computes,
                bool pad) {
  const std::string discount =
      computes ? ReaderDiscount(item.price, item.original, pad) : item.discount;
  return {std::to_string(number), item.title, item.original, item.price, discount,
          std::string(label),     item.link};
}

const std::vector<ChannelSite>& ChannelSites() {
  static const std::vector<ChannelSite> sites = {
      {"九块邮", 9,
       [](int p) { return "http://nine.market.example/d/jiu?&u=jiu/all/" + std::to_string(p); },
       false, true},
      {"聚划算", 19,
       [](int p) {
         return "http://groupbuy.market.example/tg/"
                "today_items.htm?&stype=newest&reverse=down&page=" +
                std::to_string(p);
       },
       true, false},
      {"卷皮折扣", 9,
       [](int p) {
         return "http://discountshop.market.example/d/index?u=index/all/all/" + std::to_string(p);
       },
       false, false},
      {"天天特价", 2,
       [](int p) {
         return std::string(p == 1 ? "http://daily.market.example/ten.htm"
                                   : "http://daily.market.example/ten/fuyou.htm");
       },
       true, false},
  };
  return sites;
}

std::vector<std::string> DealRunLog(const std::vector<const ChannelSite*>& channels,
                                    const std::vector<int>& counts, std::size_t rows) {
  std::vector<std::string> log;
  for (std::size_t i = 0; i < channels.size(); ++i) {
    const ChannelSite& c = *channels[i];
    for (int p = 1; p <= (c.logsClosingCall ? c.pages + 1 : c.pages); ++p) {
      log.push_back(U8(std::string("正在获取") + c.name + "第" + std::to_string(p) + "页商品"));
    }
    log.push_back(
        U8(std::string("获取") + c.name + "完毕共[" + std::to_string(counts.at(i)) + "]件商品"));
  }
  log.push_back(U8("特价列表获取完毕!"));
  log.push_back(U8("一共获得商品[" + std::to_string(rows) + "]个"));
  return log;
}

void ExpectSameRows(const std::vector<Row>& actual, const std::vector<Row>& expected) {
  EXPECT_EQ(actual.size(), expected.size()) << "row count";
  const std::size_t n = std::min(actual.size(), expected.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (actual[i] != expected[i]) {
      ADD_FAILURE() << "row " << i << " differs:\n  actual:   " << testing::PrintToString(actual[i])
                    << "\n  expected: " << testing::PrintToString(expected[i]);
      return;
    }
  }
}

void ExpectSameLines(const std::vector<std::string>& actual,
                     const std::vector<std::string>& expected) {
  EXPECT_EQ(actual.size(), expected.size()) << "line count";
  const std::size_t n = std::min(actual.size(), expected.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (actual[i] != expected[i]) {
      ADD_FAILURE() << "line " << i << " differs:\n  actual:   " << actual[i]
                    << "\n  expected: " << expected[i];
      return;
    }
  }
}

std::vector<Row> Renumbered(std::vector<Row> rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i][0] = std::to_string(i + 1);
  return rows;
}

}  // namespace cli_test
