#pragma once

inline constexpr int kDailySpecialsLastPage = 3;

// ReadDailySpecialsPage: reads list page `page` of the channel into 超级列表框1 through the admission
// filter, counting every plausible item; page kDailySpecialsLastPage is the closing call.
void ReadDailySpecialsPage(int page);
