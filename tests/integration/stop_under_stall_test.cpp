// The user's stop during a deal run whose page never arrives: the page in progress ends at the
// request limits, the run makes no further request and ends with its closing entries. In
// process, against the sample marketplace stalling every request, with short request limits.
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "app/controls/controls.h"
#include "deals/deal_run.h"
#include "gtest/gtest.h"
#include "integration/cli_harness.h"
#include "support/loopback_server.h"
#include "support/print_text.h"
#include "text/fetch_page.h"
#include "text/text_pieces.h"

namespace {

// The log's messages, each entry's "[time]" dropped.
std::vector<ShownText> LogMessages() {
  std::vector<ShownText> messages;
  const Text log = Controls().编辑框1.Content();
  for (std::string_view entry : SplitText(log, "\r\n")) {
    const std::size_t close = entry.find(']');
    if (!entry.empty()) messages.push_back(Shown(entry.substr(close + 1)));
  }
  return messages;
}

TEST(StopUnderStallTest, StopDuringAStalledPageEndsTheRunAtTheRequestLimit) {
  cli_test::MarketProcess market({"--fault", "stall"});
  ASSERT_GT(market.port(), 0);
  loopback::ClearProxyEnvironment();
  setenv("http_proxy", market.Proxy().c_str(), 1);
  SetHttpTimeoutsForTesting(1000, 1, 3000);
  Controls().Reset();
  WindowControls& c = Controls();

  ToggleDealRun();
  EXPECT_EQ(Shown(c.获取特价列表按钮.ReadCaption()), Shown("暂停获取"));
  // The first page is asked for and does not come.
  for (int i = 0; i < 1000 && market.Requests().empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_EQ(market.Requests().size(), 1u);
  ToggleDealRun();  // the user's stop
  EXPECT_EQ(Shown(c.获取特价列表按钮.ReadCaption()), Shown("获取列表"));

  // The run ends once the stalled page has run into the limits; the bound here only keeps a
  // broken run from holding the test forever.
  std::mutex mutex;
  std::condition_variable ended;
  bool finished = false;
  std::thread waiter([&] {
    c.获取特价列表按钮.AwaitRunsFinished();
    std::lock_guard lock(mutex);
    finished = true;
    ended.notify_all();
  });
  {
    std::unique_lock lock(mutex);
    ended.wait_for(lock, std::chrono::seconds(60), [&] { return finished; });
  }
  if (!finished) {
    waiter.detach();
    FAIL() << "the stopped run did not end";
  }
  waiter.join();

  EXPECT_EQ(market.Requests().size(), 1u) << "no page after the stop";
  EXPECT_EQ(LogMessages(),
            Shown({"正在获取九块邮第1页商品", "特价列表获取完毕!", "一共获得商品[0]个"}));
  EXPECT_EQ(Shown(c.获取特价列表按钮.ReadCaption()), Shown("获取列表"));
  // A stopped channel and the later ones keep their bare names: no closing call was made.
  EXPECT_EQ(Shown(c.九块邮选择框.ReadCaption()), Shown("九块邮"));
  EXPECT_EQ(Shown(c.聚划算选择框.ReadCaption()), Shown("聚划算"));
  EXPECT_EQ(Shown(c.卷皮折扣选择框.ReadCaption()), Shown("卷皮折扣"));
  EXPECT_EQ(Shown(c.天天特价选择框.ReadCaption()), Shown("天天特价"));
  EXPECT_EQ(c.超级列表框1.RowCount(), 0);

  SetHttpTimeoutsForTesting(kDefaultConnectTimeoutMs, kDefaultLowSpeedSeconds,
                            kDefaultTotalTimeoutMs);
  unsetenv("http_proxy");
  Controls().Reset();
}

}  // namespace
