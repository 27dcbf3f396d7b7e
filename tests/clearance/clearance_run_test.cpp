#include "clearance/clearance_run.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <thread>

#include "app/controls/controls.h"
#include "clearance/clearance_reader.h"
#include "deals/deal_run.h"
#include "support/page_server.h"
#include "text/text_numbers.h"

namespace {

std::string FeedPath(const std::string& id, int page) {
  return "/json/qItems4EOYSale.htm?type=3&catId=" + id + "&page=" + std::to_string(page) +
         "&pageSize=100&_ksTS=&callback=callback2";
}

// A feed page of n records of category id, announcing pages.
std::string FeedPage(const std::string& id, int page, int n, int pages) {
  std::string body = "callback2({\"data\":{\"list\":[";
  for (int i = 0; i < n; ++i) {
    body += "{\"act_id\":1,\"title\":\"商品" + id + "-" + std::to_string(page) + "-" +
            std::to_string(i) + "\",\"_price\":" + std::to_string(10 + i) +
            ",\"num_iid\":" + std::to_string(100000 + i) + ",\"price\":100},";
  }
  return body + "{\"act_id\":0}],\"totalPage\":" + std::to_string(pages) + "}})";
}

const ClearancePanel& Panel(std::string_view page) {
  for (const ClearancePanel& panel : ClearancePanels()) {
    if (page == panel.page) return panel;
  }
  throw std::logic_error("no such panel");
}

class ClearanceRunTest : public ::testing::Test {
 protected:
  void SetUp() override { Controls().Reset(); }
  void TearDown() override {
    Controls().获取年末清仓夜场按钮.AwaitRunsFinished();
    Controls().Reset();
  }
  void ServeCategory(const std::string& id, int pages, int perPage) {
    for (int p = 1; p <= pages; ++p) market.Serve(FeedPath(id, p), FeedPage(id, p, perPage, pages));
  }
  static void RunToEnd(const ClearancePanel& panel) {
    ToggleClearanceRun(panel);
    Controls().获取年末清仓夜场按钮.AwaitRunsFinished();
  }
  int RequestsFor(const std::string& id) const {
    int n = 0;
    for (const auto& r : market.Requests())
      n += r.Path().find("catId=" + id + "&") != std::string::npos;
    return n;
  }
  static Text Log() { return Controls().编辑框1.Content(); }
  PageServer market;
};

TEST_F(ClearanceRunTest, PanelsHoldTheirCategoriesInRunOrder) {
  struct Case {
    const char* page;
    std::size_t count;
    const char* first;
    const char* checked;
  } cases[] = {{"年末清仓白天1", 15, "厨房用具", "精品女鞋"},
               {"年末清仓白天2", 14, "玩具早教", "大家电"},
               {"年末清仓夜场", 15, "居家床品", "都市型男"}};
  std::set<std::string> ids;
  for (const Case& k : cases) {
    const ClearancePanel& panel = Panel(k.page);
    ASSERT_EQ(panel.categories.size(), k.count);
    EXPECT_STREQ(panel.categories[0].caption, k.first);
    for (const ClearanceCategory& category : panel.categories) {
      CheckBox& box = Controls().*category.box;
      EXPECT_EQ(box.ReadCaption(), category.caption);
      EXPECT_EQ(box.ReadChecked(), Text(category.caption) == k.checked) << category.caption;
      EXPECT_TRUE(ids.insert(category.id).second) << category.id;
    }
  }
}

TEST_F(ClearanceRunTest, ACategoryAnnouncingThreePagesIsRequestedFourTimes) {
  ServeCategory("30", 3, 5);
  RunToEnd(Panel("年末清仓夜场"));  // 都市型男 alone at start-up
  EXPECT_EQ(RequestsFor("30"), 4);
  EXPECT_EQ(market.Requests().size(), 4u);
  EXPECT_EQ(Controls().超级列表框1.RowCount(), 15);
  const Text log = Log();
  for (int p = 1; p <= 3; ++p) {
    EXPECT_NE(log.find("[都市型男]==>第" + IntToText(p) + "页共获得5个商品"), Text::npos);
  }
  EXPECT_NE(log.find("][都市型男]获取完毕!\r\n["), Text::npos);
  EXPECT_NE(log.find("][都市型男]全部获得15个商品\r\n["), Text::npos);
  EXPECT_NE(log.find("]年末清仓列表获取完毕!\r\n["), Text::npos);
  EXPECT_NE(log.find("]一共获得商品[15]个"), Text::npos);
  EXPECT_EQ(Controls().获取年末清仓夜场按钮.ReadCaption(), "获取列表");
}

TEST_F(ClearanceRunTest, TheDayButtonsShareTheNightButtonsRunState) {
  WindowControls& c = Controls();
  c.超级列表框1.AppendNumberedRow(Cells{});
  c.超级列表框2.SetVisible(true);
  ToggleClearanceRun(Panel("年末清仓白天1"));
  EXPECT_EQ(c.超级列表框1.RowCount(), 0);
  EXPECT_FALSE(c.超级列表框2.Visible());
  EXPECT_EQ(c.获取年末清仓白天按钮1.ReadCaption(), "获取列表");
  c.获取年末清仓夜场按钮.AwaitRunsFinished();
  EXPECT_EQ(c.获取年末清仓夜场按钮.ReadCaption(), "获取列表");
  EXPECT_EQ(RequestsFor("50006843"), 1);  // 精品女鞋: the count only, its feed is empty
  EXPECT_NE(Log().find("[精品女鞋]全部获得0个商品"), Text::npos);
}

TEST_F(ClearanceRunTest, AStopDuringTheSecondOfFourCategories) {
  WindowControls& c = Controls();
  const ClearancePanel& night = Panel("年末清仓夜场");
  const char* ids[] = {"50008163", "50002768", "50025705", "30"};
  for (const char* id : ids) ServeCategory(id, 3, 2);
  c.居家床品选择框.SetChecked(true);
  c.个人护理选择框.SetChecked(true);
  c.洗护清洁选择框.SetChecked(true);
  // The user clicks while the second category's second page is being read; any clearance
  // button stops, and none starts a run then.
  market.OnRequest([](const std::string& path) {
    if (path == FeedPath("50002768", 2)) ToggleClearanceRun(Panel("年末清仓白天2"));
  });
  ToggleClearanceRun(night);
  c.获取年末清仓夜场按钮.AwaitRunsFinished();
  EXPECT_EQ(RequestsFor("50008163"), 4);
  EXPECT_EQ(RequestsFor("50002768"), 3);
  EXPECT_EQ(RequestsFor("50025705"), 1);  // its page count, no page
  EXPECT_EQ(RequestsFor("30"), 1);
  EXPECT_EQ(RequestsFor("50022703"), 0);  // the stopping click started nothing
  const Text log = Log();
  EXPECT_NE(log.find("[洗护清洁]全部获得0个商品"), Text::npos);
  EXPECT_NE(log.find("[都市型男]全部获得0个商品"), Text::npos);
  EXPECT_NE(log.find("[居家床品]全部获得6个商品"), Text::npos);
  EXPECT_NE(log.find("[个人护理]==>第2页共获得2个商品\r\n["), Text::npos);
  EXPECT_NE(log.find("[个人护理]全部获得4个商品"), Text::npos);
  EXPECT_NE(log.find("年末清仓列表获取完毕!"), Text::npos);
  EXPECT_EQ(c.获取年末清仓夜场按钮.ReadCaption(), "获取列表");
}

TEST_F(ClearanceRunTest, CategoriesAreReadAtTheirTurnAndTotalsCountWhatTheLimitRefuses) {
  WindowControls& c = Controls();
  ServeCategory("50008163", 1, 4);
  ServeCategory("30", 1, 4);
  c.居家床品选择框.SetChecked(true);
  c.价格选择框.SetChecked(true);
  c.价格编辑框.WriteText("5");  // every price is 10 or more
  c.都市型男选择框.SetChecked(false);
  RunToEnd(Panel("年末清仓夜场"));
  EXPECT_EQ(RequestsFor("30"), 0);
  EXPECT_EQ(Log().find("[都市型男]"), Text::npos);
  EXPECT_NE(Log().find("[居家床品]全部获得4个商品"), Text::npos);
  EXPECT_NE(Log().find("一共获得商品[0]个"), Text::npos);
}

TEST_F(ClearanceRunTest, NoCategoryChecked) {
  Controls().都市型男选择框.SetChecked(false);
  RunToEnd(Panel("年末清仓夜场"));
  EXPECT_TRUE(market.Requests().empty());
  const Text log = Log();
  EXPECT_EQ(log.find("[都市型男]"), Text::npos);
  EXPECT_NE(log.find("年末清仓列表获取完毕!"), Text::npos);
  EXPECT_NE(log.find("一共获得商品[0]个"), Text::npos);
}

// A deal run and a clearance run at once both append to the main list; each start clears it.
TEST_F(ClearanceRunTest, DealAndClearanceRunsShareTheMainList) {
  WindowControls& c = Controls();
  for (CheckBox* box : {&c.聚划算选择框, &c.卷皮折扣选择框, &c.天天特价选择框})
    box->SetChecked(false);
  std::string jiu;
  for (int i = 0; i < 3; ++i) {
    jiu += "list-good buy<h5><a class=\"title\" href=\"http://item.example/" + std::to_string(i) +
           "\">九块九商品</a></h5>";
  }
  for (int p = 1; p <= 9; ++p) market.Serve("/d/jiu?&u=jiu/all/" + std::to_string(p), jiu);
  ServeCategory("30", 2, 5);
  ToggleDealRun();
  ToggleClearanceRun(Panel("年末清仓夜场"));
  c.获取特价列表按钮.AwaitRunsFinished();
  c.获取年末清仓夜场按钮.AwaitRunsFinished();
  const int rows = c.超级列表框1.RowCount();
  EXPECT_LE(rows, 37);
  std::set<Text> labels;
  for (int r = 0; r < rows; ++r) labels.insert(c.超级列表框1.GetCell(r, 5));
  EXPECT_EQ(labels, (std::set<Text>{"九块邮", "都市型男"}));
  // Running numbers stay 1..n without gaps whatever the interleaving.
  std::set<int> numbers;
  for (int r = 0; r < rows; ++r) numbers.insert(TextToInt(c.超级列表框1.GetCell(r, 0)));
  EXPECT_EQ(static_cast<int>(numbers.size()), rows);
  EXPECT_EQ(*numbers.rbegin(), rows);
}

}  // namespace
