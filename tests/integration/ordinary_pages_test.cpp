// The reading bounds never touch an ordinary page: every page the sample marketplace serves
// for its default seed, built in-process by its own page builders, is cut into blocks by the
// readers' markers and harvested by the readers themselves. No page comes near the bounds, and
// the rows are exactly the page's ground truth.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/controls/controls.h"
#include "categories.h"
#include "clearance/clearance_reader.h"
#include "deals/daily_bargains_reader.h"
#include "deals/deal_run.h"
#include "deals/discount_shop_reader.h"
#include "deals/group_buy_reader.h"
#include "deals/nine_yuan_reader.h"
#include "gtest/gtest.h"
#include "integration/cli_harness.h"
#include "market_pages.h"
#include "results/page_bounds.h"
#include "support/print_text.h"
#include "text/text_between.h"
#include "text/text_pieces.h"

namespace {

constexpr std::uint64_t kDefaultSeed = 1;  // sample-market's seed without --seed

// One reader with the markers it cuts a body into blocks by.
struct Reader {
  const char* name;
  std::function<TextViews(std::string_view body)> blocks;
  bool cutsBlocks;  // the reader reads only the first kMaxItemBlockBytes of a block
  bool computesDiscount, padsDiscount;
  std::function<void(std::string_view body, int page)> harvest;
};

const Reader kNineYuan{"九块邮", [](std::string_view b) { return SplitText(b, "list-good buy"); },
                       false,    false,
                       false,    [](std::string_view b, int) { HarvestNineYuanBody(b); }};
const Reader kGroupBuy{"聚划算",
                       [](std::string_view b) {
                         return TextBetweenAll(TextBetween(b, "J_JuHomeList", "</html>"),
                                               "<li class=", "</li>");
                       },
                       true,
                       true,
                       true,
                       [](std::string_view b, int) { HarvestGroupBuyBody(b); }};
const Reader kDiscountShop{"卷皮折扣", [](std::string_view b) { return SplitText(b, "list-good"); },
                           false,      false,
                           false,      [](std::string_view b, int) { HarvestDiscountShopBody(b); }};
const Reader kDailySpecials{
    "天天特价", [](std::string_view b) { return TextBetweenAll(b, "<dl class=", "</dl>"); },
    true,       true,
    true,       [](std::string_view b, int page) { HarvestDailySpecialsBody(b, page == 2); }};
const Reader kFeed{
    "clearance", [](std::string_view b) { return TextBetweenAll(b, "{\"act", "},"); },
    true,        true,
    false,       nullptr};

struct Page {
  const Reader* reader;
  int page;
  MarketPage built;
  std::string label;  // GBK
};

std::vector<Page> AllPages() {
  std::vector<Page> pages;
  for (int p = 1; p <= kNineYuanPages; ++p) {
    pages.push_back({&kNineYuan, p, BuildNineYuanPage(kDefaultSeed, p), "九块邮"});
  }
  for (int p = 1; p <= kGroupBuyPages; ++p) {
    pages.push_back({&kGroupBuy, p, BuildGroupBuyPage(kDefaultSeed, p), "聚划算"});
  }
  for (int p = 1; p <= kDiscountShopPages; ++p) {
    pages.push_back({&kDiscountShop, p, BuildDiscountShopPage(kDefaultSeed, p), "卷皮折扣"});
  }
  for (int list = 1; list <= 2; ++list) {
    pages.push_back(
        {&kDailySpecials, list, BuildDailySpecialsPage(kDefaultSeed, list), "天天特价"});
  }
  for (const FeedCategory& c : FeedCategories()) {
    for (int p = 1; p <= ClearancePageCount(c.id); ++p) {
      pages.push_back({&kFeed, p, BuildClearanceFeed(kDefaultSeed, c.id, p, ""), c.caption});
    }
  }
  return pages;
}

using GbkRow = std::vector<ShownText>;

GbkRow RowOf(const Cells& cells) {
  GbkRow row;
  for (const Text& cell : cells) row.push_back(Shown(cell));
  return row;
}

TEST(OrdinaryPagesTest, NoPageComesNearTheBoundsAndEveryItemReadsAsGenerated) {
  std::size_t mostBlocks = 0, longestCutBlock = 0, longestField = 0;
  int pageCount = 0;
  for (Page& page : AllPages()) {
    SCOPED_TRACE(cli_test::U8(page.label) + " page " + std::to_string(page.page));
    ++pageCount;
    const TextViews blocks = page.reader->blocks(page.built.body);
    mostBlocks = std::max(mostBlocks, blocks.size());
    EXPECT_LE(blocks.size(), kMaxItemBlocks);
    if (page.reader->cutsBlocks) {
      for (std::string_view block : blocks) {
        longestCutBlock = std::max(longestCutBlock, block.size());
        EXPECT_LE(block.size(), kMaxItemBlockBytes);
      }
    }

    Controls().Reset();
    for (int i = 0; i < 4; ++i) ChannelItemCounter(i) = 0;
    ClearanceItemCounter() = 0;
    if (page.reader->harvest) {
      page.reader->harvest(page.built.body, page.page);
    } else {
      HarvestClearanceBody(page.built.body, std::to_string(page.page), page.label);
    }

    std::vector<GbkRow> expected, actual;
    for (const TruthRow& t : page.built.items) {
      if (!t.plausible) continue;
      for (const std::string* field : {&t.title, &t.original_price, &t.price, &t.link}) {
        longestField = std::max(longestField, field->size());
        EXPECT_LE(field->size(), kMaxCellBytes);
      }
      const std::string discount =
          page.reader->computesDiscount
              ? cli_test::ReaderDiscount(t.price, t.original_price, page.reader->padsDiscount)
              : t.discount;
      expected.push_back({Shown(std::to_string(expected.size() + 1)), Shown(t.title),
                          Shown(t.original_price), Shown(t.price), Shown(discount),
                          Shown(page.label), Shown(t.link)});
    }
    const ReportList& list = Controls().超级列表框1;
    for (int r = 0; r < list.RowCount(); ++r) actual.push_back(RowOf(*list.GetRow(r)));
    ASSERT_EQ(actual, expected);
  }
  Controls().Reset();
  std::printf(
      "[ figures  ] %d pages: at most %zu blocks a page (bound %zu), cut blocks of at "
      "most %zu bytes (bound %zu), fields of at most %zu bytes (bound %zu)\n",
      pageCount, mostBlocks, kMaxItemBlocks, longestCutBlock, kMaxItemBlockBytes, longestField,
      kMaxCellBytes);
}

}  // namespace
