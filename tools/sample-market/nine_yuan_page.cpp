// The 九块邮 list page: item blocks that begin with "list-good buy", a title link inside <h5>,
// 拍下价格/原价 prices ending in 元, and the shop's own discount figure.
#include "goods.h"
#include "market_pages.h"
#include "page_frame.h"
#include "text/hosts.h"

namespace {

enum class Odd {
  kNone,
  kShopLink,       // a tile of the shop's own topic pages: its link holds /d/jiu, dropped
  kUpperShopLink,  // an item link with /D/JIU in its query: kept, the test is case-sensitive
  kLineBreaks,     // the name broken over lines
  kOneChar,        // a name of one character: too short
  kTwoChars,       // a name of two characters: just long enough
  kNoPrice,        // the price stands without 拍下价格
  kNoOriginal,     // no list price shown
};

struct NineItem {
  Goods goods;
  Odd odd = Odd::kNone;
  std::string name;  // as written
  std::string link;
  std::string price, original, discount;
};

std::vector<NineItem> MakeItems(std::uint64_t seed, std::int64_t page) {
  std::vector<NineItem> items;
  if (page < 1 || page > kNineYuanPages) return items;
  Rng rng(StreamKey(seed, "nine", page));
  int count = rng.Between(60, 100);
  std::vector<Odd> odds = SpreadOdds(
      rng, count,
      {Odd::kShopLink, Odd::kShopLink, page % 2 ? Odd::kShopLink : Odd::kNone, Odd::kUpperShopLink,
       Odd::kLineBreaks, Odd::kLineBreaks, Odd::kLineBreaks, Odd::kOneChar, Odd::kTwoChars,
       Odd::kNoPrice, page % 3 == 1 ? Odd::kNoOriginal : Odd::kNone});
  for (Odd odd : odds) {
    NineItem it;
    it.goods = MakeGoods(rng, 39, 299, "");
    it.odd = odd;
    const Goods& g = it.goods;
    it.name = SpacedName(rng, g.words);
    it.link = ItemLink(g.id);
    it.price = MoneyText(g.price_tenths);
    it.original = MoneyText(g.original_tenths);
    it.discount = StatedDiscount(g.price_tenths, g.original_tenths);
    switch (odd) {
      case Odd::kShopLink:
        it.name = g.shop + " 年货专场 全场9.9元起";
        it.link = std::string("http://") + hosts::kNineYuan + "/d/jiu?&u=jiu/zt/" +
                  Decimal(g.id % 900 + 100);
        it.price = "9.9";
        it.original.clear();
        it.discount = "1";
        break;
      case Odd::kUpperShopLink:
        it.link += "&ref=/D/JIU/all";
        break;
      case Odd::kLineBreaks:
        it.name = BrokenName(g.words);
        break;
      case Odd::kOneChar:
        it.name = "袜";
        break;
      case Odd::kTwoChars:
        it.name = "围巾";
        break;
      case Odd::kNoOriginal:
        it.original.clear();
        break;
      case Odd::kNoPrice:
      case Odd::kNone:
        break;
    }
    items.push_back(std::move(it));
  }
  return items;
}

void WriteItem(std::string& out, const NineItem& it, int position) {
  const Goods& g = it.goods;
  std::string id = Decimal(g.id);
  Put(out, {"<li class=\"list-good buy", it.odd == Odd::kShopLink ? " zt-tile" : "",
            "\" data-gid=\"", id, "\" data-pos=\"", Decimal(position),
            "\">\r\n  <div class=\"good-pic\">\r\n    <a href=\"", it.link,
            "\" target=\"_blank\" rel=\"nofollow\" class=\"pic-img\"><img class=\"lazy\" "
            "src=\"http://static.",
            hosts::kNineYuan, "/images/blank.gif\" data-original=\"", ImageAddress(g, "290x290"),
            "\" alt=\"\" width=\"290\" height=\"290\" /></a>\r\n"});
  if (g.sold > 20000) out += "    <span class=\"good-tag tag-hot\">爆款</span>\r\n";
  if (g.sold < 100) out += "    <span class=\"good-tag tag-new\">新品</span>\r\n";
  Put(out, {"  </div>\r\n  <h5><a class=\"title\" href=\"", it.link, "\" target=\"_blank\">",
            it.name, "</a></h5>\r\n  <div class=\"good-price\">\r\n"});
  if (it.odd == Odd::kNoPrice) {
    Put(out, {"    <span class=\"price-current\">券后价", it.price, "元</span>\r\n"});
  } else {
    Put(out, {"    <span class=\"price-current\">拍下价格", it.price, "元</span>\r\n"});
  }
  if (it.original.empty()) {
    out += "    <span class=\"price-old\"></span>\r\n";
  } else {
    Put(out, {"    <span class=\"price-old\"><del>原价", it.original, "元</del></span>\r\n"});
  }
  Put(out, {"    <span class=\"discount\"><b>",
            it.discount,
            "</b>折</span>\r\n  </div>\r\n"
            "  <div class=\"good-info\">\r\n    <span class=\"sold\">已售<em>",
            Decimal(g.sold),
            "</em>件</span>\r\n    <span class=\"left-time\" data-end=\"",
            Decimal(1419782400 + g.id % 259200),
            "\">剩余<em>",
            Decimal(g.id % 3 + 1),
            "</em>天</span>\r\n    <a class=\"shop-name\" href=\"http://shop",
            Decimal(g.id % 99991),
            ".market.example/\" target=\"_blank\" rel=\"nofollow\">",
            g.shop,
            "</a>\r\n  </div>\r\n  <div class=\"good-tags\">\r\n"
            "    <i class=\"icon-post\" title=\"全国包邮\">包邮</i>\r\n"
            "    <i class=\"icon-refund\" title=\"七天无理由退换\">七天退换</i>\r\n"
            "    <i class=\"icon-check\" title=\"小编亲测，品质保证\">亲测</i>\r\n"
            "  </div>\r\n  <p class=\"good-desc\">",
            Pitch(g),
            "</p>\r\n  <div class=\"good-btn\">\r\n"
            "    <a class=\"btn-fav\" href=\"javascript:void(0);\" data-gid=\"",
            id,
            "\" onclick=\"return addFav(this);\">收藏</a>\r\n"
            "    <a class=\"btn-buy\" href=\"",
            it.link,
            "\" target=\"_blank\" rel=\"nofollow\" data-stat=\"jiu_list_buy_",
            Decimal(position),
            "\">去抢购</a>\r\n  </div>\r\n</li>\r\n"});
}

TruthRow Truth(const NineItem& it, std::int64_t page) {
  TruthRow row;
  row.source = "九块邮";
  row.page = page;
  row.title = WithoutBlanks(it.name);
  row.original_price = it.original;
  row.price = it.odd == Odd::kNoPrice ? "" : it.price;
  row.discount = it.discount;
  row.link = it.odd == Odd::kShopLink ? "" : it.link;
  row.plausible = row.title.size() >= 3 && row.link.size() >= 11;
  return row;
}

}  // namespace

