#pragma once

#include <array>
#include <string_view>

#include "app/controls/controls.h"
#include "results/harvested_item.h"

// A channel's page reader: called with each page number from 1 to the channel's last number;
// the last number is the closing call, which fetches nothing and reports the channel's count.
using ChannelPageReader = void (*)(int page);

struct DealChannel {
  const char* name;  // also the caption set at the channel's turn and the rows' label
  CheckBox WindowControls::*box;
  ChannelPageReader reader;
  int lastPage;
  const char* host;  // of the channel's pages and of its home page "http://" + host + "/"
};

// The channels in run order: 九块邮, 聚划算, 卷皮折扣, 天天特价. Tests may swap the readers.
std::array<DealChannel, 4>& DealChannels();

// ToggleDealRun: the click on 获取特价列表按钮. "获取列表" clears 超级列表框1, hides 超级列表框2,
// sets "暂停获取" and starts RunDealChannels on a new thread; "暂停获取" sets "获取列表", which
// stops the run that was going; any other caption does nothing. A start while a stopped run is
// still finishing its page waits, on the new run's thread, until that run has ended, so two
// runs never share counters, captions or rows.
void ToggleDealRun();

// RunDealChannels: the body of one deal run (run is the id StartRun gave it): the checked
// channels in order, the stop test before every reader call, the two closing entries, and the
// caption back to "获取列表" unless a newer run has started.
void RunDealChannels(std::uint64_t run);

// The counter of plausible items of channel (0 to 3, the table's order) in its current turn.
int& ChannelItemCounter(int channel);

// The closing call of channel: the caption name[count] and the entry
// "获取" + name + "完毕共[" + count + "]件商品".
void CloseDealChannel(int channel);

// OfferDealItem: the plausibility test every channel applies (a title of at least 3 bytes and a
// link of at least 11); a plausible item is counted for channel, labelled with the channel's name
// and handed to the admission filter, an implausible one skipped without trace.
void OfferDealItem(int channel, HarvestedItem& item);

// Removes every byte of bytes (each a one-byte text: space, CR, LF), one after the other.
Text RemoveBytes(std::string_view text, std::string_view bytes);
