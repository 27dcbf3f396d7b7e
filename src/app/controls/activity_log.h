#pragma once

#include <string_view>

// ActivityLog: appends CR LF, "[", the current local time by TimeToText, "]" and message at the
// end of 编辑框1.
void ActivityLog(std::string_view message);

// The start entry: the same without the leading CR LF.
void ActivityLogStart(std::string_view message);