MarketPage BuildNineYuanPage(std::uint64_t seed, std::int64_t page) {
  std::vector<NineItem> items = MakeItems(seed, page);
  MarketPage out;
  std::string& b = out.body;
  b.reserve(256 * 1024);
  b += FrameTop({hosts::kNineYuan, "九块邮", "九块邮 - 每天9块9包邮 精选超值好货",
                 "九块邮,9块9包邮,九块九,特价,包邮,白菜价", 1});
  Put(b, {"<div class=\"main wrap\">\r\n  <div class=\"sort-bar\">\r\n"
          "    <a class=\"sort cur\" href=\"/d/jiu?&u=jiu/all/1\">全部</a>\r\n"
          "    <a class=\"sort\" href=\"/d/jiu?&u=jiu/new/1\">今日上新</a>\r\n"
          "    <a class=\"sort\" href=\"/d/jiu?&u=jiu/hot/1\">人气最高</a>\r\n"
          "    <span class=\"total\">今日共更新<em>",
          Decimal(static_cast<std::int64_t>(items.size()) * kNineYuanPages),
          "</em>款</span>\r\n  </div>\r\n  <ul class=\"goods-box clearfix\">\r\n"});
  int position = 0;
  for (const NineItem& it : items) {
    WriteItem(b, it, ++position);
    out.items.push_back(Truth(it, page));
  }
  b += "  </ul>\r\n";
  if (items.empty()) b += "  <div class=\"no-goods\">亲，没有更多宝贝了，去别处逛逛吧~</div>\r\n";
  b += "  <div class=\"pager\">\r\n";
  for (int p = 1; p <= kNineYuanPages; ++p) {
    Put(b, {"    <a class=\"pg", p == page ? " cur" : "", "\" href=\"/d/jiu?&u=jiu/all/",
            Decimal(p), "\">", Decimal(p), "</a>\r\n"});
  }
  b += "  </div>\r\n</div>\r\n";
  b += FrameBottom({hosts::kNineYuan, "九块邮", "", "", 1});
  return out;
}
