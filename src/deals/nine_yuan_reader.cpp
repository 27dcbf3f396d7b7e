#include "deals/nine_yuan_reader.h"

#include "app/controls/activity_log.h"
#include "deals/deal_run.h"
#include "results/page_bounds.h"
#include "text/fetch_page.h"
#include "text/find_text.h"
#include "text/hosts.h"
#include "text/text_between.h"
#include "text/text_numbers.h"
#include "text/text_pieces.h"

namespace {
constexpr int kChannel = 0;
}

void ReadNineYuanPage(int page) {
  // This channel writes its progress entry for the closing call too.
  ActivityLog("正在获取九块邮第" + IntToText(page) + "页商品");
  if (page == kNineYuanLastPage) {
    CloseDealChannel(kChannel);
    return;
  }
  const Text address = Text("http://") + hosts::kNineYuan + "/d/jiu?&u=jiu/all/" + IntToText(page);
  HarvestNineYuanBody(BytesToText(FetchPage(address)));
}

void HarvestNineYuanBody(std::string_view body) {
  for (std::string_view block : SplitText(body, "list-good buy", kMaxItemBlocks)) {
    HarvestedItem item;
    item.title = RemoveBytes(
        TextBetween(TextBetween(block, "<a class=\"title\"", "</h5>"), "\">", "</a>"), " \r\n");
    item.originalPrice = TextBetween(block, "原价", "元");
    item.price = TextBetween(block, "拍下价格", "元");
    item.discount = TextBetween(block, "discount\"><b>", "</b>");
    item.link = TextBetween(block, "href=\"", "\"");
    // Links to the shop's own pages are no items.
    if (FindText(item.link, "/d/jiu") != -1) item.link.clear();
    OfferDealItem(kChannel, item);
  }
}
