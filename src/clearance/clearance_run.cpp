#include "clearance/clearance_run.h"

#include <algorithm>

#include "app/controls/activity_log.h"
#include "clearance/clearance_reader.h"
#include "results/harvest_toggle.h"
#include "text/text_numbers.h"

namespace {
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
    const int pages = std::min(ReadClearancePageCount(ClearanceFeedAddress(category.id, "1")),
                               kMaxClearancePages);
    for (int page = 1; page <= pages; ++page) {
      if (HarvestStopped(state, run)) break;
      ReadClearancePage(category.id, IntToText(page), category.caption);
    }
    const Text caption(category.caption);
    ActivityLog("[" + caption + "]获取完毕!");
    ActivityLog("[" + caption + "]全部获得" + IntToText(ClearanceItemCounter()) + "个商品");
  }
  ActivityLog("年末清仓列表获取完毕!");
  ActivityLog("一共获得商品[" + IntToText(c.超级列表框1.RowCount()) + "]个");
  FinishHarvest(state, run);
}

void ToggleClearanceRun(const ClearancePanel& panel) {
  ToggleHarvestRun(RunStateButton(),
                   [&panel](std::uint64_t run) { RunClearancePanel(panel, run); });
}
