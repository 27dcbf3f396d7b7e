#include "deals/discount_shop_reader.h"

#include "reader_test_support.h"

namespace {

constexpr const char* kPage1 = "/d/index?u=index/all/all/1";

std::string Piece(const std::string& title, const std::string& link, const std::string& price,
                  const std::string& discount) {
  return "list-good\"><a href=\"" + link +
         "\" target=\"_blank\"><img src=\"p.jpg\"></a>"
         "<h5 class=\"good-title\"><a href=\"" +
         link + "\" target=\"_blank\">" + title +
         "</a></h5><span class=\"price-current\"><em>￥</em>" + price +
         "</span><span class=\"price-old\"><em>￥</em>99</span><span class=\"discount\"><b>" +
         discount + "</b>折</span></li><li class=\"";
}

class DiscountShopReaderTest : public ReaderTest {};

TEST_F(DiscountShopReaderTest, TakesThePagesOwnDiscountAndDropsBrandEntries) {
  market.Serve(kPage1, "<html><ul><li class=\"" +
                           Piece("新款 <b>T恤</b>\r\n", "http://item.example/1", "34.5", "3.5") +
                           Piece("整数折扣", "http://item.example/2", "40", "4") +
                           Piece("品牌团", "http://shop.example/d/brand/8", "1", "1") +
                           Piece("大写品牌", "http://shop.example/D/BRAND/8", "1", "1") +
                           Piece("相对地址", "/item/123456789", "1", "1") + "</ul></html>");
  ReadDiscountShopPage(1);
  ASSERT_EQ(Rows(), 4);
  const char* first[] = {"1", "新款T恤", "99", "34.5", "3.5", "卷皮折扣", "http://item.example/1"};
  for (int col = 0; col < 7; ++col) EXPECT_EQ(Cell(0, col), first[col]) << col;
  EXPECT_EQ(Cell(1, 4), "4");
  EXPECT_EQ(Cell(2, 1), "大写品牌");
  EXPECT_EQ(Cell(3, 6), "/item/123456789");
  EXPECT_EQ(ChannelItemCounter(2), 4);
}

TEST_F(DiscountShopReaderTest, TheRequestCarriesTheShopAsReferer) {
  market.Serve(kPage1, "");
  ReadDiscountShopPage(1);
  const auto requests = market.Requests();
  ASSERT_EQ(requests.size(), 1u);
  const loopback::RecordedRequest& r = requests[0];
  EXPECT_EQ(r.method, "GET");
  EXPECT_EQ(r.target, std::string("http://discountshop.market.example") + kPage1);
  EXPECT_EQ(r.Header("Referer").value_or(""), "http://discountshop.market.example");
  EXPECT_EQ(r.Header("Content-Type").value_or(""), "application/x-www-form-urlencoded");
  EXPECT_FALSE(r.Header("X-FORWARDED-FOR"));
  EXPECT_EQ(r.Header("Cookie").value_or(""), "");  // given, and empty
}

TEST_F(DiscountShopReaderTest, TheDiscountLimitCountsTheStatedFigureByItsIntegerPart) {
  Controls().折扣选择框.SetChecked(true);
  Controls().折扣编辑框.WriteText("4");
  market.Serve(kPage1, "x" + Piece("三五折", "http://item.example/1", "1", "3.5") +
                           Piece("四折", "http://item.example/2", "1", "4"));
  ReadDiscountShopPage(1);
  ASSERT_EQ(Rows(), 1);
  EXPECT_EQ(Cell(0, 1), "三五折");
}

TEST_F(DiscountShopReaderTest, TheClosingCallReportsWithoutARequest) {
  ChannelItemCounter(2) = 12;
  ReadDiscountShopPage(10);
  EXPECT_TRUE(market.Requests().empty());
  EXPECT_EQ(Controls().卷皮折扣选择框.ReadCaption(), "卷皮折扣[12]");
  EXPECT_FALSE(LogHas("第10页"));
  EXPECT_TRUE(LogEndsWith("]获取卷皮折扣完毕共[12]件商品"));
}

}  // namespace
