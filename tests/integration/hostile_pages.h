// Hostile page bodies for every reader, built around one small plausible item of that reader:
// floods of markers, a right marker far behind millions of left ones, a field that encloses
// megabytes, and overlapping blocks that all pass the plausibility test. Shared by the hostile
// pages test (results) and its benchmark (time and memory).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "clearance/clearance_reader.h"
#include "deals/daily_bargains_reader.h"
#include "deals/discount_shop_reader.h"
#include "deals/group_buy_reader.h"
#include "deals/nine_yuan_reader.h"

namespace hostile {

inline constexpr std::size_t kFloodBytes = 16u << 20;

// A reader as the hostile bodies need it. All texts are GBK.
struct Reader {
  const char* name;
  void (*harvest)(std::string_view body);
  std::string head, tail;               // what stands around the item list
  std::string blockLeft, blockRight;    // blockRight empty: the blocks are split at blockLeft
  std::string beforeTitle, afterTitle;  // one item with its title left out between the two
  std::string titleLeft, titleRight;    // the markers right around the title
  bool cutsBlocks;                      // the reader reads only a block's first part
  std::string Item(std::string_view title) const {
    return beforeTitle + std::string(title) + afterTitle;
  }
};

inline const std::vector<Reader>& Readers() {
  static const std::vector<Reader> readers = {
      {"九块邮", [](std::string_view b) { HarvestNineYuanBody(b); }, "<html><body>",
       "</body></html>", "list-good buy", "",
       "\"><a href=\"http://item.market.example/item.htm?id=1001\"><img></a><h5><a class=\"title\" "
       "href=\"#\">",
       "</a></h5><p>原价59元</p><p>拍下价格19.9元</p><span class=\"discount\"><b>3.4</b></span>",
       "<a class=\"title\"", "</h5>", false},
      {"聚划算", [](std::string_view b) { HarvestGroupBuyBody(b); },
       "<html><body><ul id=\"J_JuHomeList\">", "</ul></body></html>", "<li class=", "</li>",
       "\"item\"><a href=\"http://item.market.example/item.htm?id=1002\"></a><h3 title=\"t\">",
       "</h3><span class=\"price\"><em>&yen;</em><em>19.9</em></span><del "
       "class=\"orig-price\">&yen;59</del>",
       "<h3 title=", "3>", true},
      {"卷皮折扣", [](std::string_view b) { HarvestDiscountShopBody(b); }, "<html><body>",
       "</body></html>", "list-good", "",
       "\"><a href=\"http://item.market.example/item.htm?id=1003\"></a><h5 "
       "class=\"good-title\"><a target=\"_blank\">",
       "</a></h5><span class=\"price-current\"><em>&yen;</em>19.9</span><span "
       "class=\"price-old\"><em>&yen;</em>59</span><span class=\"discount\"><b>3.4</b></span>",
       "good-title\"", "</h5>", false},
      {"天天特价", [](std::string_view b) { HarvestDailySpecialsBody(b, false); }, "<html><body>",
       "</body></html>", "<dl class=", "</dl>",
       "\"item\"><dt><a href=\"http://item.market.example/item.htm?id=1004\"></a></dt><dd "
       "class=\"title\"><a href=\"#\">",
       "</a></dd><dd><strong>19.9</strong></dd><dd><del>59</del></dd>", "<dd class=\"title\">",
       "</dd>", true},
      {"clearance", [](std::string_view b) { HarvestClearanceBody(b, "1", "都市型男"); },
       "callback2({\"data\":{\"list\":[", "]}})", "{\"act", "},", "ivityId\":7,\"title\":\"",
       "\",\"_price\":19.9,\"num_iid\":1005,\"price\":59,\"sold\":3", "title\":\"", "\"", true},
  };
  return readers;
}

// Repeat: text repeated until at least bytes long.
inline std::string Repeat(std::string_view text, std::size_t bytes) {
  std::string out;
  out.reserve(bytes + text.size());
  while (out.size() < bytes) out += text;
  return out;
}

// The kinds of hostile body, for every reader.
enum class Kind {
  // 16 MiB of the block's left marker (of the split marker for splitting readers), then one
  // plausible item and the right marker at the very end.
  kLeftFlood,
  // Millions of left markers, 8 MiB of text without markers, and a single right marker: at the
  // block (readers that take blocks between markers) or at the title (splitting readers).
  kFarRight,
  // One item whose title, between its two markers, is 8 MiB long.
  kHugeField,
  // A plausible item after every left marker and a single right marker at the end, so that
  // every block runs to the end of the page and passes the plausibility test (for splitting
  // readers the blocks cannot overlap: as many plausible items as fit into 16 MiB).
  kOverlappingBlocks,
};

inline const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::kLeftFlood:
      return "left flood";
    case Kind::kFarRight:
      return "far right marker";
    case Kind::kHugeField:
      return "huge field";
    case Kind::kOverlappingBlocks:
      return "overlapping blocks";
  }
  return "";
}

inline const std::vector<Kind>& Kinds() {
  static const std::vector<Kind> kinds = {Kind::kLeftFlood, Kind::kFarRight, Kind::kHugeField,
                                          Kind::kOverlappingBlocks};
  return kinds;
}

// The title of every plausible item (GBK): 毛衣围巾.
inline std::string PlainTitle() { return "毛衣围巾"; }

// The title of the huge field: "毛衣" repeated to 8 MiB.
inline std::string HugeTitle() { return Repeat("毛衣", 8u << 20); }

// Body: the hostile body of kind for reader r.
inline std::string Body(const Reader& r, Kind kind) {
  const bool splits = r.blockRight.empty();
  const std::string item = r.Item(PlainTitle());
  std::string body = r.head;
  switch (kind) {
    case Kind::kLeftFlood:
      body += Repeat(r.blockLeft, kFloodBytes);
      body += item + r.blockRight;
      break;
    case Kind::kFarRight: {
      const std::string filler = Repeat("没有标记的文字，", 8u << 20);
      if (splits) {
        // The item's title region opens millions of times and closes once, far behind.
        body += r.blockLeft + r.beforeTitle.substr(0, r.beforeTitle.find(r.titleLeft));
        body += Repeat(r.titleLeft, 8u << 20) + filler + r.titleRight;
      } else {
        body += Repeat(r.blockLeft, 8u << 20) + filler + r.blockRight;
      }
      break;
    }
    case Kind::kHugeField:
      body += r.blockLeft + r.Item(HugeTitle()) + r.blockRight;
      break;
    case Kind::kOverlappingBlocks:
      body += Repeat(r.blockLeft + item, kFloodBytes) + r.blockRight;
      break;
  }
  return body + r.tail;
}

}  // namespace hostile
