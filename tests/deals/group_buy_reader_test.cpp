#include "deals/group_buy_reader.h"

#include "reader_test_support.h"

namespace {

constexpr const char* kPage1 = "/tg/today_items.htm?&stype=newest&reverse=down&page=1";

std::string Money(const std::string& amount) {
  return "<span class=\"price\">&yen;<em>" + amount + "</em></span>";
}
std::string Points(const std::string& amount) {
  return "<span class=\"price\"><em>" + amount + "</em>积分</span>";
}
std::string Block(const std::string& title, const std::string& priceArea,
                  const std::string& original, const std::string& link = "http://item.example/7") {
  return "<li class=\"item\"><a href=\"" + link +
         "\" target=\"_blank\"><img src=\"a.jpg\"></a><h3 title=\"x\">" + title + "</h3>" +
         priceArea + "<del class=\"orig-price\">&yen;" + original + "</del></li>\n";
}
std::string Page(const std::string& blocks) {
  return "<html><head><title>团购</title></head><body><li class=\"nav\">导航</li>"
         "<div id=\"J_JuHomeList\"><ul>" +
         blocks + "</ul></div></body></html>";
}

class GroupBuyReaderTest : public ReaderTest {};

TEST_F(GroupBuyReaderTest, ComputesTheDiscountFromTheIntegerPrices) {
  market.Serve(
      kPage1, Page(Block("新款 T恤\r\n", Money("19.9"), "39.9") + Block("半价", Money("15"), "30") +
                   Block("原价", Money("20"), "20") + Block("积分兑换", Points("500"), "39.9") +
                   Block("包邮好货<span class=\"benefit\">包邮</span>",
                         "<span class=\"price\">&yen;<em>9</em>.9</span>", "29")));
  ReadGroupBuyPage(1);
  ASSERT_EQ(Rows(), 5);
  struct Row {
    const char* title;
    const char* original;
    const char* price;
    const char* discount;
  } expected[] = {{"新款T恤", "39.9", "19.9", "4.9"},
                  {"半价", "30", "15", "5.0"},
                  {"原价", "20", "20", "10"},
                  {"积分兑换", "39.9", "500积分", "128.2"},
                  {"包邮好货", "29", "9.9", "3.1"}};
  for (int r = 0; r < 5; ++r) {
    EXPECT_EQ(Cell(r, 1), expected[r].title);
    EXPECT_EQ(Cell(r, 2), expected[r].original);
    EXPECT_EQ(Cell(r, 3), expected[r].price);
    EXPECT_EQ(Cell(r, 4), expected[r].discount);
    EXPECT_EQ(Cell(r, 5), "聚划算");
    EXPECT_EQ(Cell(r, 6), "http://item.example/7");
  }
  // The navigation before the item list is no item.
  EXPECT_EQ(ChannelItemCounter(1), 5);
}

TEST_F(GroupBuyReaderTest, TheDiscountLimitCountsWholeTenths) {
  Controls().折扣选择框.SetChecked(true);
  market.Serve(kPage1,
               Page(Block("一折九", Money("19"), "100") + Block("二折三", Money("23"), "100")));
  ReadGroupBuyPage(1);
  ASSERT_EQ(Rows(), 1);
  EXPECT_EQ(Cell(0, 4), "1.9");
}

TEST_F(GroupBuyReaderTest, AMissingOriginalPriceGivesNoDiscount) {
  market.Serve(kPage1, Page(Block("无原价", Money("19.9"), "")));
  ReadGroupBuyPage(1);
  ASSERT_EQ(Rows(), 1);
  EXPECT_EQ(Cell(0, 4), "");
  Controls().折扣选择框.SetChecked(true);
  ReadGroupBuyPage(1);
  EXPECT_EQ(Rows(), 1);  // an unknown discount passes no discount limit
}

TEST_F(GroupBuyReaderTest, APageWithoutTheItemListYieldsNothing) {
  market.Serve(kPage1, "<html>" + Block("商品", Money("1"), "2") + "</html>");
  ReadGroupBuyPage(1);
  EXPECT_EQ(Rows(), 0);
  EXPECT_TRUE(LogHas("]正在获取聚划算第1页商品"));
}

TEST_F(GroupBuyReaderTest, TheClosingCallWritesNoProgressEntry) {
  ChannelItemCounter(1) = 5;
  ReadGroupBuyPage(20);
  EXPECT_TRUE(market.Requests().empty());
  EXPECT_EQ(Controls().聚划算选择框.ReadCaption(), "聚划算[5]");
  EXPECT_FALSE(LogHas("第20页"));
  EXPECT_TRUE(LogEndsWith("]获取聚划算完毕共[5]件商品"));
}

}  // namespace
