// deal-harvester-cli deals against the sample marketplace: the requests it sends, the activity
// log it writes and the rows it prints, checked against the marketplace's ground truth; the
// channel list, the filters, the sort, the search and the usage errors.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "integration/cli_harness.h"

namespace cli_test {
namespace {

// The channels in run order.
const ChannelSite* const kChannels = ChannelSites().data();

class CliDealsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    market_ = new MarketProcess();
    truth_ = new std::vector<TruthItem>(GroundTruth());
  }
  static void TearDownTestSuite() {
    delete market_;
    delete truth_;
  }
  void SetUp() override { ASSERT_GT(market_->port(), 0) << "sample-market did not start"; }

  // The requests the market saw while f ran.
  static std::vector<LoggedRequest> RequestsDuring(const std::function<void()>& f) {
    const std::size_t before = market_->Requests().size();
    f();
    std::vector<LoggedRequest> all = market_->Requests();
    return std::vector<LoggedRequest>(all.begin() + static_cast<long>(before), all.end());
  }

  // The plausible items of a channel, all its pages in order.
  static std::vector<TruthItem> ChannelTruth(const ChannelSite& c) {
    std::vector<TruthItem> items;
    for (int p = 1; p <= c.pages; ++p) {
      for (const TruthItem& t : PlausibleOn(*truth_, U8(c.name), p)) items.push_back(t);
    }
    return items;
  }

  // The rows of the channels in run order, before any filter, numbered as appended.
  static std::vector<Row> ExpectedRows(const std::vector<const ChannelSite*>& channels,
                                       const std::function<bool(const Row&)>& admit = nullptr) {
    std::vector<Row> rows;
    for (const ChannelSite* c : channels) {
      for (const TruthItem& t : ChannelTruth(*c)) {
        Row row = ExpectedRow(0, t, U8(c->name), c->computesDiscount, true);
        if (!admit || admit(row)) rows.push_back(row);
      }
    }
    return Renumbered(rows);
  }

  // The log of a run over channels without faults.
  static std::vector<std::string> ExpectedLog(const std::vector<const ChannelSite*>& channels,
                                              std::size_t rows) {
    std::vector<int> counts;
    for (const ChannelSite* c : channels)
      counts.push_back(static_cast<int>(ChannelTruth(*c).size()));
    return DealRunLog(channels, counts, rows);
  }

  static std::vector<const ChannelSite*> AllChannels() {
    return {&kChannels[0], &kChannels[1], &kChannels[2], &kChannels[3]};
  }

  static MarketProcess* market_;
  static std::vector<TruthItem>* truth_;
};
MarketProcess* CliDealsTest::market_ = nullptr;
std::vector<TruthItem>* CliDealsTest::truth_ = nullptr;

TEST_F(CliDealsTest, StartUpStatesHarvestAllFourChannelsExactly) {
  CliRun run;
  const std::vector<LoggedRequest> requests =
      RequestsDuring([&] { run = RunCli({"deals"}, market_->Proxy()); });
  ASSERT_EQ(run.exitCode, 0) << run.err;

  // 9 + 19 + 9 + 2 pages, in run order; the closing calls ask for nothing.
  std::vector<std::string> expectedUrls;
  for (const ChannelSite& c : ChannelSites()) {
    for (int p = 1; p <= c.pages; ++p) expectedUrls.push_back(c.address(p));
  }
  std::vector<std::string> urls;
  for (const LoggedRequest& r : requests) urls.push_back(r.url);
  EXPECT_EQ(urls, expectedUrls);

  for (const LoggedRequest& r : requests) {
    SCOPED_TRACE(r.url);
    EXPECT_EQ(r.method, "GET");
    if (r.url.find("discountshop") != std::string::npos) {
      // The scripted request: its own protocol, the shop as Referer, the form Content-Type
      // and the empty cookie text.
      EXPECT_EQ(r.version, "HTTP/1.1");
      EXPECT_EQ(r.Header("Referer"), "http://discountshop.market.example");
      EXPECT_EQ(r.Header("Content-Type"), "application/x-www-form-urlencoded");
      EXPECT_EQ(r.Header("Cookie"), "");
      EXPECT_EQ(r.Header("X-FORWARDED-FOR"), "<none>");
    } else {
      // The plain fetch: HTTP/1.0, its user agent and Accept, nothing else of ours.
      EXPECT_EQ(r.version, "HTTP/1.0");
      const std::string host = r.url.substr(7, r.url.find('/', 7) - 7);
      EXPECT_EQ(r.headers,
                (std::vector<std::string>{"Host: " + host,
                                          "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; "
                                          "Windows NT 5.0)",
                                          "Accept: */*"}));
    }
  }

  const std::vector<Row> expected = ExpectedRows(AllChannels());
  ExpectSameRows(run.Rows(), expected);
  ExpectSameLines(run.Messages(), ExpectedLog(AllChannels(), expected.size()));
  EXPECT_EQ(run.MessagesStartingWith(U8("正在获取")).size(), 40u);

  // The pages hold the odd cases of the computed discount, so the rows above really met them:
  // a points price, a missing original price (empty discount), a one-byte result padded.
  int points = 0, noOriginal = 0, padded = 0;
  for (const Row& row : expected) {
    if (row[5] != U8("聚划算") && row[5] != U8("天天特价")) continue;
    points += row[3].find(U8("积分")) != std::string::npos;
    noOriginal += row[4].empty();
    padded += row[4].size() == 3 && row[4].ends_with(".0");
  }
  EXPECT_GT(points, 0);
  EXPECT_GT(noOriginal, 0);
  EXPECT_GT(padded, 0);
}

