#include "deals/daily_bargains_reader.h"

#include "reader_test_support.h"

namespace {

std::string Block(const std::string& title, const std::string& price, const std::string& original,
                  const std::string& postage = "") {
  std::string block =
      "<dl class=\"item\"><dt><a href=\"http://item.example/5\"><img></a></dt>"
      "<dd class=\"title\"><a href=\"http://item.example/5\">" +
      title + "</a></dd><dd><strong>" + price + "</strong></dd><dd><del>" + original +
      "</del></dd>";
  if (!postage.empty()) block += "<dd>邮费：<strong>" + postage + "</strong></dd>";
  return block + "</dl>\n";
}

class DailySpecialsReaderTest : public ReaderTest {};

TEST_F(DailySpecialsReaderTest, MainListComputesTheDiscount) {
  market.Serve("/ten.htm", "<html>" + Block("新款 T恤\r\n", "29.9", "99") +
                               Block("平价", "20", "20") + Block("单", "1", "2") + "</html>");
  ReadDailySpecialsPage(1);
  ASSERT_EQ(Rows(), 2);
  const char* first[] = {"1", "新款T恤", "99", "29.9", "2.9", "天天特价", "http://item.example/5"};
  for (int col = 0; col < 7; ++col) EXPECT_EQ(Cell(0, col), first[col]) << col;
  EXPECT_EQ(Cell(1, 4), "10");
  EXPECT_EQ(ChannelItemCounter(3), 2);
  ASSERT_EQ(market.Requests().size(), 1u);
  EXPECT_EQ(market.Requests()[0].Path(), "/ten.htm");
}

TEST_F(DailySpecialsReaderTest, ThePostagePageTakesThePostageAsThePrice) {
  Controls().价格选择框.SetChecked(true);
  market.Serve("/ten/fuyou.htm", Block("邮费款", "299", "59", "10") + Block("无邮费", "299", "59") +
                                     Block("贵邮费", "1", "59", "60"));
  ReadDailySpecialsPage(2);
  ASSERT_EQ(Rows(), 2);
  EXPECT_EQ(Cell(0, 3), "10");
  EXPECT_EQ(Cell(0, 4), "1.7");
  EXPECT_EQ(Cell(1, 3), "");
  EXPECT_EQ(Cell(1, 4), "0.0");
  EXPECT_EQ(ChannelItemCounter(3), 3);
  EXPECT_EQ(market.Requests()[0].Path(), "/ten/fuyou.htm");
}

TEST_F(DailySpecialsReaderTest, TheClosingCallReportsWithoutARequest) {
  ChannelItemCounter(3) = 7;
  ReadDailySpecialsPage(3);
  EXPECT_TRUE(market.Requests().empty());
  EXPECT_EQ(Controls().天天特价选择框.ReadCaption(), "天天特价[7]");
  EXPECT_TRUE(LogEndsWith("]获取天天特价完毕共[7]件商品"));
}

}  // namespace
