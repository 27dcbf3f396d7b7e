#include "text/time_to_text.h"

#include <cstddef>
#include <cstdio>

Text TimeToText(const std::tm& local) {
  // Every number is printed unpadded; the time of day loses its trailing zero fields.
  char buffer[128];
  int length = std::snprintf(buffer, sizeof buffer, "%d年%d月%d日", local.tm_year + 1900,
                             local.tm_mon + 1, local.tm_mday);
  Text text(buffer, static_cast<std::size_t>(length));
  if (local.tm_sec != 0) {
    length = std::snprintf(buffer, sizeof buffer, "%d时%d分%d秒", local.tm_hour, local.tm_min,
                           local.tm_sec);
  } else if (local.tm_min != 0) {
    length = std::snprintf(buffer, sizeof buffer, "%d时%d分", local.tm_hour, local.tm_min);
  } else if (local.tm_hour != 0) {
    length = std::snprintf(buffer, sizeof buffer, "%d时", local.tm_hour);
  } else {
    length = 0;
  }
  text.append(buffer, static_cast<std::size_t>(length));
  return text;
}

Text TimeToText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return TimeToText(local);
}
