#include "clearance/clearance_reader.h"

#include "app/controls/activity_log.h"
#include "results/admission_filter.h"
#include "results/discount.h"
#include "results/page_bounds.h"
#include "text/fetch_page.h"
#include "text/hosts.h"
#include "text/text_between.h"
#include "text/text_numbers.h"
#include "text/text_pieces.h"

namespace {
// Touched only by the clearance run's thread; clearance runs never overlap.
int clearanceItemCounter = 0;
}  // namespace

int& ClearanceItemCounter() { return clearanceItemCounter; }

Text ClearanceFeedAddress(std::string_view categoryId, std::string_view pageNumber) {
  Text address = Text("http://") + hosts::kClearanceFeed + "/json/qItems4EOYSale.htm?type=3&catId=";
  address += categoryId;
  address += "&page=";
  address += pageNumber;
  address += "&pageSize=100&_ksTS=&callback=callback2";
  return address;
}

int ReadClearancePageCount(std::string_view address) {
  return TextToInt(TextBetween(BytesToText(FetchPage(address)), "totalPage\":", "}"));
}

void ReadClearancePage(std::string_view categoryId, std::string_view pageNumber,
                       std::string_view label) {
  HarvestClearanceBody(BytesToText(FetchPage(ClearanceFeedAddress(categoryId, pageNumber))),
                       pageNumber, label);
}

void HarvestClearanceBody(std::string_view body, std::string_view pageNumber,
                          std::string_view label) {
  int pageItemCount = 0;
  for (std::string_view fragment : TextBetweenAll(body, "{\"act", "},", kMaxItemBlocks)) {
    const std::string_view record = BoundedBlock(fragment);
    HarvestedItem item;
    item.title = TextBetween(record, "title\":\"", "\"");
    item.price = TextBetween(record, "_price\":", ",");
    const std::string_view itemId = TextBetween(record, "num_iid\":", ",");
    item.originalPrice = TextBetween(record, "\"price\":", ",");
    item.link = Text("http://") + hosts::kItemPage + "/item.htm?id=" + Text(itemId);
    const ComputedDiscount discount = ComputeDiscount(item.price, item.originalPrice, false);
    item.discount = discount.text;
    item.discountKnown = discount.known;
    if (TextLength(item.title) < 3 || TextLength(itemId) < 2) continue;
    item.label = label;
    AdmissionFilter(item);
    ++pageItemCount;
    ++clearanceItemCounter;
  }
  ActivityLog("[" + Text(label) + "]==>第" + Text(pageNumber) + "页共获得" +
              IntToText(pageItemCount) + "个商品");
}
