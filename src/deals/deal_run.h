#pragma once

#include <array>

#include "app/controls/controls.h"

// A channel's page reader: called with each page number from 1 to the channel's last number.
using ChannelPageReader = void (*)(int page);

struct DealChannel {
  const char* name;            // also the caption set at the channel's turn
  CheckBox WindowControls::*box;
  ChannelPageReader reader;
  int lastPage;                // the closing call; pages 1 to lastPage - 1 are fetched
};

// ToggleDealRun: the click on 获取特价列表按钮. "获取列表" clears 超级列表框1, hides 超级列表框2,
// sets "暂停获取" and starts RunDealChannels on a new thread; "暂停获取" sets "获取列表", which
// stops the run that was going; any other caption does nothing.
void ToggleDealRun();

// The channel table, in run order: 九块邮, 聚划算, 卷皮折扣, 天天特价.
std::array<DealChannel, 4>& DealChannels();

// The four channel counters (plausible items of the current turn), in the table's order.
int& ChannelItemCounter(int channel);
