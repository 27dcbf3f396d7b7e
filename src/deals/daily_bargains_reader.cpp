#include "deals/daily_bargains_reader.h"

#include "app/controls/activity_log.h"
#include "deals/deal_run.h"
#include "results/discount.h"
#include "results/page_bounds.h"
#include "text/fetch_page.h"
#include "text/hosts.h"
#include "text/text_between.h"
#include "text/text_numbers.h"
#include "text/text_pieces.h"

namespace {
constexpr int kChannel = 3;
}

void ReadDailySpecialsPage(int page) {
  if (page == kDailySpecialsLastPage) {
    CloseDealChannel(kChannel);
    return;
  }
  ActivityLog("正在获取天天特价第" + IntToText(page) + "页商品");
  // The number chooses the page; it is no part of the address.
  const bool postagePage = page == 2;
  const Text address =
      Text("http://") + hosts::kDailySpecials + (postagePage ? "/ten/fuyou.htm" : "/ten.htm");
  HarvestDailySpecialsBody(BytesToText(FetchPage(address)), postagePage);
}

void HarvestDailySpecialsBody(std::string_view body, bool postagePage) {
  for (std::string_view fragment : TextBetweenAll(body, "<dl class=", "</dl>", kMaxItemBlocks)) {
    const std::string_view block = BoundedBlock(fragment);
    HarvestedItem item;
    item.title = RemoveBytes(
        TextBetween(TextBetween(block, "<dd class=\"title\">", "</dd>"), "\">", "</a>"), "\n\r ");
    item.price = TextBetween(block, "<dd><strong>", "</strong>");
    // On the postage page the postage is the price; a block without it has none.
    if (postagePage) item.price = TextBetween(block, "<dd>邮费：<strong>", "</strong>");
    item.originalPrice = TextBetween(block, "<dd><del>", "</del>");
    item.link = TextBetween(block, "<a href=\"", "\"");
    const ComputedDiscount discount = ComputeDiscount(item.price, item.originalPrice, true);
    item.discount = discount.text;
    item.discountKnown = discount.known;
    OfferDealItem(kChannel, item);
  }
}
