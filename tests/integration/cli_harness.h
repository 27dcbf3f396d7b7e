// What the CLI's integration tests share: the sample marketplace as a child process on a port
// of its own, the CLI run as a child process through it as its http_proxy, the marketplace's
// ground truth, and the few rules a test needs to say what the rows should read. Every text
// here is UTF-8, as the CLI prints and takes it; U8 turns a source literal (GBK) into UTF-8.
// Nothing but 127.0.0.1 is ever contacted.
#pragma once

#include <sys/types.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace cli_test {

// U8: a narrow literal of this source (GBK bytes) as UTF-8. Example: U8("九块邮").
std::string U8(std::string_view gbk);

// StrictUtf8FromGbk: false when bytes are not GBK; utf8 holds the conversion otherwise.
bool StrictUtf8FromGbk(std::string_view gbk, std::string& utf8);

// A request as the marketplace logged it: method, absolute URL, protocol, headers in order.
struct LoggedRequest {
  std::string method, url, version;
  std::vector<std::string> headers;  // "Name: value", tabs inside shown as \t
  // The value of the first header called name (exact name), or "<none>".
  std::string Header(std::string_view name) const;
};

// One sample-market process: --port 0 with a port file and a request log in a directory of its
// own, and the extra arguments (faults, seed). Stopped by SIGTERM when the object goes.
class MarketProcess {
 public:
  explicit MarketProcess(std::vector<std::string> args = {});
  ~MarketProcess();
  MarketProcess(const MarketProcess&) = delete;
  MarketProcess& operator=(const MarketProcess&) = delete;

  // 0 when the market did not start.
  int port() const { return port_; }
  // "http://127.0.0.1:<port>"
  std::string Proxy() const;
  // Every request logged so far, in arrival order.
  std::vector<LoggedRequest> Requests() const;
  // The exit status of the market after SIGTERM; -1 when it had to be killed.
  int Stop();

 private:
  pid_t pid_ = -1;
  int port_ = 0;
  std::string dir_, log_, portFile_;
};

// What one CLI run left behind.
struct CliRun {
  int exitCode = -1;   // -1 unless the CLI exited normally
  int termSignal = 0;  // the signal that ended it, if any
  bool timedOut = false;
  long peakRssKb = 0;  // the child's peak resident set (VmHWM), read while it runs
  double seconds = 0;  // wall time, for the report only
  std::string out, err;

  // stdout, a row per line, each split at TAB.
  std::vector<std::vector<std::string>> Rows() const;
  // The activity log entries' messages, in order: each line's text after its time stamp.
  std::vector<std::string> Messages() const;
  // Every non-blank stderr line that is not "[<time>]message" with a time such as
  // 2026年12月11日13时34分29秒.
  std::vector<std::string> UntimedLines() const;
  // The entries whose message starts with prefix.
  std::vector<std::string> MessagesStartingWith(std::string_view prefix) const;
};

// RunCli: deal-harvester-cli with args, http_proxy set to proxy (no_proxy and the other proxy
// variables unset), stdout and stderr captured; killed after timeoutSeconds.
// Example: RunCli({"deals", "--channels", U8("九块邮")}, market.Proxy()).
CliRun RunCli(const std::vector<std::string>& args, const std::string& proxy,
              int timeoutSeconds = 180);

// A proxy address on 127.0.0.1 that refuses every connection (bound, never listening) while
// the object lives.
class RefusedProxy {
 public:
  RefusedProxy();
  ~RefusedProxy();
  RefusedProxy(const RefusedProxy&) = delete;
  RefusedProxy& operator=(const RefusedProxy&) = delete;
  std::string Proxy() const;

 private:
  int fd_ = -1;
  int port_ = 0;
};

// One item of --print-items: source (channel name or category id), page, fields, plausible.
struct TruthItem {
  std::string source;
  int page = 0;
  std::string title, original, price, discount, link;
  bool plausible = false;
};

// GroundTruth: every generated item of seed, as sample-market --print-items prints it.
std::vector<TruthItem> GroundTruth(const std::string& seed = "1");

// The plausible items of source on page, in page order.
std::vector<TruthItem> PlausibleOn(const std::vector<TruthItem>& truth, std::string_view source,
                                   int page);
// The highest page number the truth names for source (plausible or not).
int LastPageOf(const std::vector<TruthItem>& truth, std::string_view source);

// LeadingInt: the to-integer rule: leading integer after blanks and an optional sign, the
// fraction dropped, 0 without digits. Example: LeadingInt("500积分") == 500.
int LeadingInt(std::string_view text);

// ReaderDiscount: the discount a reader computes from the integer parts of the two prices,
// one decimal place, ".0" appended to a one-byte result when pad; empty when the original
// price reads as 0. Example: ReaderDiscount("15", "30", true) == "5.0".
std::string ReaderDiscount(std::string_view price, std::string_view original, bool pad);

using Row = std::vector<std::string>;  // the seven cells

// The row the reader should make of a truth item: number, title, original price, price,
// discount (stated, or computed when the truth leaves it empty and computes is set), label,
// link.
Row ExpectedRow(int number, const TruthItem& item, std::string_view label, bool computes, bool pad);

// A deal channel as the marketplace sees it: the addresses the CLI asks for and how its rows
// read.
struct ChannelSite {
  const char* name;  // GBK
  int pages;         // pages fetched; the closing call comes after them
  std::string (*address)(int page);
  bool computesDiscount;
  bool logsClosingCall;  // its progress entry is written for the closing call too
};

// The four channels in run order: 九块邮, 聚划算, 卷皮折扣, 天天特价.
const std::vector<ChannelSite>& ChannelSites();

// DealRunLog: the log messages of a deal run over channels (every page read) whose closing
// entries report counts, then the run's two entries with rows.
std::vector<std::string> DealRunLog(const std::vector<const ChannelSite*>& channels,
                                    const std::vector<int>& counts, std::size_t rows);

// ExpectSameRows: a gtest check that reports the first row that differs and the sizes.
void ExpectSameRows(const std::vector<Row>& actual, const std::vector<Row>& expected);

// ExpectSameLines: the same for lists of lines (log messages), shown as they are (UTF-8).
void ExpectSameLines(const std::vector<std::string>& actual,
                     const std::vector<std::string>& expected);

// Renumbered: the rows with column 0 set to 1, 2, ... in their order.
std::vector<Row> Renumbered(std::vector<Row> rows);

}  // namespace cli_test
