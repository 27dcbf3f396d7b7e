#pragma once

#include <cstdint>
#include <functional>

#include "app/controls/controls.h"

// The run body of a harvest, started on a thread of its own with the run's id.
using HarvestBody = std::function<void(std::uint64_t run)>;

// ToggleHarvestRun: a click on a RunButton whose caption, on state, is the run state. "获取列表":
// delete all rows of 超级列表框1, hide 超级列表框2, set "暂停获取" (before the run can make its
// first stop test) and start body on a new detached thread. "暂停获取": set "获取列表", which
// stops every run started so far. Any other caption: nothing.
void ToggleHarvestRun(Button& state, HarvestBody body);

// The run body's own stop test and closing step, on the same button.
bool HarvestStopped(const Button& state, std::uint64_t run);
void FinishHarvest(Button& state, std::uint64_t run);