// Stderr is the log and nothing else: a line per entry, each "[time]message".
TEST_F(CliDealsTest, EveryStderrLineIsOneTimedEntry) {
  for (const char* list : {"", "天天特价"}) {
    SCOPED_TRACE(list);
    const CliRun run = RunCli({"deals", "--channels", U8(list)}, market_->Proxy());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.UntimedLines().empty()) << testing::PrintToString(run.UntimedLines());
    EXPECT_FALSE(run.err.starts_with("\n"));
    EXPECT_EQ(run.err.find("\n\n"), std::string::npos);
    EXPECT_EQ(run.Messages().size(), std::string_view(list).empty() ? 2u : 5u);
  }
}

TEST_F(CliDealsTest, ChannelListChecksOnlyTheNamedChannelsInRunOrder) {
  struct Case {
    const char* list;  // GBK, as typed
    std::vector<const ChannelSite*> channels;
  };
  const Case cases[] = {
      {"九块邮", {&kChannels[0]}},
      {"天天特价,聚划算", {&kChannels[1], &kChannels[3]}},
      {"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    CliRun run;
    const std::vector<LoggedRequest> requests = RequestsDuring([&] {
      run = RunCli({"deals", "--channels", U8(c.list)}, market_->Proxy());
    });
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::vector<std::string> urls, expectedUrls;
    for (const LoggedRequest& r : requests) urls.push_back(r.url);
    for (const ChannelSite* ch : c.channels) {
      for (int p = 1; p <= ch->pages; ++p) expectedUrls.push_back(ch->address(p));
    }
    EXPECT_EQ(urls, expectedUrls);
    const std::vector<Row> expected = ExpectedRows(c.channels);
    ExpectSameRows(run.Rows(), expected);
    ExpectSameLines(run.Messages(), ExpectedLog(c.channels, expected.size()));
  }
}

// The limits compare integer parts: 49.9 passes 50, the discount limit 2.1 counts as 2, an
// empty computed discount passes no discount limit. The closing entries still count every
// plausible item.
TEST_F(CliDealsTest, FiltersAdmitByIntegerComparison) {
  struct Case {
    std::vector<std::string> options;
    std::function<bool(const Row&)> admit;
  };
  const auto priceBelow50 = [](const Row& r) { return LeadingInt(r[3]) < 50; };
  const auto discountBelow2 = [](const Row& r) {
    // A computed discount is empty only where the original price reads as 0.
    const bool known = !(r[4].empty() && LeadingInt(r[2]) == 0 &&
                         (r[5] == U8("聚划算") || r[5] == U8("天天特价")));
    return known && LeadingInt(r[4]) < 2;
  };
  const Case cases[] = {
      {{"--price-below", "50"}, priceBelow50},
      {{"--discount-below", "2.1"}, discountBelow2},
      {{"--price-below", "50", "--discount-below", "2.1"},
       [&](const Row& r) { return priceBelow50(r) && discountBelow2(r); }},
      {{"--price-below", "0"}, [](const Row& r) { return LeadingInt(r[3]) < 0; }},
  };
  const std::vector<Row> all = ExpectedRows(AllChannels());
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.options));
    std::vector<std::string> args{"deals"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const CliRun run = RunCli(args, market_->Proxy());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<Row> expected = ExpectedRows(AllChannels(), c.admit);
    EXPECT_LT(expected.size(), all.size());
    ExpectSameRows(run.Rows(), expected);
    ExpectSameLines(run.Messages(), ExpectedLog(AllChannels(), expected.size()));
  }
  // The integer rule really decides here: a discount between 2.0 and 2.1 is refused.
  bool between = false;
  for (const Row& r : all) between = between || (LeadingInt(r[4]) == 2 && r[4] < "2.1");
  EXPECT_TRUE(between) << "the sample pages hold no discount between 2.0 and 2.1";
}

