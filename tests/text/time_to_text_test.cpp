#include "text/time_to_text.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string_view>

#include "support/print_text.h"

namespace {

std::tm LocalTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  return local;
}

struct TimeCase {
  std::tm local;
  std::string_view expected;
};

const TimeCase kTimeCases[] = {
    {LocalTime(2014, 1, 15, 9, 5, 3), "2014年1月15日9时5分3秒"},
    {LocalTime(2014, 1, 15, 9, 5, 0), "2014年1月15日9时5分"},
    {LocalTime(2014, 1, 15, 9, 0, 0), "2014年1月15日9时"},
    {LocalTime(2014, 1, 15, 0, 0, 0), "2014年1月15日"},
    {LocalTime(2014, 1, 15, 14, 0, 0), "2014年1月15日14时"},
    {LocalTime(2014, 1, 15, 14, 30, 0), "2014年1月15日14时30分"},
    {LocalTime(2014, 1, 15, 0, 0, 5), "2014年1月15日0时0分5秒"},
    {LocalTime(2014, 1, 15, 0, 30, 0), "2014年1月15日0时30分"},
    {LocalTime(2014, 1, 15, 9, 0, 7), "2014年1月15日9时0分7秒"},
    {LocalTime(2023, 12, 31, 23, 59, 59), "2023年12月31日23时59分59秒"},
};

TEST(TimeToTextTest, TimeOfDayLosesTrailingZeroFields) {
  for (const TimeCase& c : kTimeCases) {
    SCOPED_TRACE(::testing::PrintToString(Shown(c.expected)));
    EXPECT_EQ(Shown(TimeToText(c.local)), Shown(c.expected));
  }
}

TEST(TimeToTextTest, CurrentTimeIsReadAfresh) {
  auto local_now = [] {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return TimeToText(local);
  };
  const Text before = local_now();
  const Text text = TimeToText();
  const Text after = local_now();
  EXPECT_TRUE(text == before || text == after) << ::testing::PrintToString(Shown(text));
}

}  // namespace
