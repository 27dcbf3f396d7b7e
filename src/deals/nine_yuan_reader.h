#pragma once

#include <string_view>

inline constexpr int kNineYuanLastPage = 10;

// ReadNineYuanPage: reads list page `page` of the channel into 超级列表框1 through the admission
// filter, counting every plausible item; page kNineYuanLastPage is the closing call.
void ReadNineYuanPage(int page);

// HarvestNineYuanBody: the items of the body of one list page, each plausible one counted and
// handed to the admission filter. Fetches nothing.
void HarvestNineYuanBody(std::string_view body);
