#include "routes.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "faults.h"
#include "goods.h"
#include "market_pages.h"
#include "plain_pages.h"

namespace {

constexpr const char* kHtml = "text/html; charset=gbk";
constexpr const char* kScript = "application/javascript; charset=gbk";

// A page number as the readers write it: decimal digits with an optional minus sign. Anything
// else reads as 0, which like every number without items gives an empty list.
std::int64_t PageNumber(std::optional<std::string_view> text) {
  if (!text || text->empty() || text->size() > 18) return 0;
  std::string_view t = *text;
  bool negative = t[0] == '-';
  if (negative) t.remove_prefix(1);
  if (t.empty()) return 0;
  std::int64_t n = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return negative ? -n : n;
}

// Pages with items are the same bytes every time and few: each is built once and kept for the
// life of the process (never freed, so a connection still sending one at exit is safe). Other
// pages (empty lists, overridden page counts) are built per request.
std::string Page(const std::string& key, bool keep, const std::function<std::string()>& build) {
  static std::mutex mutex;
  static auto* cache = new std::map<std::string, std::shared_ptr<const std::string>>;
  if (!keep) return build();
  {
    std::lock_guard lock(mutex);
    auto it = cache->find(key);
    if (it != cache->end()) return *it->second;
  }
  auto page = std::make_shared<const std::string>(build());
  std::lock_guard lock(mutex);
  return *cache->emplace(key, std::move(page)).first->second;
}

HttpResponse Html(std::string body) { return {200, kHtml, std::move(body)}; }

HttpResponse List(const char* tag, MarketPage (*build)(std::uint64_t, std::int64_t),
                  std::int64_t page, int last, const RouteContext& c) {
  return Html(Page(tag + Decimal(page), page >= 1 && page <= last,
                   [&] { return build(c.seed, page).body; }));
}

MarketPage DailyList(std::uint64_t seed, std::int64_t list) {
  return BuildDailySpecialsPage(seed, static_cast<int>(list));
}

// The value after a fixed lead, e.g. the page number of "jiu/all/3" after "jiu/all/".
std::optional<std::string_view> After(std::optional<std::string_view> value,
                                      std::string_view lead) {
  if (!value || value->substr(0, lead.size()) != lead) return std::nullopt;
  return value->substr(lead.size());
}

}  // namespace

HttpResponse Route(const HttpRequest& r, const RouteContext& c) {
  std::string_view path = r.Path();
  std::string_view query = r.Query();
  if (path == "/d/jiu") {
    if (auto page = After(QueryValue(query, "u"), "jiu/all/")) {
      return List("jiu:", BuildNineYuanPage, PageNumber(page), kNineYuanPages, c);
    }
  } else if (path == "/tg/today_items.htm") {
    return List("ju:", BuildGroupBuyPage, PageNumber(QueryValue(query, "page")), kGroupBuyPages, c);
  } else if (path == "/d/index") {
    if (auto page = After(QueryValue(query, "u"), "index/all/all/")) {
      return List("juanpi:", BuildDiscountShopPage, PageNumber(page), kDiscountShopPages, c);
    }
  } else if (path == "/ten.htm") {
    return List("ten:", DailyList, 1, 2, c);
  } else if (path == "/ten/fuyou.htm") {
    return List("ten:", DailyList, 2, 2, c);
  } else if (path == "/json/qItems4EOYSale.htm") {
    std::string category(QueryValue(query, "catId").value_or(""));
    std::int64_t page = PageNumber(QueryValue(query, "page"));
    bool keep = c.announced_pages.empty() && page >= 1 && page <= ClearancePageCount(category);
    return {200, kScript, Page("feed:" + category + ":" + Decimal(page), keep, [&] {
              return BuildClearanceFeed(c.seed, category, page, c.announced_pages).body;
            })};
  } else if (path == "/soft/renew/quelmar.php") {
    return {200, "text/plain", c.version_answer};
  } else if (path == "/soft/" || path == "/soft") {
    return Html(DownloadPage());
  } else if (path == "/item.htm") {
    return Html(ItemPage(QueryValue(query, "id").value_or("")));
  } else if (path == "/") {
    return Html(HomePage(r.host));
  }
  return ErrorPage(404);
}
