#include "deals/discount_shop_reader.h"

#include "app/controls/activity_log.h"
#include "deals/deal_run.h"
#include "results/page_bounds.h"
#include "text/find_text.h"
#include "text/hosts.h"
#include "text/text_between.h"
#include "text/text_numbers.h"
#include "text/text_pieces.h"
#include "text/web_request.h"

namespace {
constexpr int kChannel = 2;
}

void ReadDiscountShopPage(int page) {
  if (page == kDiscountShopLastPage) {
    CloseDealChannel(kChannel);
    return;
  }
  ActivityLog("正在获取卷皮折扣第" + IntToText(page) + "页商品");
  const Text base = Text("http://") + hosts::kDiscountShop;
  WebRequestParams request;
  request.url = base + "/d/index?u=index/all/all/" + IntToText(page);
  request.cookies = Text();
  request.referer = base;
  HarvestDiscountShopBody(WebRequest(request));
}

void HarvestDiscountShopBody(std::string_view body) {
  for (std::string_view piece : SplitText(body, "list-good", kMaxItemBlocks)) {
    HarvestedItem item;
    Text title(TextBetween(TextBetween(piece, "good-title\"", "</h5>"), "_blank\">", "</a>"));
    title = RemoveAll(RemoveAll(title, "<b>"), "</b>");
    item.title = RemoveBytes(title, " \r\n");
    item.price = TextBetween(TextBetween(piece, "price-current", "span>"), "</em>", "</");
    item.originalPrice = TextBetween(TextBetween(piece, "price-old", "span>"), "</em>", "</");
    item.discount = TextBetween(piece, "discount\"><b>", "</b>");
    item.link = TextBetween(piece, "href=\"", "\"");
    // Brand entries are no items.
    if (FindText(item.link, "/d/brand") != -1) item.link.clear();
    OfferDealItem(kChannel, item);
  }
}
