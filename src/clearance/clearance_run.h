#pragma once

#include <cstdint>
#include <span>

#include "app/controls/controls.h"

struct ClearanceCategory {
  CheckBox WindowControls::*box;
  const char* caption;  // also the label in the log and in the column 活动
  const char* id;       // the feed's category id, inserted into the address unchanged
};

struct ClearancePanel {
  const char* page;  // the tab page's caption
  Button WindowControls::*button;
  std::span<const ClearanceCategory> categories;  // in run order
};

// The three panels, in the order of the tab pages: 年末清仓白天1, 年末清仓白天2, 年末清仓夜场.
std::span<const ClearancePanel> ClearancePanels();

// ToggleClearanceRun: the click on any of the three clearance buttons. The shared run state is
// the caption of 获取年末清仓夜场按钮: "获取列表" clears 超级列表框1, hides 超级列表框2, sets
// "暂停获取" and starts RunClearancePanel(panel) on a new thread; "暂停获取" sets "获取列表",
// which stops the run that was going. A run started while a stopped one is finishing its page
// waits for it, and a stopped run's closing step leaves the newer run's caption alone.
void ToggleClearanceRun(const ClearancePanel& panel);

// RunClearancePanel: the body of one clearance run (run is the id StartRun gave it).
void RunClearancePanel(const ClearancePanel& panel, std::uint64_t run);
