// The 卷皮折扣 list page: pieces that begin with "list-good", a good-title heading whose name
// may hold bold parts, price-current/price-old prices after the yen entity, the shop's own
// discount figure, and brand entries that link to the shop's /d/brand pages.
#include "goods.h"
#include "market_pages.h"
#include "page_frame.h"
#include "text/hosts.h"

namespace {

enum class Odd {
  kNone,
  kBrand,        // a brand entry: its link holds /d/brand, dropped
  kUpperBrand,   // an item whose link holds /D/BRAND: kept, the test is case-sensitive
  kRelative,     // a link relative to the shop, long enough
  kTenBytes,     // a relative link of 10 bytes: too short
  kElevenBytes,  // a relative link of 11 bytes: just long enough
  kLineBreaks,
  kOneChar,
  kNoPrice,  // a coupon price instead of price-current
};

struct ShopItem {
  Goods goods;
  Odd odd = Odd::kNone;
  std::string name;  // as written, with its bold parts
  std::string link;
  std::string price, original, discount;
};

std::string BoldName(Rng& rng, const std::vector<std::string>& words) {
  std::vector<std::string> marked = words;
  if (rng.Percent(40)) {
    std::string& w =
        marked[static_cast<std::size_t>(rng.Between(0, static_cast<int>(marked.size()) - 1))];
    w = "<b>" + w + "</b>";
  }
  return SpacedName(rng, marked);
}

std::vector<ShopItem> MakeItems(std::uint64_t seed, std::int64_t page) {
  std::vector<ShopItem> items;
  if (page < 1 || page > kDiscountShopPages) return items;
  Rng rng(StreamKey(seed, "discountshop", page));
  int count = rng.Between(60, 100);
  std::vector<Odd> odds =
      SpreadOdds(rng, count,
                 {Odd::kBrand, Odd::kBrand, page % 2 ? Odd::kBrand : Odd::kNone, Odd::kUpperBrand,
                  Odd::kRelative, Odd::kRelative, page % 2 ? Odd::kElevenBytes : Odd::kTenBytes,
                  Odd::kLineBreaks, Odd::kLineBreaks, Odd::kOneChar, Odd::kNoPrice});
  for (Odd odd : odds) {
    ShopItem it;
    it.goods = MakeGoods(rng, 49, 999, "");
    const Goods& g = it.goods;
    it.odd = odd;
    it.name = BoldName(rng, g.words);
    it.link = ItemLink(g.id);
    it.price = MoneyText(g.price_tenths);
    it.original = MoneyText(g.original_tenths);
    it.discount = StatedDiscount(g.price_tenths, g.original_tenths);
    switch (odd) {
      case Odd::kBrand:
        it.discount = Decimal(rng.Between(1, 5));
        it.name = g.shop + "品牌特卖 全场<b>" + it.discount + "</b>折起";
        it.link = std::string("http://") + hosts::kDiscountShop +
                  "/d/brand?id=" + Decimal(g.id % 90000 + 10000);
        it.price.clear();
        it.original.clear();
        break;
      case Odd::kUpperBrand:
        it.link += "&from=/D/BRAND/list";
        break;
      case Odd::kRelative:
        it.link = "/deal/" + Decimal(g.id) + ".html";
        break;
      case Odd::kTenBytes:
        it.link = "/i/" + Decimal(1000000 + g.id % 9000000);
        break;
      case Odd::kElevenBytes:
        it.link = "/i/" + Decimal(10000000 + g.id % 90000000);
        break;
      case Odd::kLineBreaks:
        it.name = BrokenName(g.words);
        break;
      case Odd::kOneChar:
        it.name = "<b>袜</b>";
        break;
      case Odd::kNoPrice:
      case Odd::kNone:
        break;
    }
    items.push_back(std::move(it));
  }
  return items;
}

void WriteBrand(std::string& out, const ShopItem& it) {
  const Goods& g = it.goods;
  Put(out, {"<li class=\"list-good list-brand\" data-brandid=\"", Decimal(g.id % 90000 + 10000),
            "\">\n  <div class=\"brand-pic\"><a href=\"", it.link,
            "\" target=\"_blank\"><img class=\"lazy\" src=\"http://static.", hosts::kDiscountShop,
            "/images/grey.gif\" data-original=\"", ImageAddress(g, "460x230"),
            "\" alt=\"\" width=\"460\" height=\"230\" /></a></div>\n"
            "  <div class=\"good-info\">\n    <h5 class=\"good-title\"><a href=\"",
            it.link, "\" target=\"_blank\">", it.name,
            "</a></h5>\n    <div class=\"good-price\"><span class=\"discount\"><b>", it.discount,
            "</b>折起</span><span class=\"brand-left\">剩余<em>", Decimal(g.id % 5 + 1),
            "</em>天</span></div>\n  </div>\n</li>\n"});
}

void WriteItem(std::string& out, const ShopItem& it, int position) {
  const Goods& g = it.goods;
  Put(out,
      {"<li class=\"list-good\" data-goodsid=\"", Decimal(g.id), "\" data-pos=\"",
       Decimal(position), "\">\n  <div class=\"good-pic\">\n    <a href=\"", it.link,
       "\" target=\"_blank\" class=\"pic\"><img class=\"lazy\" src=\"http://static.",
       hosts::kDiscountShop, "/images/grey.gif\" data-original=\"", ImageAddress(g, "220x220"),
       "\" alt=\"\" width=\"220\" height=\"220\" /></a>\n"
       "    <div class=\"good-mark\"><span class=\"mark-post\">包邮</span>",
       g.sold > 10000 ? "<span class=\"mark-hot\">热卖</span>" : "",
       "</div>\n  </div>\n  <div class=\"good-info\">\n    <h5 class=\"good-title\"><a href=\"",
       it.link, "\" target=\"_blank\">", it.name, "</a></h5>\n    <div class=\"good-price\">\n"});
  if (it.odd == Odd::kNoPrice) {
    Put(out, {"      <span class=\"price-coupon\"><em>&yen;</em>", it.price, "</span>\n"});
  } else {
    Put(out, {"      <span class=\"price-current\"><em>&yen;</em>", it.price, "</span>\n"});
  }
  Put(out, {"      <span class=\"price-old\"><em>&yen;</em>", it.original,
            "</span>\n      <span class=\"discount\"><b>", it.discount,
            "</b>折</span>\n    </div>\n    <div class=\"good-other\">\n"
            "      <span class=\"sold\">已售<i>",
            Decimal(g.sold), "</i>件</span>\n      <a class=\"shop\" href=\"http://shop",
            Decimal(g.id % 99991), ".market.example/\" target=\"_blank\" rel=\"nofollow\">", g.shop,
            "</a>\n    </div>\n    <p class=\"good-desc\">", Pitch(g),
            "</p>\n    <div class=\"good-thumbs\">", Thumbnails(g, 2),
            "</div>\n"
            "    <div class=\"good-btns\">\n"
            "      <a class=\"btn-like\" href=\"javascript:;\" data-id=\"",
            Decimal(g.id), "\">喜欢</a>\n      <a class=\"btn-go\" href=\"", it.link,
            "\" target=\"_blank\" rel=\"nofollow\">去看看</a>\n    </div>\n  </div>\n</li>\n"});
}

std::string WithoutBold(std::string_view name) {
  std::string out(name);
  for (std::string_view tag : {std::string_view("<b>"), std::string_view("</b>")}) {
    for (std::size_t at; (at = out.find(tag)) != std::string::npos;) out.erase(at, tag.size());
  }
  return out;
}

TruthRow Truth(const ShopItem& it, std::int64_t page) {
  TruthRow row;
  row.source = "卷皮折扣";
  row.page = page;
  row.title = WithoutBlanks(WithoutBold(it.name));
  row.original_price = it.original;
  row.price = it.odd == Odd::kNoPrice ? "" : it.price;
  row.discount = it.discount;
  row.link = it.odd == Odd::kBrand ? "" : it.link;
  row.plausible = row.title.size() >= 3 && row.link.size() >= 11;
  return row;
}

}  // namespace

