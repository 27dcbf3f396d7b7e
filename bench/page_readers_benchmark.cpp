// Reading one list page of each channel (blocks, fields, admission filter, rows), on the very
// pages the sample marketplace sends, built in-process by its page generators. The rows and the
// log are cleared between rounds outside the timed part, so every round appends to an empty
// list, as the first page of a run does.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <string>

#include "app/controls/controls.h"
#include "categories.h"
#include "clearance/clearance_reader.h"
#include "deals/daily_bargains_reader.h"
#include "deals/deal_run.h"
#include "deals/discount_shop_reader.h"
#include "deals/group_buy_reader.h"
#include "deals/nine_yuan_reader.h"
#include "market_pages.h"

namespace {

constexpr std::size_t kWantedItems = 100;

// The generator draws 60 to 100 items per list page from the seed; the first seed that gives
// the wanted count makes a full page. Falls back to the fullest page of the seeds tried.
struct SeededPage {
  MarketPage page;
  std::uint64_t seed = 0;
};

SeededPage FullPage(const std::function<MarketPage(std::uint64_t)>& build) {
  SeededPage best;
  for (std::uint64_t s = 1; s <= 2000; ++s) {
    MarketPage page = build(s);
    if (page.items.size() > best.page.items.size()) best = {std::move(page), s};
    if (best.page.items.size() >= kWantedItems) break;
  }
  return best;
}

std::size_t PlausibleItems(const MarketPage& page) {
  std::size_t n = 0;
  for (const TruthRow& row : page.items) n += row.plausible ? 1 : 0;
  return n;
}

void ClearRowsAndLog() {
  Controls().超级列表框1.DeleteAllRows();
  Controls().编辑框1.Reset();
  for (int channel = 0; channel < 4; ++channel) ChannelItemCounter(channel) = 0;
  ClearanceItemCounter() = 0;
}

// Runs read(body) once per round on a cleared list; checks that the rows are the page's
// plausible items, so a reader that silently finds nothing cannot look fast.
void ReadPage(benchmark::State& state, const SeededPage& seeded,
              const std::function<void(std::string_view)>& read) {
  const MarketPage& page = seeded.page;
  Controls().Reset();
  ClearRowsAndLog();
  read(page.body);
  const int rows = Controls().超级列表框1.RowCount();
  if (static_cast<std::size_t>(rows) != PlausibleItems(page)) {
    state.SkipWithError("the rows differ from the page's plausible items");
    return;
  }
  ClearRowsAndLog();
  for (auto _ : state) {
    read(page.body);
    state.PauseTiming();
    ClearRowsAndLog();
    state.ResumeTiming();
  }
  state.counters["items"] = static_cast<double>(page.items.size());
  state.counters["rows"] = rows;
  state.counters["KiB"] = static_cast<double>(page.body.size()) / 1024.0;
  state.counters["seed"] = static_cast<double>(seeded.seed);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(page.body.size()));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(page.items.size()));
}

void BM_NineYuanPage(benchmark::State& state) {
  static const SeededPage page = FullPage([](std::uint64_t s) { return BuildNineYuanPage(s, 1); });
  ReadPage(state, page, [](std::string_view body) { HarvestNineYuanBody(body); });
}
BENCHMARK(BM_NineYuanPage)->Unit(benchmark::kMicrosecond);

void BM_GroupBuyPage(benchmark::State& state) {
  static const SeededPage page = FullPage([](std::uint64_t s) { return BuildGroupBuyPage(s, 1); });
  ReadPage(state, page, [](std::string_view body) { HarvestGroupBuyBody(body); });
}
BENCHMARK(BM_GroupBuyPage)->Unit(benchmark::kMicrosecond);

void BM_DiscountShopPage(benchmark::State& state) {
  static const SeededPage page =
      FullPage([](std::uint64_t s) { return BuildDiscountShopPage(s, 1); });
  ReadPage(state, page, [](std::string_view body) { HarvestDiscountShopBody(body); });
}
BENCHMARK(BM_DiscountShopPage)->Unit(benchmark::kMicrosecond);

void BM_DailySpecialsMainPage(benchmark::State& state) {
  static const SeededPage page =
      FullPage([](std::uint64_t s) { return BuildDailySpecialsPage(s, 1); });
  ReadPage(state, page, [](std::string_view body) { HarvestDailySpecialsBody(body, false); });
}
BENCHMARK(BM_DailySpecialsMainPage)->Unit(benchmark::kMicrosecond);

void BM_DailySpecialsPostagePage(benchmark::State& state) {
  static const SeededPage page =
      FullPage([](std::uint64_t s) { return BuildDailySpecialsPage(s, 2); });
  ReadPage(state, page, [](std::string_view body) { HarvestDailySpecialsBody(body, true); });
}
BENCHMARK(BM_DailySpecialsPostagePage)->Unit(benchmark::kMicrosecond);

// Every feed page but a category's last holds 100 records.
void BM_ClearanceFeedPage(benchmark::State& state) {
  const FeedCategory& category = FeedCategories().front();
  static const SeededPage page =
      FullPage([&](std::uint64_t s) { return BuildClearanceFeed(s, category.id, 1, ""); });
  const std::string label = category.caption;
  ReadPage(state, page, [&](std::string_view body) { HarvestClearanceBody(body, "1", label); });
}
BENCHMARK(BM_ClearanceFeedPage)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
