#pragma once

#include <span>

#include "app/controls/controls.h"

struct ClearanceCategory {
  CheckBox WindowControls::*box;
  const char* caption;  // also the label in the log and in the column 活动
  const char* id;       // the feed's category id
};

struct ClearancePanel {
  const char* page;     // the tab page's caption
  Button WindowControls::*button;
  std::span<const ClearanceCategory> categories;  // in run order
};

// The three panels: 年末清仓白天1, 年末清仓白天2, 年末清仓夜场.
std::span<const ClearancePanel> ClearancePanels();

// ToggleClearanceRun: the click on any clearance button; the shared run state is the caption of
// 获取年末清仓夜场按钮.
void ToggleClearanceRun(const ClearancePanel& panel);
