#pragma once

#include <string_view>

inline constexpr int kDiscountShopLastPage = 10;

// ReadDiscountShopPage: reads list page `page` of the channel into 超级列表框1 through the
// admission filter, counting every plausible item; page kDiscountShopLastPage is the closing call.
void ReadDiscountShopPage(int page);

// HarvestDiscountShopBody: the items of the body of one list page, each plausible one counted and
// handed to the admission filter. Fetches nothing.
void HarvestDiscountShopBody(std::string_view body);
