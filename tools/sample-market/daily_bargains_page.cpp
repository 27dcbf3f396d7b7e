// The 天天特价 lists: items as <dl class=...> elements with a title element, the price in
// <dd><strong>, the list price in <dd><del> and, on the postage list, the postage after 邮费：.
#include "goods.h"
#include "market_pages.h"
#include "page_frame.h"
#include "text/hosts.h"

namespace {

enum class Odd {
  kNone,
  kLineBreaks,
  kOneChar,
  kTwoChars,
  kNoOriginal,   // no struck-through list price
  kPostageNote,  // a postage line on the main list, which the main list does not use
  kNoPostage,    // a postage-list item without its postage line
};

struct TenItem {
  Goods goods;
  Odd odd = Odd::kNone;
  std::string name;
  std::string price, original, postage;  // postage empty: no postage line
};

std::vector<TenItem> MakeItems(std::uint64_t seed, int list) {
  std::vector<TenItem> items;
  if (list != 1 && list != 2) return items;
  Rng rng(StreamKey(seed, "daily", list));
  int count = rng.Between(60, 100);
  std::vector<Odd> odds =
      list == 1 ? SpreadOdds(rng, count,
                             {Odd::kLineBreaks, Odd::kLineBreaks, Odd::kOneChar, Odd::kTwoChars,
                              Odd::kNoOriginal, Odd::kPostageNote, Odd::kPostageNote})
                : SpreadOdds(rng, count,
                             {Odd::kLineBreaks, Odd::kOneChar, Odd::kNoPostage, Odd::kNoPostage,
                              Odd::kNoPostage, Odd::kNoOriginal});
  for (Odd odd : odds) {
    TenItem it;
    it.goods = list == 1 ? MakeGoods(rng, 59, 999, "") : MakeGoods(rng, 10, 99, "");
    const Goods& g = it.goods;
    it.odd = odd;
    it.name = SpacedName(rng, g.words);
    it.price = MoneyText(g.price_tenths);
    it.original = MoneyText(g.original_tenths * (list == 2 ? 4 : 1));
    if (list == 2 || odd == Odd::kPostageNote) it.postage = Decimal(rng.Between(5, 20));
    switch (odd) {
      case Odd::kLineBreaks:
        it.name = BrokenName(g.words);
        break;
      case Odd::kOneChar:
        it.name = "帽";
        break;
      case Odd::kTwoChars:
        it.name = "雨伞";
        break;
      case Odd::kNoOriginal:
        it.original.clear();
        break;
      case Odd::kNoPostage:
        it.postage.clear();
        break;
      case Odd::kPostageNote:
      case Odd::kNone:
        break;
    }
    items.push_back(std::move(it));
  }
  return items;
}

void WriteItem(std::string& out, const TenItem& it) {
  const Goods& g = it.goods;
  std::string link = ItemLink(g.id);
  Put(out, {"<dl class=\"ten-item\">\r\n  <dt><a href=\"", link, "\" target=\"_blank\"><img src=\"",
            ImageAddress(g, "200x200"),
            "\" alt=\"\" width=\"200\" height=\"200\" /></a></dt>\r\n"
            "  <dd class=\"title\"><a href=\"",
            link, "\" target=\"_blank\">", it.name, "</a></dd>\r\n  <dd><strong>", it.price,
            "</strong>元 <span class=\"post\">", it.postage.empty() ? "包邮" : "不包邮",
            "</span></dd>\r\n"});
  if (!it.original.empty()) {
    Put(out, {"  <dd><del>", it.original, "</del>元 <span class=\"sold\">已有<em>", Decimal(g.sold),
              "</em>人购买</span></dd>\r\n"});
  } else {
    Put(out,
        {"  <dd><span class=\"sold\">已有<em>", Decimal(g.sold), "</em>人购买</span></dd>\r\n"});
  }
  if (!it.postage.empty()) Put(out, {"  <dd>邮费：<strong>", it.postage, "</strong>元</dd>\r\n"});
  Put(out,
      {"  <dd class=\"thumbs\">", Thumbnails(g, 4), "</dd>\r\n  <dd class=\"desc\">", Pitch(g),
       "</dd>\r\n  <dd class=\"place\">发货地：", ShipsFrom(g),
       " <span class=\"tags\"><i>正品</i><i>七天退换</i><i>极速发货</i></span></dd>\r\n"
       "  <dd class=\"rate\">好评率<em>",
       Decimal(90 + g.id % 10), "%</em> 收藏<em>", Decimal(g.sold / 3 + 12), "</em>次</dd>\r\n"});
  Put(out, {"  <dd class=\"shop\">掌柜：<a href=\"http://shop", Decimal(g.id % 99991),
            ".market.example/\" target=\"_blank\">", g.shop,
            "</a></dd>\r\n  <dd class=\"btn\"><a href=\"", link,
            "\" target=\"_blank\" class=\"go\">去抢购</a><span class=\"time\">",
            Decimal(g.id % 12 + 9), ":00开抢</span></dd>\r\n</dl>\r\n"});
}

TruthRow Truth(const TenItem& it, int list) {
  TruthRow row;
  row.source = "天天特价";
  row.page = list;
  row.title = WithoutBlanks(it.name);
  row.original_price = it.original;
  row.price = list == 2 ? it.postage : it.price;
  row.link = ItemLink(it.goods.id);
  row.plausible = row.title.size() >= 3 && row.link.size() >= 11;
  return row;
}

}  // namespace

MarketPage BuildDailySpecialsPage(std::uint64_t seed, int list) {
  std::vector<TenItem> items = MakeItems(seed, list);
  MarketPage out;
  std::string& b = out.body;
  b.reserve(256 * 1024);
  b += FrameTop(
      {hosts::kDailySpecials, "天天特价",
       list == 2 ? "付邮试用 - 天天特价 只付邮费免费试用" : "天天特价 - 每天10点 特价抢不停",
       "天天特价,特价,付邮试用,10元包邮,白菜价", list == 2 ? 5 : 4});
  b += "<div class=\"ten-main wrap\">\r\n<dl class=\"ten-nav\">\r\n  <dt>今日特价：</dt>\r\n";
  const char* const tabs[] = {"全部", "10元包邮", "20元封顶", "付邮试用", "明日预告"};
  for (const char* t : tabs) {
    Put(b, {"  <dd><a href=\"http://", hosts::kDailySpecials, "/ten.htm\">", t, "</a></dd>\r\n"});
  }
  b += "</dl>\r\n<div class=\"ten-list clearfix\">\r\n";
  for (const TenItem& it : items) {
    WriteItem(b, it);
    out.items.push_back(Truth(it, list));
  }
  b += "</div>\r\n";
  if (items.empty()) b += "<p class=\"ten-empty\">今日特价已结束，明天10点不见不散！</p>\r\n";
  b += "<dl class=\"ten-rule\">\r\n  <dt>活动规则</dt>\r\n"
       "  <dd>1. 每天10点更新，数量有限，抢完为止；</dd>\r\n"
       "  <dd>2. 付邮试用商品只需支付邮费，每个账号限领一件；</dd>\r\n"
       "  <dd>3. 如有疑问请<a href=\"http://help.market.example/ten.htm\">联系客服</a>。</dd>\r\n"
       "</dl>\r\n</div>\r\n";
  b += FrameBottom({hosts::kDailySpecials, "天天特价", "", "", list == 2 ? 5 : 4});
  return out;
}
