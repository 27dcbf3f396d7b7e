#include "deals/deal_run.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <mutex>

#include "app/controls/activity_log.h"
#include "results/admission_filter.h"
#include "text/text_numbers.h"

namespace {

// Recording readers: each page call appends two items, counts them, and may run a hook; the
// closing call reports through the run's own closing step.
struct Call {
  int channel;
  int page;
};
std::mutex callsMutex;
std::vector<Call> calls;
std::function<void(int channel, int page)> hook;

template <int Channel>
void RecordingReader(int page) {
  {
    std::lock_guard lock(callsMutex);
    calls.push_back({Channel, page});
  }
  if (page == DealChannels()[Channel].lastPage) {
    CloseDealChannel(Channel);
    return;
  }
  if (hook) hook(Channel, page);
  for (int i = 0; i < 2; ++i) {
    ++ChannelItemCounter(Channel);
    AdmissionFilter(HarvestedItem{"标题" + IntToText(page), "20", IntToText(10 * i), "5.0",
                                  DealChannels()[Channel].name, "http://item.example/x"});
  }
}

class DealRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Controls().Reset();
    saved_ = DealChannels();
    DealChannels()[0].reader = RecordingReader<0>;
    DealChannels()[1].reader = RecordingReader<1>;
    DealChannels()[2].reader = RecordingReader<2>;
    DealChannels()[3].reader = RecordingReader<3>;
    calls.clear();
    hook = nullptr;
  }
  void TearDown() override {
    Controls().获取特价列表按钮.AwaitRunsFinished();
    DealChannels() = saved_;
    hook = nullptr;
    Controls().Reset();
  }
  static void RunToEnd() {
    ToggleDealRun();
    Controls().获取特价列表按钮.AwaitRunsFinished();
  }
  static int PageCalls(int channel) {
    int n = 0;
    for (const Call& call : calls) n += call.channel == channel;
    return n;
  }
  static bool LogHas(std::string_view message) {
    return Controls().编辑框1.Content().find(message) != Text::npos;
  }

 private:
  std::array<DealChannel, 4> saved_;
};

TEST_F(DealRunTest, AllFourChannelsInOrderWithTheirClosingCalls) {
  Controls().超级列表框1.AppendNumberedRow(Cells{});  // cleared by the start
  RunToEnd();
  ASSERT_EQ(calls.size(), 43u);
  const int lastPages[] = {10, 20, 10, 3};
  std::size_t k = 0;
  int pageCalls = 0;
  for (int ch = 0; ch < 4; ++ch) {
    for (int page = 1; page <= lastPages[ch]; ++page, ++k) {
      EXPECT_EQ(calls[k].channel, ch);
      EXPECT_EQ(calls[k].page, page);
      pageCalls += page < lastPages[ch];
    }
  }
  EXPECT_EQ(pageCalls, 39);
  WindowControls& c = Controls();
  EXPECT_EQ(c.九块邮选择框.ReadCaption(), "九块邮[18]");
  EXPECT_EQ(c.聚划算选择框.ReadCaption(), "聚划算[38]");
  EXPECT_EQ(c.卷皮折扣选择框.ReadCaption(), "卷皮折扣[18]");
  EXPECT_EQ(c.天天特价选择框.ReadCaption(), "天天特价[4]");
  EXPECT_TRUE(LogHas("\r\n[") && LogHas("]获取聚划算完毕共[38]件商品"));
  EXPECT_EQ(c.超级列表框1.RowCount(), 78);
  const Text log = c.编辑框1.Content();
  EXPECT_NE(log.find("]特价列表获取完毕!\r\n["), Text::npos);
  EXPECT_EQ(log.substr(log.size() - 19), "]一共获得商品[78]个");
  EXPECT_EQ(c.获取特价列表按钮.ReadCaption(), "获取列表");
}

TEST_F(DealRunTest, NoChannelChecked) {
  WindowControls& c = Controls();
  for (CheckBox* box : {&c.九块邮选择框, &c.聚划算选择框, &c.卷皮折扣选择框, &c.天天特价选择框}) {
    box->SetChecked(false);
  }
  c.超级列表框1.AppendNumberedRow(Cells{});
  c.超级列表框2.SetVisible(true);
  RunToEnd();
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(c.超级列表框1.RowCount(), 0);
  EXPECT_FALSE(c.超级列表框2.Visible());
  EXPECT_TRUE(LogHas("]特价列表获取完毕!"));
  EXPECT_TRUE(LogHas("]一共获得商品[0]个"));
  EXPECT_EQ(c.获取特价列表按钮.ReadCaption(), "获取列表");
}

