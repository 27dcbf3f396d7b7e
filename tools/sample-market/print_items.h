// The ground truth of a seed: every generated item as its reader should derive it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "market_pages.h"

// TruthLine: one item as a UTF-8 line without its line end: source, page, title, original
// price, price, discount, link, "yes" or "no" (counted by the reader), TAB-separated.
// Example:
// "九块邮\t1\t韩版加厚毛衣\t39.9\t9.9\t2.5\thttp://item.market.example/item.htm?id=1\tyes".
std::string TruthLine(const TruthRow& row);

// PrintItems: the lines of every page with items, in the order a full harvest reads them: the
// four channels (九块邮, 聚划算, 卷皮折扣 by page, 天天特价 list 1 then 2), then every
// clearance category of the three panels page by page. Returns 0, or 1 when out fails.
int PrintItems(std::uint64_t seed, std::FILE* out);
