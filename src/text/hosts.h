// The marketplace's hosts. Every address the program builds starts from one of these.
#pragma once

namespace hosts {
inline constexpr const char* kNineYuan = "nine.market.example";
inline constexpr const char* kGroupBuy = "groupbuy.market.example";
inline constexpr const char* kDiscountShop = "discountshop.market.example";
inline constexpr const char* kDailySpecials = "daily.market.example";
inline constexpr const char* kClearanceFeed = "feed.market.example";
inline constexpr const char* kItemPage = "item.market.example";
inline constexpr const char* kMaker = "maker.example";
// The second download site of the update notice: a bare domain name.
inline constexpr const char* kMirrorSite = "downloads-mirror.example";
}  // namespace hosts
