#pragma once

#include <string_view>

#include "text/text.h"

// The feed address of one category page: "http://" + feed host +
// "/json/qItems4EOYSale.htm?type=3&catId=" + id + "&page=" + page +
// "&pageSize=100&_ksTS=&callback=callback2".
Text ClearanceFeedAddress(std::string_view categoryId, std::string_view pageNumber);

// ReadClearancePageCount: the leading integer after "totalPage\":" in the feed at address, or 0
// when the feed cannot be read or announces no count.
int ReadClearancePageCount(std::string_view address);

// ReadClearancePage: the records of one feed page, each plausible one counted and handed to the
// admission filter with label as its source, then the page's entry
// "[" + label + "]==>第" + page + "页共获得" + count + "个商品".
void ReadClearancePage(std::string_view categoryId, std::string_view pageNumber,
                       std::string_view label);

// HarvestClearanceBody: the records of one feed page's body as ReadClearancePage takes them,
// with the page's entry. Fetches nothing.
void HarvestClearanceBody(std::string_view body, std::string_view pageNumber,
                          std::string_view label);

// The one counter of plausible items of the clearance category being read.
int& ClearanceItemCounter();