// The main list sorted ascending by the integer part of the price, equal keys in the order of
// appending; the running numbers travel with their rows.
TEST_F(CliDealsTest, SortByPriceIsAscendingByIntegerPartAndStable) {
  const CliRun run = RunCli({"deals", "--sort", "3"}, market_->Proxy());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::vector<Row> expected = ExpectedRows(AllChannels());
  std::stable_sort(expected.begin(), expected.end(),
                   [](const Row& a, const Row& b) { return LeadingInt(a[3]) < LeadingInt(b[3]); });
  ExpectSameRows(run.Rows(), expected);
  // The log is the run's own: the sort writes nothing.
  ExpectSameLines(run.Messages(), ExpectedLog(AllChannels(), expected.size()));
}

TEST_F(CliDealsTest, SearchListsMatchingTitlesOfTheSortedListNumberedAfresh) {
  struct Case {
    const char* keyword;  // GBK
    bool found;
  };
  const Case cases[] = {
      {"T恤", true},
      {"连衣裙", true},
      {"t恤", false},  // letter case counts
      {"", true},      // every row
  };
  std::vector<Row> sorted = ExpectedRows(AllChannels());
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const Row& a, const Row& b) { return LeadingInt(a[3]) < LeadingInt(b[3]); });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keyword);
    const std::string keyword = U8(c.keyword);
    const CliRun run = RunCli({"deals", "--sort", "3", "--search", keyword}, market_->Proxy());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::vector<Row> expected;
    for (const Row& r : sorted) {
      if (r[1].find(keyword) != std::string::npos) expected.push_back(r);
    }
    EXPECT_EQ(!expected.empty(), c.found);
    ExpectSameRows(run.Rows(), Renumbered(expected));
    // The run's count is that of the main list, not of the search.
    EXPECT_EQ(run.Messages().back(), U8("一共获得商品[" + std::to_string(sorted.size()) + "]个"));
  }
}

// Every bad command line: exit 2, one usage message, nothing printed on stdout, no request.
TEST_F(CliDealsTest, BadCommandLinesEndWithUsageBeforeAnyRequest) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"harvest"},
      {"--channels", U8("九块邮")},
      {"deals", "--channels", U8("九块邮,淘宝")},
      {"deals", "--channels", U8("都市型男")},
      {"clearance"},
      {"clearance", U8("年末清仓白天3")},
      {"clearance", "--categories", U8("都市型男")},
      {"clearance", U8("年末清仓夜场"), "--categories", U8("大家电")},
      {"clearance", U8("年末清仓夜场"), "--channels", U8("九块邮")},
      {"deals", "--categories", U8("都市型男")},
      {"deals", "--sort", "7"},
      {"deals", "--sort", "-1"},
      {"deals", "--sort", U8("价格")},
      {"deals", "--verbose"},
      {"deals", "--search"},
      {"deals", "--channels"},
      {"deals", "--price-below"},
      {"deals", "--price-below", "abc"},
      {"deals", "--discount-below", "x"},
      {"deals", "--sort"},
      {"clearance", U8("年末清仓夜场"), "--categories"},
  };
  const std::vector<LoggedRequest> requests = RequestsDuring([&] {
    for (const std::vector<std::string>& args : cases) {
      SCOPED_TRACE(testing::PrintToString(args));
      const CliRun run = RunCli(args, market_->Proxy());
      EXPECT_EQ(run.exitCode, 2);
      EXPECT_EQ(run.out, "");
      int usageLines = 0;
      for (std::size_t at = 0; (at = run.err.find("usage:", at)) != std::string::npos; ++at) {
        ++usageLines;
      }
      EXPECT_EQ(usageLines, 1) << run.err;
      EXPECT_TRUE(run.Messages().empty()) << "a log entry: " << run.err;
    }
  });
  EXPECT_TRUE(requests.empty()) << requests.size() << " requests, the first " << requests[0].url;
}

}  // namespace
}  // namespace cli_test
