#pragma once

#include <ctime>

#include "text/text.h"

// TimeToText: "%d年%d月%d日" then the time of day: "%d时%d分%d秒" when the seconds are not 0,
// "%d时%d分" when only the seconds are 0, "%d时" on the hour, nothing at midnight.
// Example: 2014年1月15日9时5分3秒; at 9:00:00 2014年1月15日9时.
Text TimeToText(const std::tm& local);

// TimeToText of the current local time, read afresh for each call.
Text TimeToText();
