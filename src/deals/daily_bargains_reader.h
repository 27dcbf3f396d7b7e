#pragma once

#include <string_view>

inline constexpr int kDailySpecialsLastPage = 3;

// ReadDailySpecialsPage: reads list page `page` of the channel into 超级列表框1 through the
// admission filter, counting every plausible item; page kDailySpecialsLastPage is the closing call.
void ReadDailySpecialsPage(int page);

// HarvestDailySpecialsBody: the items of the body of one list page, each plausible one counted
// and handed to the admission filter; on the postage page the postage is the price. Fetches
// nothing.
void HarvestDailySpecialsBody(std::string_view body, bool postagePage);
