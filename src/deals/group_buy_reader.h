#pragma once

inline constexpr int kGroupBuyLastPage = 20;

// ReadGroupBuyPage: reads list page `page` of the channel into 超级列表框1 through the admission
// filter, counting every plausible item; page kGroupBuyLastPage is the closing call.
void ReadGroupBuyPage(int page);