TEST_F(DealRunTest, StopDuringGroupBuyPage7FinishesThatPageOnly) {
  WindowControls& c = Controls();
  c.卷皮折扣选择框.WriteCaption("卷皮折扣[12]");
  ChannelItemCounter(2) = 12;
  hook = [](int channel, int page) {
    if (channel == 1 && page == 7) ToggleDealRun();  // the user's second click
  };
  RunToEnd();
  EXPECT_EQ(PageCalls(0), 10);
  EXPECT_EQ(PageCalls(1), 7);
  EXPECT_EQ(PageCalls(2), 0);
  EXPECT_EQ(PageCalls(3), 0);
  EXPECT_EQ(c.九块邮选择框.ReadCaption(), "九块邮[18]");
  EXPECT_EQ(c.聚划算选择框.ReadCaption(), "聚划算");
  EXPECT_EQ(c.卷皮折扣选择框.ReadCaption(), "卷皮折扣");
  EXPECT_EQ(c.天天特价选择框.ReadCaption(), "天天特价");
  EXPECT_EQ(ChannelItemCounter(1), 14);  // page 7 was finished
  EXPECT_EQ(ChannelItemCounter(2), 0);
  EXPECT_FALSE(LogHas("获取聚划算完毕"));
  EXPECT_TRUE(LogHas("]一共获得商品[32]个"));
  EXPECT_EQ(c.获取特价列表按钮.ReadCaption(), "获取列表");
}

TEST_F(DealRunTest, StopDuringNineYuanPage9SkipsItsClosingCall) {
  hook = [](int channel, int page) {
    if (channel == 0 && page == 9) ToggleDealRun();
  };
  RunToEnd();
  EXPECT_EQ(PageCalls(0), 9);
  EXPECT_EQ(calls.size(), 9u);
  EXPECT_EQ(Controls().九块邮选择框.ReadCaption(), "九块邮");
  EXPECT_FALSE(LogHas("获取九块邮完毕"));
}

TEST_F(DealRunTest, CheckedStatesAreReadAtEachChannelsTurn) {
  WindowControls& c = Controls();
  c.卷皮折扣选择框.SetChecked(false);
  c.卷皮折扣选择框.WriteCaption("卷皮折扣[12]");
  c.天天特价选择框.SetChecked(false);
  hook = [&c](int channel, int page) {
    if (channel == 0 && page == 3) {
      c.天天特价选择框.SetChecked(true);  // ticked before its turn: harvested
      c.聚划算选择框.SetChecked(false);   // unticked before its turn: skipped
    }
  };
  RunToEnd();
  EXPECT_EQ(PageCalls(0), 10);
  EXPECT_EQ(PageCalls(1), 0);
  EXPECT_EQ(PageCalls(2), 0);
  EXPECT_EQ(PageCalls(3), 3);
  EXPECT_EQ(c.卷皮折扣选择框.ReadCaption(), "卷皮折扣[12]");
  EXPECT_EQ(c.聚划算选择框.ReadCaption(), "聚划算");
  EXPECT_EQ(c.天天特价选择框.ReadCaption(), "天天特价[4]");
}

TEST_F(DealRunTest, UnknownCaptionMakesTheClickDoNothing) {
  Controls().获取特价列表按钮.WriteCaption("别的");
  Controls().超级列表框1.AppendNumberedRow(Cells{});
  ToggleDealRun();
  EXPECT_EQ(Controls().获取特价列表按钮.ReadCaption(), "别的");
  EXPECT_EQ(Controls().超级列表框1.RowCount(), 1);
  EXPECT_TRUE(calls.empty());
}

// A stop and a new start while the stopped run is still inside its page: the stopped run reads
// no further page and leaves the new run's caption alone; the new run begins after it and owns
// the counters, captions and rows.
TEST_F(DealRunTest, StartWhileAStoppedRunFinishesItsPageGivesOneRunAtATime) {
  std::mutex m;
  std::condition_variable cv;
  bool inPage = false, release = false;
  hook = [&](int channel, int page) {
    if (channel == 0 && page == 2) {
      std::unique_lock lock(m);
      if (release) return;  // the second run passes
      inPage = true;
      cv.notify_all();
      cv.wait(lock, [&] { return release; });
    }
  };
  WindowControls& c = Controls();
  ToggleDealRun();
  {
    std::unique_lock lock(m);
    cv.wait(lock, [&] { return inPage; });
  }
  ToggleDealRun();  // stop
  ToggleDealRun();  // start again while the first run is still in page 2
  EXPECT_EQ(c.获取特价列表按钮.ReadCaption(), "暂停获取");
  {
    std::lock_guard lock(m);
    release = true;
  }
  cv.notify_all();
  c.获取特价列表按钮.AwaitRunsFinished();
  // First run: pages 1 and 2 of 九块邮. Second run: all 43 calls.
  ASSERT_EQ(calls.size(), 45u);
  EXPECT_EQ(calls[2].channel, 0);
  EXPECT_EQ(calls[2].page, 1);
  EXPECT_EQ(c.九块邮选择框.ReadCaption(), "九块邮[18]");
  EXPECT_EQ(c.超级列表框1.RowCount(), 78);
  EXPECT_EQ(c.获取特价列表按钮.ReadCaption(), "获取列表");
  const Text log = c.编辑框1.Content();
  EXPECT_NE(log.find("]一共获得商品[2]个"), Text::npos);  // page 2 after the new start cleared
  EXPECT_EQ(log.substr(log.size() - 19), "]一共获得商品[78]个");
}

}  // namespace
