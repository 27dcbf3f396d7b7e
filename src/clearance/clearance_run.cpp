#include "clearance/clearance_run.h"

#include <algorithm>
#include <system_error>
#include <thread>

#include "app/controls/activity_log.h"
#include "clearance/clearance_reader.h"
#include "text/text_numbers.h"

namespace {
constexpr std::string_view kIdle = "获取列表";
constexpr std::string_view kRunning = "暂停获取";

// The pages read of one category at most, whatever the feed announces: a feed of 100 items a
// page holds far fewer, and a huge count can then never keep a run going for days.
constexpr int kMaxClearancePages = 500;

// All three panels share one run state: the caption of this button.
Button& RunStateButton() { return Controls().获取年末清仓夜场按钮; }
}  // namespace

void RunClearancePanel(const ClearancePanel& panel, std::uint64_t run) {
  WindowControls& c = Controls();
  Button& state = RunStateButton();
  // A stopped run may still be reading its page: this run begins once it has ended.
  state.AwaitEarlierRuns(run);

  for (const ClearanceCategory& category : panel.categories) {
    if (!(c.*category.box).ReadChecked()) continue;
    ClearanceItemCounter() = 0;
    // The page count is asked for whatever the run state is.
    const int pages =
        std::min(ReadClearancePageCount(ClearanceFeedAddress(category.id, "1")), kMaxClearancePages);
    for (int page = 1; page <= pages; ++page) {
      if (state.RunStopped(run, kIdle)) break;
      ReadClearancePage(category.id, IntToText(page), category.caption);
    }
    const Text caption(category.caption);
    ActivityLog("[" + caption + "]获取完毕!");
    ActivityLog("[" + caption + "]全部获得" + IntToText(ClearanceItemCounter()) + "个商品");
  }
  ActivityLog("年末清仓列表获取完毕!");
  ActivityLog("一共获得商品[" + IntToText(c.超级列表框1.RowCount()) + "]个");
  state.FinishRun(run, kIdle);
}

void ToggleClearanceRun(const ClearancePanel& panel) {
  WindowControls& c = Controls();
  Button& state = RunStateButton();
  const Text caption = state.ReadCaption();
  if (caption == kIdle) {
    c.超级列表框1.DeleteAllRows();
    c.超级列表框2.SetVisible(false);
    const std::uint64_t run = state.StartRun(kRunning);
    try {
      std::thread(RunClearancePanel, std::cref(panel), run).detach();
    } catch (const std::system_error&) {
      state.FinishRun(run, kIdle);
    }
  } else if (caption == kRunning) {
    state.StopRuns(kIdle);
  }
}
