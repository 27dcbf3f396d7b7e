#include "results/harvest_toggle.h"

#include <system_error>
#include <thread>

namespace {
constexpr std::string_view kIdle = "获取列表";
constexpr std::string_view kRunning = "暂停获取";
}  // namespace

void ToggleHarvestRun(Button& state, HarvestBody body) {
  WindowControls& c = Controls();
  const Text caption = state.ReadCaption();
  if (caption == kIdle) {
    c.超级列表框1.DeleteAllRows();
    c.超级列表框2.SetVisible(false);
    const std::uint64_t run = state.StartRun(kRunning);
    try {
      std::thread(std::move(body), run).detach();
    } catch (const std::system_error&) {
      // Nothing runs: the button goes back to idle so that the next click starts again.
      state.FinishRun(run, kIdle);
    }
  } else if (caption == kRunning) {
    state.StopRuns(kIdle);
  }
}

bool HarvestStopped(const Button& state, std::uint64_t run) { return state.RunStopped(run, kIdle); }

void FinishHarvest(Button& state, std::uint64_t run) { state.FinishRun(run, kIdle); }
