#include "clearance/clearance_reader.h"

#include <gtest/gtest.h>

#include "app/controls/controls.h"
#include "support/page_server.h"

namespace {

std::string FeedPath(const std::string& id, const std::string& page) {
  return "/json/qItems4EOYSale.htm?type=3&catId=" + id + "&page=" + page +
         "&pageSize=100&_ksTS=&callback=callback2";
}

std::string Record(const std::string& title, const std::string& price, const std::string& id,
                   const std::string& original) {
  return "{\"act_id\":7,\"title\":\"" + title + "\",\"_price\":" + price + ",\"num_iid\":" + id +
         ",\"price\":" + original + ",\"pic\":\"x.jpg\"}";
}

class ClearanceReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Controls().Reset();
    ClearanceItemCounter() = 0;
  }
  void TearDown() override { Controls().Reset(); }
  static Text Cell(int row, int column) { return Controls().超级列表框1.GetCell(row, column); }
  PageServer market;
};

TEST_F(ClearanceReaderTest, TheAddressHasItsFixedParts) {
  EXPECT_EQ(ClearanceFeedAddress("50008163", "3"),
            "http://feed.market.example" + FeedPath("50008163", "3"));
}

TEST_F(ClearanceReaderTest, PageCountIsTheLeadingIntegerAfterItsMarker) {
  struct Case {
    const char* body;
    int count;
  } cases[] = {
      {"callback2({\"data\":{\"list\":[],\"totalPage\":12}})", 12},
      {"callback2({\"data\":{\"totalPage\":12,\"pageSize\":100}})", 12},
      {"callback2({\"data\":{\"list\":[]}})", 0},
      {"callback2({\"TOTALPAGE\":3})", 3},
      {"", 0},
  };
  for (const Case& k : cases) {
    market.Serve(FeedPath("30", "1"), k.body);
    EXPECT_EQ(ReadClearancePageCount(ClearanceFeedAddress("30", "1")), k.count) << k.body;
  }
  EXPECT_EQ(ReadClearancePageCount(ClearanceFeedAddress("31", "1")), 0);  // 404, empty body
}

TEST_F(ClearanceReaderTest, RecordsBecomeRowsWithComputedDiscounts) {
  market.Serve(FeedPath("50008163", "3"),
               "callback2({\"data\":{\"list\":[" + Record("纯棉四件套", "19", "123456", "39") +
                   "," + Record("半价枕头", "15", "223344", "30") + "," +
                   Record("毛毯", "39.90", "334455", "99.00") + "," +
                   Record("同价", "20", "445566", "20") + "," + Record("单", "1", "556677", "2") +
                   "," +                                     // 2-byte title
                   Record("短号", "1", "7", "2") + "," +     // 1-digit item id
                   Record("最后一件", "1", "667788", "2") +  // followed by "]"
                   "],\"totalPage\":3}})");
  ReadClearancePage("50008163", "3", "居家床品");
  ASSERT_EQ(Controls().超级列表框1.RowCount(), 4);
  const char* first[] = {"1",
                         "纯棉四件套",
                         "39",
                         "19",
                         "4.9",
                         "居家床品",
                         "http://item.market.example/item.htm?id=123456"};
  for (int col = 0; col < 7; ++col) EXPECT_EQ(Cell(0, col), first[col]) << col;
  EXPECT_EQ(Cell(1, 4), "5");
  EXPECT_EQ(Cell(2, 2), "99.00");
  EXPECT_EQ(Cell(2, 3), "39.90");
  EXPECT_EQ(Cell(2, 4), "3.9");
  EXPECT_EQ(Cell(3, 4), "10");
  EXPECT_EQ(ClearanceItemCounter(), 4);
  const Text log = Controls().编辑框1.Content();
  EXPECT_NE(log.find("][居家床品]==>第3页共获得4个商品"), Text::npos);
}

TEST_F(ClearanceReaderTest, TheEntryCountsPlausibleItemsAdmittedOrNot) {
  Controls().价格选择框.SetChecked(true);
  Controls().价格编辑框.WriteText("1");
  market.Serve(FeedPath("30", "1"), "[" + Record("男士夹克", "199", "9876", "399") + "," +
                                        Record("男士衬衫", "99", "9877", "199") + ",");
  ReadClearancePage("30", "1", "都市型男");
  EXPECT_EQ(Controls().超级列表框1.RowCount(), 0);
  EXPECT_EQ(ClearanceItemCounter(), 2);
  EXPECT_NE(Controls().编辑框1.Content().find("[都市型男]==>第1页共获得2个商品"), Text::npos);
}

TEST_F(ClearanceReaderTest, AnUnreadablePageStillGetsItsEntry) {
  ReadClearancePage("29", "2", "家有爱宠");
  EXPECT_EQ(Controls().超级列表框1.RowCount(), 0);
  EXPECT_NE(Controls().编辑框1.Content().find("[家有爱宠]==>第2页共获得0个商品"), Text::npos);
}

}  // namespace
