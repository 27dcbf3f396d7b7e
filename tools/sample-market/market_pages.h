// The generated pages of the sample marketplace. Each builder writes a page and, from the very
// same records, the items its reader should take out of it, so the two cannot disagree.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// TruthRow: one generated item as the page's reader should derive it (texts are GBK).
struct TruthRow {
  std::string source;     // the channel's name (GBK) or the feed's category id
  std::int64_t page = 0;  // the list's page number; 天天特价: 1 main list, 2 postage list
  std::string title;
  std::string original_price;
  std::string price;
  std::string discount;  // as the page states it; empty where the reader computes it
  std::string link;
  bool plausible = false;  // counted by the reader (title and link or item id long enough)
};

// MarketPage: a page's body and the items written into it, in page order.
struct MarketPage {
  std::string body;
  std::vector<TruthRow> items;
};

// The last page with items of each numbered channel; every other number gives an empty list.
inline constexpr int kNineYuanPages = 9;
inline constexpr int kGroupBuyPages = 19;
inline constexpr int kDiscountShopPages = 9;

// BuildNineYuanPage: the 九块邮 list page number page ("/d/jiu?&u=jiu/all/" + page).
// Example: BuildNineYuanPage(1, 3).items.size() is between 60 and 100.
MarketPage BuildNineYuanPage(std::uint64_t seed, std::int64_t page);

// BuildGroupBuyPage: the 聚划算 list page ("/tg/today_items.htm?...&page=" + page).
MarketPage BuildGroupBuyPage(std::uint64_t seed, std::int64_t page);

// BuildDiscountShopPage: the 卷皮折扣 list page ("/d/index?u=index/all/all/" + page).
MarketPage BuildDiscountShopPage(std::uint64_t seed, std::int64_t page);

// BuildDailySpecialsPage: 天天特价's main list (list 1, "/ten.htm") or its postage list
// (list 2, "/ten/fuyou.htm").
MarketPage BuildDailySpecialsPage(std::uint64_t seed, int list);

// ClearancePageCount: the pages the feed holds for a category id, 2 to 5 by the id alone;
// 0 for an id that is no category. Example: ClearancePageCount("99") == 0.
int ClearancePageCount(std::string_view category_id);

// BuildClearanceFeed: the JSONP text of one feed page, 100 records a page (the last page
// fewer, pages past the end none). announced replaces the page count the text states when not
// empty (a fault switch). Example: BuildClearanceFeed(1, "30", 1, "").
MarketPage BuildClearanceFeed(std::uint64_t seed, std::string_view category_id, std::int64_t page,
                              std::string_view announced);
