// The clearance feed: JSONP text whose item objects begin with {"act and are joined by commas,
// so every object but the list's last is followed by "},"; the page count after "totalPage":.
#include "categories.h"
#include "goods.h"
#include "market_pages.h"
#include "text/hosts.h"

namespace {

enum class Odd {
  kNone,
  kOneDigitId,  // an item id of one digit: too short
  kOneChar,     // a title of one character: too short
  kQuote,       // a title with an escaped quote: the title ends at the backslash
};

std::uint64_t IdHash(std::string_view id) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : id) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

int RecordCount(std::string_view id, std::int64_t page) {
  int pages = ClearancePageCount(id);
  if (page < 1 || page > pages) return 0;
  if (page < pages) return 100;
  return 10 + static_cast<int>(IdHash(id) / 7 % 81);
}

std::int64_t TotalRecords(std::string_view id) {
  std::int64_t total = 0;
  for (int p = 1; p <= ClearancePageCount(id); ++p) total += RecordCount(id, p);
  return total;
}

}  // namespace

int ClearancePageCount(std::string_view category_id) {
  if (FindFeedCategory(category_id) == nullptr) return 0;
  return 2 + static_cast<int>(IdHash(category_id) % 4);
}

MarketPage BuildClearanceFeed(std::uint64_t seed, std::string_view category_id, std::int64_t page,
                              std::string_view announced) {
  MarketPage out;
  std::string& b = out.body;
  const FeedCategory* category = FindFeedCategory(category_id);
  int count = RecordCount(category_id, page);
  b.reserve(static_cast<std::size_t>(count) * 480 + 256);
  b += "callback2({\"status\":200,\"message\":\"success\",\"data\":{\"list\":[";
  Rng rng(StreamKey(seed ^ IdHash(category_id), "feed", page));
  std::vector<Odd> odds = SpreadOdds(rng, count,
                                     {page % 2 ? Odd::kOneDigitId : Odd::kNone, Odd::kOneChar,
                                      page == 2 ? Odd::kQuote : Odd::kNone});
  for (int i = 0; i < count; ++i) {
    Odd odd = odds[static_cast<std::size_t>(i)];
    Goods g = MakeGoods(rng, 90, 9999, category->nouns);
    std::string title = SpacedName(rng, g.words);
    std::string found_title = title;
    std::string id = Decimal(g.id);
    bool cents = rng.Percent(55);
    std::string price = cents ? MoneyCents(g.price_tenths) : MoneyText(g.price_tenths);
    std::string original = cents ? MoneyCents(g.original_tenths) : MoneyText(g.original_tenths);
    if (odd == Odd::kOneDigitId) id = Decimal(rng.Between(1, 9));
    if (odd == Odd::kOneChar) title = found_title = "被";
    if (odd == Odd::kQuote) {
      title = "【年末清仓】\\\"" + g.words.back() + "\\\"" + g.shop + "特供";
      found_title = "【年末清仓】\\";
    }
    if (i > 0) b += ',';
    Put(b, {"{\"act_id\":",
            Decimal(86000 + static_cast<std::int64_t>(g.id % 9000)),
            ",\"title\":\"",
            title,
            "\",\"pic_url\":\"http:\\/\\/img0",
            Decimal(g.image_server),
            ".market.example\\/bao\\/uploaded\\/i",
            Decimal(g.image_server),
            "\\/T1",
            Decimal(g.id % 99991),
            "X",
            Decimal(g.id),
            ".jpg\",\"_price\":",
            price,
            ",\"num_iid\":",
            id,
            ",\"price\":",
            original,
            ",\"discount\":\"",
            StatedDiscount(g.price_tenths, g.original_tenths),
            "\",\"sold_num\":",
            Decimal(g.sold),
            ",\"shop_name\":\"",
            g.shop,
            "\",\"is_free_post\":",
            rng.Percent(80) ? "1" : "0",
            ",\"start_time\":\"2014-12-26 10:00:00\",\"end_time\":\"2015-01-0",
            Decimal(rng.Between(1, 5)),
            " 23:59:59\"}"});
    TruthRow row;
    row.source = category_id;
    row.page = page;
    row.title = found_title;
    row.original_price = original;
    row.price = price;
    row.link = std::string("http://") + hosts::kItemPage + "/item.htm?id=" + id;
    // The list's last object is followed by "]", not "},": the reader never sees it.
    row.plausible = row.title.size() >= 3 && id.size() >= 2 && i + 1 < count;
    out.items.push_back(std::move(row));
  }
  std::string pages =
      announced.empty() ? Decimal(ClearancePageCount(category_id)) : std::string(announced);
  Put(b, {"],\"totalPage\":", pages, ",\"currentPage\":", Decimal(page),
          ",\"pageSize\":100,\"total\":", Decimal(TotalRecords(category_id)), "}})"});
  return out;
}
