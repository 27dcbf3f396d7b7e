#pragma once

inline constexpr int kDiscountShopLastPage = 10;

// ReadDiscountShopPage: reads list page `page` of the channel into 超级列表框1 through the admission
// filter, counting every plausible item; page kDiscountShopLastPage is the closing call.
void ReadDiscountShopPage(int page);
