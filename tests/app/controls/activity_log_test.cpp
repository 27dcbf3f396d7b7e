#include "app/controls/activity_log.h"

#include <gtest/gtest.h>

#include "app/controls/controls.h"

namespace {

TEST(ActivityLogTest, EntriesFollowTheStartEntryOnLinesOfTheirOwn) {
  Controls().Reset();
  ActivityLogStart("启动软件");
  ActivityLog("特价列表获取完毕!");
  const Text log = Controls().编辑框1.Content();
  // The time is GBK text; compare its shape on the bytes: "[" digits 年 ... "]".
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[0], '[');
  const std::size_t lineEnd = log.find("\r\n");
  ASSERT_NE(lineEnd, Text::npos);
  EXPECT_EQ(log.substr(lineEnd - 8, 8), "启动软件");
  EXPECT_EQ(log[lineEnd + 2], '[');
  EXPECT_EQ(log.substr(log.size() - 18), "]特价列表获取完毕!");
  EXPECT_EQ(log.find("\r\n", lineEnd + 2), Text::npos);
  Controls().Reset();
}

}  // namespace