MarketPage BuildDiscountShopPage(std::uint64_t seed, std::int64_t page) {
  std::vector<ShopItem> items = MakeItems(seed, page);
  MarketPage out;
  std::string& b = out.body;
  b.reserve(256 * 1024);
  b += FrameTop({hosts::kDiscountShop, "卷皮折扣", "卷皮折扣 - 每日精选 超值折扣 全场包邮",
                 "卷皮,卷皮折扣,折扣,包邮,白菜价,品牌特卖", 3});
  Put(b, {"<div class=\"main wrap\">\n  <div class=\"crumbs\"><a href=\"/\">首页</a> &gt; "
          "<span>全部折扣</span> &gt; <span>第",
          Decimal(page), "页</span></div>\n  <ul class=\"goods-wrap clearfix\">\n"});
  int position = 0;
  for (const ShopItem& it : items) {
    if (it.odd == Odd::kBrand) {
      WriteBrand(b, it);
    } else {
      WriteItem(b, it, ++position);
    }
    out.items.push_back(Truth(it, page));
  }
  b += "  </ul>\n";
  if (items.empty()) b += "  <div class=\"empty-tip\">没有更多折扣了，明天10点准时上新！</div>\n";
  b += "  <div class=\"pagination\">\n";
  for (int p = 1; p <= kDiscountShopPages; ++p) {
    Put(b, {"    <a", p == page ? " class=\"current\"" : "", " href=\"/d/index?u=index/all/all/",
            Decimal(p), "\">", Decimal(p), "</a>\n"});
  }
  b += "  </div>\n</div>\n";
  b += FrameBottom({hosts::kDiscountShop, "卷皮折扣", "", "", 3});
  return out;
}
