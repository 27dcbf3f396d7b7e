// Every reader on an arbitrary body, under each filter setting the input's first byte chooses.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/controls/controls.h"
#include "clearance/clearance_reader.h"
#include "deals/daily_bargains_reader.h"
#include "deals/discount_shop_reader.h"
#include "deals/group_buy_reader.h"
#include "deals/nine_yuan_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  WindowControls& c = Controls();
  c.价格选择框.SetChecked(data[0] & 1);
  c.折扣选择框.SetChecked(data[0] & 2);
  const std::string_view body(reinterpret_cast<const char*>(data) + 1, size - 1);
  HarvestNineYuanBody(body);
  HarvestGroupBuyBody(body);
  HarvestDiscountShopBody(body);
  HarvestDailySpecialsBody(body, false);
  HarvestDailySpecialsBody(body, true);
  HarvestClearanceBody(body, "1", "label");
  // Rows and log go with each input, so that memory stays bounded over a long run.
  c.超级列表框1.DeleteAllRows();
  c.编辑框1.Reset();
  return 0;
}
