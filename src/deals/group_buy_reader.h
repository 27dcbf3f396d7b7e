#pragma once

#include <string_view>

inline constexpr int kGroupBuyLastPage = 20;

// ReadGroupBuyPage: reads list page `page` of the channel into 超级列表框1 through the admission
// filter, counting every plausible item; page kGroupBuyLastPage is the closing call.
void ReadGroupBuyPage(int page);

// HarvestGroupBuyBody: the items of the body of one list page, each plausible one counted and
// handed to the admission filter. Fetches nothing.
void HarvestGroupBuyBody(std::string_view body);
