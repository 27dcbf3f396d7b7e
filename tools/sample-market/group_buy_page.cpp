// The 聚划算 list page: the list from "J_JuHomeList" to the end of the document, items as
// <li class=...> elements with an <h3 title=...> heading, a price element (money after the yen
// entity, or points) and an orig-price element.
#include "goods.h"
#include "market_pages.h"
#include "page_frame.h"
#include "text/hosts.h"

namespace {

enum class Odd {
  kNone,
  kPoints,      // priced in points: no yen entity, "积分" after the amount
  kLineBreaks,  // the heading broken over lines
  kOneChar,     // a heading of one character
  kTwoChars,    // a heading of two characters
  kSamePrice,   // the offer equals the list price
  kHalfPrice,   // exactly half the list price
  kSoldOut,     // no price element at all, a sold-out note instead
  kNoOriginal,  // no orig-price element
};

struct JuItem {
  Goods goods;
  Odd odd = Odd::kNone;
  std::string heading;       // the heading's content as written, without the badge
  bool badge = false;        // the free-shipping badge after the heading
  bool split_price = false;  // the decimals written outside the amount's em element
  std::string price, original;
};

std::vector<JuItem> MakeItems(std::uint64_t seed, std::int64_t page) {
  std::vector<JuItem> items;
  if (page < 1 || page > kGroupBuyPages) return items;
  Rng rng(StreamKey(seed, "groupbuy", page));
  int count = rng.Between(60, 100);
  std::vector<Odd> odds = SpreadOdds(
      rng, count,
      {Odd::kPoints, Odd::kPoints, Odd::kLineBreaks, Odd::kLineBreaks, Odd::kOneChar,
       Odd::kTwoChars, Odd::kSamePrice, Odd::kHalfPrice, page % 4 == 2 ? Odd::kSoldOut : Odd::kNone,
       page % 5 == 0 ? Odd::kNoOriginal : Odd::kNone});
  for (Odd odd : odds) {
    JuItem it;
    it.goods = MakeGoods(rng, 99, 3999, "");
    Goods& g = it.goods;
    it.odd = odd;
    it.heading = SpacedName(rng, g.words);
    it.badge = rng.Percent(25);
    it.split_price = rng.Percent(50);
    switch (odd) {
      case Odd::kPoints:
        g.price_tenths = rng.Between(1, 30) * 1000;  // 100 to 3000 points
        g.original_tenths = rng.Between(19, 99) * 10;
        break;
      case Odd::kLineBreaks:
        it.heading = BrokenName(g.words);
        break;
      case Odd::kOneChar:
        it.heading = "袜";
        it.badge = false;
        break;
      case Odd::kTwoChars:
        it.heading = "手套";
        it.badge = false;
        break;
      case Odd::kSamePrice:
        g.price_tenths = g.price_tenths / 10 * 10;
        g.original_tenths = g.price_tenths;
        break;
      case Odd::kHalfPrice:
        g.price_tenths = g.price_tenths / 10 * 10;
        g.original_tenths = g.price_tenths * 2;
        break;
      case Odd::kSoldOut:
      case Odd::kNoOriginal:
      case Odd::kNone:
        break;
    }
    it.price = odd == Odd::kPoints ? Decimal(g.price_tenths / 10) : MoneyText(g.price_tenths);
    it.original = MoneyText(g.original_tenths);
    items.push_back(std::move(it));
  }
  return items;
}

// The amount inside the price element. Money is "&yen;" and the amount in em elements, the
// decimals inside or after the last one; points are the amount followed by "积分".
std::string PriceElement(const JuItem& it) {
  if (it.odd == Odd::kSoldOut) return "<span class=\"sold-out\">已抢光</span>";
  if (it.odd == Odd::kPoints) {
    return "<span class=\"price\"><em>" + it.price + "</em>积分</span>";
  }
  std::string amount = it.price;
  std::size_t dot = amount.find('.');
  if (it.split_price && dot != std::string::npos) {
    amount = amount.substr(0, dot) + "</em>" + amount.substr(dot);
  } else {
    amount += "</em>";
  }
  return "<span class=\"price\"><em class=\"yen\">&yen;</em><em>" + amount + "</span>";
}

void WriteItem(std::string& out, const JuItem& it, int position) {
  const Goods& g = it.goods;
  std::string id = Decimal(g.id);
  std::string link = ItemLink(g.id);
  std::string attr = WithoutBlanks(it.heading);
  Put(out, {"      <li class=\"item-small-v3",
            position % 4 == 0 ? " item-last" : "",
            "\" data-itemid=\"",
            id,
            "\">\n        <a href=\"",
            link,
            "\" class=\"link-box\" target=\"_blank\" data-spm=\"ju_list_",
            Decimal(position),
            "\">\n          <img class=\"item-pic\" data-ks-lazyload=\"",
            ImageAddress(g, "240x240"),
            "\" src=\"http://static.",
            hosts::kGroupBuy,
            "/images/s.gif\" alt=\"\" width=\"240\" height=\"240\" />\n          <h3 title=\"",
            attr,
            "\">",
            it.heading,
            it.badge ? "<span class=\"benefit\">包邮</span>" : "",
            "</h3>\n        </a>\n        <div class=\"item-prices\">\n          ",
            PriceElement(it),
            "\n"});
  if (it.odd != Odd::kNoOriginal) {
    Put(out, {"          <del class=\"orig-price\">&yen;", it.original, "</del>\n"});
  }
  Put(out, {"          <span class=\"sold-num\"><em>", Decimal(g.sold),
            "</em>人已买</span>\n        </div>\n        <div class=\"item-footer\">\n"
            "          <span class=\"shop\">",
            g.shop, "</span>\n          <span class=\"time-left\" data-end=\"",
            Decimal(1419782400 + g.id % 259200),
            "\">剩余时间加载中</span>\n          <a class=\"btn-buy\" href=\"", link,
            "\" target=\"_blank\">马上抢</a>\n        </div>\n"
            "        <div class=\"item-thumbs\">",
            Thumbnails(g, 3), "</div>\n        <p class=\"item-desc\">", Pitch(g),
            "</p>\n        <p class=\"item-place\">", ShipsFrom(g),
            "发货</p>\n"
            "        <div class=\"item-tags\"><i class=\"tag tag-guarantee\">正品保障</i>"
            "<i class=\"tag tag-return\">7天退换</i><i class=\"tag tag-fast\">48小时发货</i>"
            "</div>\n      </li>\n"});
}

TruthRow Truth(const JuItem& it, std::int64_t page) {
  TruthRow row;
  row.source = "聚划算";
  row.page = page;
  row.title = WithoutBlanks(it.heading);
  row.original_price = it.odd == Odd::kNoOriginal ? "" : it.original;
  if (it.odd == Odd::kSoldOut) {
    row.price = "积分";  // no yen entity in the (missing) price element reads as points
  } else {
    row.price = it.odd == Odd::kPoints ? it.price + "积分" : it.price;
  }
  row.link = ItemLink(it.goods.id);
  row.plausible = row.title.size() >= 3 && row.link.size() >= 11;
  return row;
}

}  // namespace

