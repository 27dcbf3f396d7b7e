#include "deals/nine_yuan_reader.h"

#include "reader_test_support.h"

namespace {

constexpr const char* kPage1 = "/d/jiu?&u=jiu/all/1";

std::string Block(const std::string& title, const std::string& link, const std::string& price,
                  const std::string& discount = "3.5") {
  return "list-good buy\"><div class=\"pic\"><a href=\"" + link +
         "\" target=\"_blank\"><img src=\"x.jpg\"></a></div><h5><a class=\"title\" href=\"" + link +
         "\" target=\"_blank\">" + title + "</a></h5><p>原价59.9元</p><p>拍下价格" + price +
         "元</p><span class=\"discount\"><b>" + discount + "</b>折</span></li><li class=\"";
}

class NineYuanReaderTest : public ReaderTest {};

TEST_F(NineYuanReaderTest, ReadsTheFieldsOfEachPlausibleBlock) {
  market.Serve(kPage1,
               "<html><head><title>九块邮</title></head><ul><li class=\"" +
                   Block("新款 T恤\r\n", "http://item.example/1", "9.9", "1.7") +
                   Block("夏装", "http://item.example/2", "19") +
                   Block("鞋", "http://item.example/3", "5") +          // 2-byte title
                   Block("凉鞋", "http://x/4", "5") +                   // 10-byte link
                   Block("拖鞋", "http://x/45", "5") +                  // 11-byte link
                   Block("店内", "http://nine.example/d/jiu?x", "5") +  // the shop's own page
                   Block("大写", "http://nine.example/D/JIU?x", "5") +  // not the same letters
                   "</ul></html>");
  ReadNineYuanPage(1);
  ASSERT_EQ(Rows(), 4);
  const char* first[] = {"1", "新款T恤", "59.9", "9.9", "1.7", "九块邮", "http://item.example/1"};
  for (int col = 0; col < 7; ++col) EXPECT_EQ(Cell(0, col), first[col]) << col;
  EXPECT_EQ(Cell(1, 1), "夏装");
  EXPECT_EQ(Cell(2, 6), "http://x/45");
  EXPECT_EQ(Cell(3, 1), "大写");
  EXPECT_EQ(ChannelItemCounter(0), 4);
  EXPECT_TRUE(LogHas("]正在获取九块邮第1页商品"));
  const auto requests = market.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].target, std::string("http://") + "nine.market.example" + kPage1);
}

TEST_F(NineYuanReaderTest, ABodyWithoutTheMarkerIsOneBlock) {
  market.Serve(kPage1,
               "<h5><a class=\"title\" href=\"http://item.example/9\">单品</a></h5>"
               "拍下价格8元");
  ReadNineYuanPage(1);
  ASSERT_EQ(Rows(), 1);
  EXPECT_EQ(Cell(0, 3), "8");
  EXPECT_EQ(Cell(0, 2), "");  // a missing marker gives an empty field
}

TEST_F(NineYuanReaderTest, ThePriceLimitCountsWholeUnits) {
  Controls().价格选择框.SetChecked(true);
  market.Serve(kPage1, "head" + Block("便宜货", "http://item.example/1", "49.9") +
                           Block("整五十", "http://item.example/2", "50"));
  ReadNineYuanPage(1);
  ASSERT_EQ(Rows(), 1);
  EXPECT_EQ(Cell(0, 1), "便宜货");
  EXPECT_EQ(ChannelItemCounter(0), 2);  // counted, admitted or not
}

TEST_F(NineYuanReaderTest, AFailedFetchYieldsNothing) {
  ReadNineYuanPage(2);  // 404 with an empty body
  EXPECT_EQ(Rows(), 0);
  EXPECT_TRUE(LogHas("]正在获取九块邮第2页商品"));
}

TEST_F(NineYuanReaderTest, TheClosingCallReportsWithoutARequest) {
  ChannelItemCounter(0) = 37;
  ReadNineYuanPage(10);
  EXPECT_TRUE(market.Requests().empty());
  EXPECT_EQ(Controls().九块邮选择框.ReadCaption(), "九块邮[37]");
  const Text log = Controls().编辑框1.Content();
  const auto progress = log.find("]正在获取九块邮第10页商品\r\n[");
  ASSERT_NE(progress, Text::npos);
  EXPECT_TRUE(LogEndsWith("]获取九块邮完毕共[37]件商品"));
}

}  // namespace
