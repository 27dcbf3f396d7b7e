#include "deals/group_buy_reader.h"

#include "app/controls/activity_log.h"
#include "deals/deal_run.h"
#include "results/discount.h"
#include "results/page_bounds.h"
#include "text/fetch_page.h"
#include "text/find_text.h"
#include "text/hosts.h"
#include "text/text_between.h"
#include "text/text_numbers.h"
#include "text/text_pieces.h"

namespace {
constexpr int kChannel = 1;
}

void ReadGroupBuyPage(int page) {
  if (page == kGroupBuyLastPage) {
    CloseDealChannel(kChannel);
    return;
  }
  ActivityLog("正在获取聚划算第" + IntToText(page) + "页商品");
  const Text address = Text("http://") + hosts::kGroupBuy +
                       "/tg/today_items.htm?&stype=newest&reverse=down&page=" + IntToText(page);
  HarvestGroupBuyBody(BytesToText(FetchPage(address)));
}

void HarvestGroupBuyBody(std::string_view body) {
  const std::string_view list = TextBetween(body, "J_JuHomeList", "</html>");
  for (std::string_view fragment : TextBetweenAll(list, "<li class=", "</li>", kMaxItemBlocks)) {
    const std::string_view block = BoundedBlock(fragment);
    HarvestedItem item;
    Text title =
        RemoveBytes(TextBetween(TextBetween(block, "<h3 title=", "3>"), ">", "</h"), "\n\r ");
    // The free-shipping badge, as it reads once its space is gone.
    item.title = RemoveAll(title, "<spanclass=\"benefit\">包邮</span>");
    const std::string_view area = TextBetween(block, "class=\"price\"", "pan>");
    if (FindText(area, "&yen;") == -1) {
      item.price = Text(TextBetween(area, "<em>", "</em>")) + "积分";
    } else {
      item.price = RemoveAll(TextBetween(area, "<em>", "</s"), "</em>");
    }
    item.originalPrice = RemoveAll(TextBetween(block, "orig-price\">", "<"), "&yen;");
    item.link = TextBetween(block, "href=\"", "\"");
    const ComputedDiscount discount = ComputeDiscount(item.price, item.originalPrice, true);
    item.discount = discount.text;
    item.discountKnown = discount.known;
    OfferDealItem(kChannel, item);
  }
}
