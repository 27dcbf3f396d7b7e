#include "deals/deal_run.h"

#include "app/controls/activity_log.h"
#include "deals/daily_bargains_reader.h"
#include "deals/discount_shop_reader.h"
#include "deals/group_buy_reader.h"
#include "deals/nine_yuan_reader.h"
#include "results/admission_filter.h"
#include "results/harvest_toggle.h"
#include "text/hosts.h"
#include "text/text_numbers.h"
#include "text/text_pieces.h"

namespace {

// Touched only by the deal run's thread; runs never overlap (see ToggleDealRun).
std::array<int, 4> counters{};

}  // namespace

std::array<DealChannel, 4>& DealChannels() {
  static std::array<DealChannel, 4> channels{{
      {"九块邮", &WindowControls::九块邮选择框, ReadNineYuanPage, kNineYuanLastPage,
       hosts::kNineYuan},
      {"聚划算", &WindowControls::聚划算选择框, ReadGroupBuyPage, kGroupBuyLastPage,
       hosts::kGroupBuy},
      {"卷皮折扣", &WindowControls::卷皮折扣选择框, ReadDiscountShopPage, kDiscountShopLastPage,
       hosts::kDiscountShop},
      {"天天特价", &WindowControls::天天特价选择框, ReadDailySpecialsPage, kDailySpecialsLastPage,
       hosts::kDailySpecials},
  }};
  return channels;
}

int& ChannelItemCounter(int channel) { return counters.at(channel); }

void CloseDealChannel(int channel) {
  const DealChannel& ch = DealChannels().at(channel);
  const Text count = IntToText(counters.at(channel));
  (Controls().*ch.box).WriteCaption(Text(ch.name) + "[" + count + "]");
  ActivityLog("获取" + Text(ch.name) + "完毕共[" + count + "]件商品");
}

void OfferDealItem(int channel, HarvestedItem& item) {
  if (TextLength(item.title) < 3 || TextLength(item.link) < 11) return;
  ++counters.at(channel);
  item.label = DealChannels().at(channel).name;
  AdmissionFilter(item);
}

Text RemoveBytes(std::string_view text, std::string_view bytes) {
  Text result(text);
  for (char byte : bytes) result = RemoveAll(result, std::string_view(&byte, 1));
  return result;
}

void RunDealChannels(std::uint64_t run) {
  WindowControls& c = Controls();
  Button& button = c.获取特价列表按钮;
  // A stopped run may still be reading its page: this run begins once it has ended.
  button.AwaitEarlierRuns(run);

  c.超级列表框1.DeleteAllRows();
  c.超级列表框2.SetVisible(false);
  for (std::size_t i = 0; i < DealChannels().size(); ++i) {
    const DealChannel& ch = DealChannels()[i];
    CheckBox& box = c.*ch.box;
    if (!box.ReadChecked()) continue;
    counters[i] = 0;
    box.WriteCaption(ch.name);
    for (int page = 1; page <= ch.lastPage; ++page) {
      // The stop test comes before every reader call, the closing call included.
      if (HarvestStopped(button, run)) break;
      ch.reader(page);
    }
  }
  ActivityLog("特价列表获取完毕!");
  ActivityLog("一共获得商品[" + IntToText(c.超级列表框1.RowCount()) + "]个");
  FinishHarvest(button, run);
}

void ToggleDealRun() { ToggleHarvestRun(Controls().获取特价列表按钮, RunDealChannels); }
