// A deal run and a clearance run at once, started and stopped again and again, while both lists
// are sorted and searched, check boxes toggled and limits edited: no row may ever hold cells of
// two items, and afterwards an undisturbed run counts exactly what its pages hold.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <random>
#include <set>
#include <thread>
#include <tuple>

#include "app/controls/controls.h"
#include "clearance/clearance_reader.h"
#include "clearance/clearance_run.h"
#include "deals/deal_run.h"
#include "market_pages.h"
#include "results/column_sort.h"
#include "results/keyword_search.h"
#include "support/page_server.h"
#include "text/text_numbers.h"

namespace {

constexpr std::uint64_t kSeed = 1;
const char* const kCategories[] = {"30", "50008163"};  // 都市型男, 居家床品

using Item = std::tuple<Text, Text, Text>;  // title, original price, price

class HarvestSoakTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Controls().Reset();
    Serve("/d/jiu?&u=jiu/all/", kNineYuanPages, BuildNineYuanPage);
    Serve("/tg/today_items.htm?&stype=newest&reverse=down&page=", kGroupBuyPages,
          BuildGroupBuyPage);
    Serve("/d/index?u=index/all/all/", kDiscountShopPages, BuildDiscountShopPage);
    Take(BuildDailySpecialsPage(kSeed, 1), "/ten.htm");
    Take(BuildDailySpecialsPage(kSeed, 2), "/ten/fuyou.htm");
    for (const char* id : kCategories) {
      for (int p = 1; p <= ClearancePageCount(id); ++p) {
        const std::string page = std::to_string(p);
        Take(BuildClearanceFeed(kSeed, id, p, ""),
             "/json/qItems4EOYSale.htm?type=3&catId=" + std::string(id) + "&page=" + page +
                 "&pageSize=100&_ksTS=&callback=callback2");
      }
    }
  }
  void TearDown() override { Controls().Reset(); }

  void Serve(const std::string& prefix, int pages,
             MarketPage (*build)(std::uint64_t, std::int64_t)) {
    for (int p = 1; p <= pages; ++p) Take(build(kSeed, p), prefix + std::to_string(p));
  }
  void Take(const MarketPage& page, const std::string& path) {
    market.Serve(path, page.body);
    for (const TruthRow& row : page.items) {
      if (!row.plausible) continue;
      ++plausible[row.source];
      items[row.link].insert({row.title, row.original_price, row.price});
    }
  }

  // Every row of list is one item of the pages, whole.
  void ExpectWholeRows(const ReportList& list) {
    for (int r = 0; r < list.RowCount(); ++r) {
      const RowCells row = list.GetRow(r);
      if (!row) continue;
      const auto known = items.find((*row)[6]);
      ASSERT_NE(known, items.end()) << "row " << r;
      EXPECT_TRUE(known->second.count({(*row)[1], (*row)[2], (*row)[3]})) << "row " << r;
    }
  }

  PageServer market;
  std::map<Text, int> plausible;         // by channel name or category id
  std::map<Text, std::set<Item>> items;  // by the address in column 6
};

TEST_F(HarvestSoakTest, RunsSortsSearchesAndEditsAtOnceKeepRowsWholeAndCountsExact) {
  WindowControls& c = Controls();
  const ClearancePanel& night = ClearancePanels()[2];
  c.居家床品选择框.SetChecked(true);
  std::atomic<bool> stop{false};
  std::vector<std::thread> users;
  auto every = [&](int seed, auto action) {
    users.emplace_back([&stop, seed, action] {
      std::mt19937 random(seed);
      while (!stop) {
        action(random);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 4000));
      }
    });
  };
  every(1, [](std::mt19937&) { ToggleDealRun(); });
  every(2, [&night](std::mt19937&) { ToggleClearanceRun(night); });
  std::atomic<int> mostRows{0};
  every(3, [&c, &mostRows](std::mt19937& r) {
    SortByColumn(r() % 2 ? c.超级列表框1 : c.超级列表框2, static_cast<int>(r() % 7));
    mostRows = std::max(mostRows.load(), c.超级列表框1.RowCount());
  });
  every(4, [&c](std::mt19937& r) {
    c.编辑框2.WriteText(r() % 2 ? "款" : "");
    if (r() % 3)
      StartSearch();
    else
      ToggleSearch();
  });
  every(5, [&c](std::mt19937& r) {
    c.价格选择框.SetChecked(r() % 2);
    c.折扣选择框.SetChecked(r() % 4 == 0);
    c.价格编辑框.WriteText(IntToText(static_cast<int>(r() % 600)));
    c.折扣编辑框.WriteText(RealToText((r() % 100) / 10.0));
    c.聚划算选择框.SetChecked(r() % 2);
    c.都市型男选择框.SetChecked(r() % 2);
  });
  std::this_thread::sleep_for(std::chrono::seconds(3));
  stop = true;
  for (std::thread& user : users) user.join();
  if (c.获取特价列表按钮.ReadCaption() == "暂停获取") ToggleDealRun();
  if (c.获取年末清仓夜场按钮.ReadCaption() == "暂停获取") ToggleClearanceRun(night);
  c.获取特价列表按钮.AwaitRunsFinished();
  c.获取年末清仓夜场按钮.AwaitRunsFinished();
  AwaitSearches();
  EXPECT_GT(mostRows.load(), 0);  // the runs did harvest while all this went on
  ExpectWholeRows(c.超级列表框1);
  ExpectWholeRows(c.超级列表框2);
  EXPECT_EQ(c.获取特价列表按钮.ReadCaption(), "获取列表");
  EXPECT_EQ(c.获取年末清仓夜场按钮.ReadCaption(), "获取列表");

  // Undisturbed runs afterwards count exactly what the pages hold.
  c.Reset();
  c.居家床品选择框.SetChecked(true);
  ToggleDealRun();
  c.获取特价列表按钮.AwaitRunsFinished();
  const char* channels[] = {"九块邮", "聚划算", "卷皮折扣", "天天特价"};
  int deals = 0;
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(ChannelItemCounter(i), plausible[channels[i]]) << i;
    EXPECT_EQ((c.*DealChannels()[i].box).ReadCaption(),
              Text(channels[i]) + "[" + IntToText(plausible[channels[i]]) + "]");
    deals += plausible[channels[i]];
  }
  EXPECT_EQ(c.超级列表框1.RowCount(), deals);
  ExpectWholeRows(c.超级列表框1);
  ToggleClearanceRun(night);
  c.获取年末清仓夜场按钮.AwaitRunsFinished();
  EXPECT_EQ(ClearanceItemCounter(), plausible["30"]);  // the last category of the run
  EXPECT_EQ(c.超级列表框1.RowCount(), plausible["30"] + plausible["50008163"]);
  ExpectWholeRows(c.超级列表框1);
}

}  // namespace