MarketPage BuildGroupBuyPage(std::uint64_t seed, std::int64_t page) {
  std::vector<JuItem> items = MakeItems(seed, page);
  MarketPage out;
  std::string& b = out.body;
  b.reserve(256 * 1024);
  b += FrameTop({hosts::kGroupBuy, "聚划算", "聚划算 - 今日团购 品质团购每一天",
                 "聚划算,团购,今日团购,品牌团,限时抢购", 2});
  Put(b, {"<div class=\"ju-main wrap\">\n  <div class=\"ju-filter\">\n"
          "    <a class=\"cur\" href=\"/tg/today_items.htm?&stype=newest&reverse=down&page=1\">"
          "最新上线</a>\n"
          "    <a href=\"/tg/today_items.htm?&stype=sold&reverse=down&page=1\">销量最高</a>\n"
          "    <a href=\"/tg/today_items.htm?&stype=price&reverse=up&page=1\">价格最低</a>\n"
          "  </div>\n  <div class=\"ju-itemlist\">\n    <ul class=\"clearfix\" id=\"J_JuHomeList\" "
          "data-page=\"",
          Decimal(page), "\">\n"});
  int position = 0;
  for (const JuItem& it : items) {
    WriteItem(b, it, ++position);
    out.items.push_back(Truth(it, page));
  }
  b += "    </ul>\n";
  if (items.empty()) b += "    <p class=\"ju-empty\">今天的团购已经被抢光啦，明天早点来哦！</p>\n";
  b += "  </div>\n  <ul class=\"ju-pager\">\n";
  for (int p = 1; p <= 5; ++p) {
    Put(b, {"    <li class=\"pg-item", p == page ? " pg-cur" : "",
            "\"><a href=\"/tg/today_items.htm?&stype=newest&reverse=down&page=", Decimal(p), "\">",
            Decimal(p), "</a></li>\n"});
  }
  b += "    <li class=\"pg-next\"><a href=\"/tg/today_items.htm?&stype=newest&reverse=down&page=";
  b += Decimal(page + 1);
  b += "\">下一页</a></li>\n  </ul>\n</div>\n";
  b += FrameBottom({hosts::kGroupBuy, "聚划算", "", "", 2});
  return out;
}
