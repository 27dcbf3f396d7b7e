#include "plain_pages.h"

#include "goods.h"
#include "text/hosts.h"

namespace {

std::string SmallPage(std::string_view title, std::string_view content) {
  std::string out;
  Put(out,
      {"<!DOCTYPE html>\n<html>\n<head>\n<meta http-equiv=\"Content-Type\" "
       "content=\"text/html; charset=gbk\" />\n<title>",
       title, "</title>\n</head>\n<body>\n<h1>", title, "</h1>\n", content, "</body>\n</html>\n"});
  return out;
}

}  // namespace

std::string HomePage(std::string_view host) {
  struct Home {
    const char* host;
    const char* name;
    const char* list;  // the address of the channel's first list
  };
  const Home homes[] = {
      {hosts::kNineYuan, "九块邮", "/d/jiu?&u=jiu/all/1"},
      {hosts::kGroupBuy, "聚划算", "/tg/today_items.htm?&stype=newest&reverse=down&page=1"},
      {hosts::kDiscountShop, "卷皮折扣", "/d/index?u=index/all/all/1"},
      {hosts::kDailySpecials, "天天特价", "/ten.htm"},
  };
  std::string_view bare = host.substr(0, host.find(':'));
  for (const Home& h : homes) {
    if (bare == h.host) {
      std::string content = "<p>欢迎光临" + std::string(h.name) + "，每天精选超值好货。</p>\n" +
                            "<p><a href=\"" + h.list + "\">进入今日特价列表</a></p>\n";
      return SmallPage(h.name, content);
    }
  }
  return SmallPage("样例商城",
                   "<p>欢迎光临样例商城。</p>\n<ul>\n"
                   "<li><a href=\"http://nine.market.example/\">九块邮</a></li>\n"
                   "<li><a href=\"http://groupbuy.market.example/\">聚划算</a></li>\n"
                   "<li><a href=\"http://discountshop.market.example/\">卷皮折扣</a></li>\n"
                   "<li><a href=\"http://daily.market.example/\">天天特价</a></li>\n</ul>\n");
}

std::string ItemPage(std::string_view id) {
  std::string safe;
  for (char c : id) {
    if (c >= '0' && c <= '9') safe += c;
  }
  if (safe.empty()) safe = "0";
  std::string content = "<div class=\"item-detail\">\n<p>宝贝编号：" + safe +
                        "</p>\n<p>本宝贝为样例商城的示例商品，仅供展示。</p>\n"
                        "<p><a href=\"http://cart.market.example/add?id=" +
                        safe +
                        "\">加入购物车</a> <a href=\"http://buy.market.example/order?id=" + safe +
                        "\">立即购买</a></p>\n</div>\n";
  return SmallPage("宝贝详情 " + safe, content);
}

std::string DownloadPage() {
  return SmallPage("软件下载",
                   "<p>最新版本请在此页面下载。</p>\n"
                   "<p><a href=\"/soft/setup.exe\">下载安装包</a></p>\n");
}
