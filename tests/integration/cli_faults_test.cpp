// deal-harvester-cli against a marketplace that misbehaves: refused connections, a stalled page,
// a reset in the middle of a body, error statuses, empty and garbage bodies, wrong and missing
// charsets, an oversized body, absurd clearance page counts. Whatever the fault, the run ends
// with its closing entries, the counts in them are those of the rows printed, the pages the
// fault did not touch read as ever, and the CLI exits 0.
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "gtest/gtest.h"
#include "integration/cli_harness.h"

namespace cli_test {
namespace {

// What a fault leaves of one page's items.
enum class Fate {
  kWhole,    // every item, as without the fault
  kNone,     // no item
  kCut,      // the items of the body's first part: a prefix of the page's items, of which the
             // last may miss the fields after the cut
  kMangled,  // every item, with titles decoded by a wrong charset; all other cells as ever
};

using DealFates = std::function<Fate(int channel, int page)>;

const std::vector<TruthItem>& Truth() {
  static const std::vector<TruthItem> truth = GroundTruth();
  return truth;
}

void Report(const char* what, const CliRun& run) {
  std::printf("[ figures  ] %s: %.2f s, peak RSS %.1f MiB\n", what, run.seconds,
              static_cast<double>(run.peakRssKb) / 1024.0);
}

void ExpectRunEnded(const CliRun& run) {
  EXPECT_FALSE(run.timedOut);
  EXPECT_EQ(run.termSignal, 0);
  EXPECT_EQ(run.exitCode, 0) << run.err;
}

// Checks the rows of a deal run over channels (indexes into ChannelSites()) page by page
// against what fate leaves of each page, and the whole log against the rows printed.
void ExpectDealRun(const CliRun& run, const std::vector<int>& channels, const DealFates& fate) {
  ExpectRunEnded(run);
  const std::vector<Row> rows = run.Rows();
  std::size_t at = 0;
  std::vector<int> counts;
  std::vector<const ChannelSite*> sites;
  for (int ch : channels) {
    const ChannelSite& site = ChannelSites()[static_cast<std::size_t>(ch)];
    sites.push_back(&site);
    const std::string label = U8(site.name);
    const std::size_t first = at;
    for (int page = 1; page <= site.pages; ++page) {
      SCOPED_TRACE(label + " page " + std::to_string(page));
      const std::vector<TruthItem> items = PlausibleOn(Truth(), label, page);
      const Fate f = fate(ch, page);
      if (f == Fate::kNone) continue;
      std::size_t k = 0;
      for (; k < items.size(); ++k, ++at) {
        if (at >= rows.size() || rows[at].size() != 7) break;
        const Row expected =
            ExpectedRow(static_cast<int>(at + 1), items[k], label, site.computesDiscount, true);
        const Row& actual = rows[at];
        if (f == Fate::kMangled) {
          Row titled = expected;
          titled[1] = actual[1];
          if (actual == titled && actual[1] != expected[1]) continue;
        } else if (actual == expected) {
          continue;
        } else if (f == Fate::kCut && actual[6] != expected[6]) {
          break;  // the cut came before this item
        } else if (f == Fate::kCut && actual[1] == expected[1] && actual[5] == expected[5]) {
          // The item the cut went through, without its later fields; nothing of the page follows.
          ++k;
          ++at;
          break;
        }
        ADD_FAILURE() << "item " << k << ": " << testing::PrintToString(actual) << "\n  expected "
                      << testing::PrintToString(expected);
        return;
      }
      if (f == Fate::kCut) {
        EXPECT_GT(k, 0u) << "the first part of the body held items";
        EXPECT_LT(k, items.size()) << "the cut lost items";
      } else {
        EXPECT_EQ(k, items.size());
      }
    }
    counts.push_back(static_cast<int>(at - first));
  }
  EXPECT_EQ(at, rows.size()) << "rows beyond the expected ones";
  ExpectSameLines(run.Messages(), DealRunLog(sites, counts, rows.size()));
}

struct DealFaultCase {
  const char* name;
  std::vector<std::string> faults;  // sample-market arguments
  DealFates fate;
};

TEST(CliFaultsTest, DealRunsEndWithEveryPageTheFaultSpared) {
  const auto all = [](Fate f) { return [f](int, int) { return f; }; };
  const auto only = [](int channel, int page, Fate f) {
    return
        [=](int ch, int p) { return ch == channel && (page == 0 || p == page) ? f : Fate::kWhole; };
  };
  const DealFaultCase cases[] = {
      {"reset in the middle of a body",
       {"--fault", "reset@/d/jiu?&u=jiu/all/2"},
       only(0, 2, Fate::kCut)},
      {"reset in the middle of a scripted request's body",
       {"--fault", "reset@/d/index?u=index/all/all/3"},
       only(2, 3, Fate::kNone)},
      {"status 500 everywhere", {"--fault", "status=500"}, all(Fate::kNone)},
      {"status 404 on one channel", {"--fault", "status=404@/tg/"}, only(1, 0, Fate::kNone)},
      {"empty bodies on one channel", {"--fault", "empty@/d/index"}, only(2, 0, Fate::kNone)},
      {"garbage everywhere", {"--fault", "garbage"}, all(Fate::kNone)},
      // Only the scripted request decodes by the declared charset; the plain fetch keeps bytes.
      {"utf-8 declared for GBK pages", {"--fault", "charset=utf-8"}, only(2, 0, Fate::kMangled)},
      {"big5 declared for GBK pages", {"--fault", "charset=big5"}, only(2, 0, Fate::kMangled)},
      {"an unknown charset declared", {"--fault", "charset=x-unknown"}, all(Fate::kWhole)},
      {"no charset declared", {"--fault", "nocharset"}, all(Fate::kWhole)},
      // About 20 MiB on one page of each channel, cut at the body cap: the items stand before
      // the filler, but 聚划算's list reaches to the page's closing </html>, which the cap cuts.
      {"oversized bodies",
       {"--fault", "oversize@/d/jiu?&u=jiu/all/1", "--fault",
        "oversize@/tg/today_items.htm?&stype=newest&reverse=down&page=2", "--fault",
        "oversize@/d/index?u=index/all/all/1", "--fault", "oversize@/ten.htm"},
       only(1, 2, Fate::kNone)},
  };
  for (const DealFaultCase& c : cases) {
    SCOPED_TRACE(c.name);
    MarketProcess market(c.faults);
    ASSERT_GT(market.port(), 0);
    const CliRun run = RunCli({"deals"}, market.Proxy());
    Report(c.name, run);
    EXPECT_EQ(market.Requests().size(), 39u);
    ExpectDealRun(run, {0, 1, 2, 3}, c.fate);
  }
}

TEST(CliFaultsTest, RefusedConnectionsEndTheRunsWithNothing) {
  const RefusedProxy refused;
  const CliRun deals = RunCli({"deals"}, refused.Proxy());
  ExpectDealRun(deals, {0, 1, 2, 3}, [](int, int) { return Fate::kNone; });

  const CliRun clearance = RunCli(
      {"clearance", U8("年末清仓夜场"), "--categories", U8("居家床品,都市型男")}, refused.Proxy());
  ExpectRunEnded(clearance);
  EXPECT_EQ(clearance.out, "");
  ExpectSameLines(clearance.Messages(), {U8("[居家床品]获取完毕!"), U8("[居家床品]全部获得0个商品"),
                                         U8("[都市型男]获取完毕!"), U8("[都市型男]全部获得0个商品"),
                                         U8("年末清仓列表获取完毕!"), U8("一共获得商品[0]个")});
}

// A page that never answers, and one that stops in the middle of its body: each holds the run
// for the low-speed limit (15 s), so both run at once. The stalled page gives nothing, the
// stopped one what came before the stall; every other page is read.
TEST(CliFaultsTest, StalledPagesEndAfterTheLowSpeedLimit) {
  MarketProcess stall({"--fault", "stall@/d/jiu?&u=jiu/all/3"});
  MarketProcess stallBody({"--fault", "stall-body@/d/jiu?&u=jiu/all/5"});
  ASSERT_GT(stall.port(), 0);
  ASSERT_GT(stallBody.port(), 0);
  CliRun stalled, stopped;
  std::thread other([&] {
    stopped = RunCli({"deals", "--channels", U8("九块邮")}, stallBody.Proxy());
  });
  stalled = RunCli({"deals", "--channels", U8("九块邮")}, stall.Proxy());
  other.join();
  Report("stalled page", stalled);
  Report("page stalled in its body", stopped);
  ExpectDealRun(stalled, {0}, [](int, int p) { return p == 3 ? Fate::kNone : Fate::kWhole; });
  ExpectDealRun(stopped, {0}, [](int, int p) { return p == 5 ? Fate::kCut : Fate::kWhole; });
  EXPECT_EQ(stall.Requests().size(), 9u);
  EXPECT_EQ(stallBody.Requests().size(), 9u);
}

// The clearance feed of 都市型男 under a fault: the requests made, the page entries and the
// rows, with pages the pages the run reads.
struct FeedFaultCase {
  const char* name;
  std::vector<std::string> faults;
  int pages;  // pages read after the count; -1: the feed's own
  std::function<Fate(int page)> fate;
};

TEST(CliFaultsTest, ClearanceRunsAreBoundedWhateverTheFeedAnnounces) {
  const int own = LastPageOf(Truth(), "30");
  ASSERT_GE(own, 2);
  const auto whole = [](int) { return Fate::kWhole; };
  const FeedFaultCase cases[] = {
      // A category reads at most 500 pages; those past the feed's end hold no records.
      {"a huge page count", {"--fault", "pagecount=2147483647@/json/"}, 500, whole},
      {"a negative page count", {"--fault", "pagecount=-5@/json/"}, 0, whole},
      {"status 500 on the feed", {"--fault", "status=500@/json/"}, 0, whole},
      {"garbage for the feed", {"--fault", "garbage@/json/"}, 0, whole},
      {"reset in the middle of page 2",
       {"--fault", "reset@/json/qItems4EOYSale.htm?type=3&catId=30&page=2&"},
       -1,
       [](int p) { return p == 2 ? Fate::kCut : Fate::kWhole; }},
  };
  for (const FeedFaultCase& c : cases) {
    SCOPED_TRACE(c.name);
    MarketProcess market(c.faults);
    ASSERT_GT(market.port(), 0);
    const CliRun run = RunCli({"clearance", U8("年末清仓夜场")}, market.Proxy());
    Report(c.name, run);
    ExpectRunEnded(run);
    const int pages = c.pages < 0 ? own : c.pages;
    EXPECT_EQ(market.Requests().size(), static_cast<std::size_t>(1 + pages));

    const std::vector<Row> rows = run.Rows();
    std::vector<std::string> log;
    std::size_t at = 0;
    for (int page = 1; page <= pages; ++page) {
      SCOPED_TRACE(page);
      const std::vector<TruthItem> items = PlausibleOn(Truth(), "30", page);
      std::size_t k = 0;
      // Feed records end at "},", so a cut record is no record: the items read are a prefix.
      while (k < items.size() && at < rows.size() &&
             rows[at] ==
                 ExpectedRow(static_cast<int>(at + 1), items[k], U8("都市型男"), true, false)) {
        ++k;
        ++at;
      }
      if (c.fate(page) == Fate::kCut) {
        EXPECT_GT(k, 0u);
        EXPECT_LT(k, items.size());
      } else {
        EXPECT_EQ(k, items.size());
      }
      log.push_back(
          U8("[都市型男]==>第" + std::to_string(page) + "页共获得" + std::to_string(k) + "个商品"));
    }
    EXPECT_EQ(at, rows.size());
    log.push_back(U8("[都市型男]获取完毕!"));
    log.push_back(U8("[都市型男]全部获得" + std::to_string(rows.size()) + "个商品"));
    log.push_back(U8("年末清仓列表获取完毕!"));
    log.push_back(U8("一共获得商品[" + std::to_string(rows.size()) + "]个"));
    ExpectSameLines(run.Messages(), log);
  }
}

}  // namespace
}  // namespace cli_test
