// deal-harvester-cli clearance against the sample marketplace: per category the page-count
// request and every page, the page and category entries, and rows equal to the ground truth.
#include <functional>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "integration/cli_harness.h"

namespace cli_test {
namespace {

struct Category {
  const char* caption;  // GBK
  const char* id;
};

std::string FeedAddress(const Category& c, int page) {
  return std::string("http://feed.market.example/json/qItems4EOYSale.htm?type=3&catId=") + c.id +
         "&page=" + std::to_string(page) + "&pageSize=100&_ksTS=&callback=callback2";
}

class CliClearanceTest : public ::testing::Test {
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

  static MarketProcess* market_;
  static std::vector<TruthItem>* truth_;
};
MarketProcess* CliClearanceTest::market_ = nullptr;
std::vector<TruthItem>* CliClearanceTest::truth_ = nullptr;

TEST_F(CliClearanceTest, CategoriesAreHarvestedPageByPageInPanelOrder) {
  struct Case {
    std::vector<std::string> args;
    std::vector<Category> categories;  // in the panel's order, whatever the list's
    std::function<bool(const Row&)> admit;
  };
  const Category menswear{"都市型男", "30"}, bedding{"居家床品", "50008163"};
  const Case cases[] = {
      {{"clearance", U8("年末清仓夜场"), "--categories", U8("都市型男,居家床品")},
       {bedding, menswear},
       nullptr},
      // The start-up states: one category checked on each panel.
      {{"clearance", U8("年末清仓白天1")}, {{"精品女鞋", "50006843"}}, nullptr},
      {{"clearance", U8("年末清仓白天2")}, {{"大家电", "50022703"}}, nullptr},
      {{"clearance", U8("年末清仓夜场")}, {menswear}, nullptr},
      // The category totals count what was found, the run's count what was admitted.
      {{"clearance", U8("年末清仓夜场"), "--price-below", "0"},
       {menswear},
       [](const Row& r) { return LeadingInt(r[3]) < 0; }},
      {{"clearance", U8("年末清仓夜场"), "--discount-below", "2.1"},
       {menswear},
       [](const Row& r) { return !r[4].empty() && LeadingInt(r[4]) < 2; }},
      {{"clearance", U8("年末清仓夜场"), "--categories", ""}, {}, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    const std::size_t before = market_->Requests().size();
    const CliRun run = RunCli(c.args, market_->Proxy());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<LoggedRequest> all = market_->Requests();

    std::vector<std::string> expectedUrls, expectedLog;
    std::vector<Row> expectedRows;
    for (const Category& category : c.categories) {
      const int pages = LastPageOf(*truth_, category.id);
      ASSERT_GE(pages, 2) << category.id;
      // Page 1 twice: once for the count, once for its items.
      expectedUrls.push_back(FeedAddress(category, 1));
      int total = 0;
      for (int p = 1; p <= pages; ++p) {
        expectedUrls.push_back(FeedAddress(category, p));
        const std::vector<TruthItem> items = PlausibleOn(*truth_, category.id, p);
        total += static_cast<int>(items.size());
        expectedLog.push_back(U8(std::string("[") + category.caption + "]==>第" +
                                 std::to_string(p) + "页共获得" + std::to_string(items.size()) +
                                 "个商品"));
        for (const TruthItem& t : items) {
          Row row = ExpectedRow(0, t, U8(category.caption), true, false);
          if (!c.admit || c.admit(row)) expectedRows.push_back(row);
        }
      }
      expectedLog.push_back(U8(std::string("[") + category.caption + "]获取完毕!"));
      expectedLog.push_back(
          U8(std::string("[") + category.caption + "]全部获得" + std::to_string(total) + "个商品"));
    }
    expectedLog.push_back(U8("年末清仓列表获取完毕!"));
    expectedLog.push_back(U8("一共获得商品[" + std::to_string(expectedRows.size()) + "]个"));

    std::vector<std::string> urls;
    for (std::size_t i = before; i < all.size(); ++i) {
      urls.push_back(all[i].url);
      EXPECT_EQ(all[i].version, "HTTP/1.0");
    }
    EXPECT_EQ(urls, expectedUrls);
    ExpectSameRows(run.Rows(), Renumbered(expectedRows));
    ExpectSameLines(run.Messages(), expectedLog);
    for (const Row& row : run.Rows()) {
      ASSERT_EQ(row.size(), 7u);
      EXPECT_EQ(row[6].rfind("http://item.market.example/item.htm?id=", 0), 0u) << row[6];
      EXPECT_FALSE(row[4].ends_with(".0")) << row[4];
    }
  }
}

}  // namespace
}  // namespace cli_test
