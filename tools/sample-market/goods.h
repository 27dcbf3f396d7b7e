// Made-up goods: the records every list page and the clearance feed are written from.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "rng.h"

struct Goods {
  std::int64_t id = 0;             // the item id of its item page
  std::vector<std::string> words;  // the name's words, GBK
  int price_tenths = 0;            // the offer price in tenths of a yuan
  int original_tenths = 0;         // the list price, always above the offer price
  int sold = 0;
  std::string shop;      // GBK
  int image_server = 1;  // 1 to 4, as in the image addresses
};

// MakeGoods: one item with a name of three to five words (nouns: a space-separated GBK word
// list, or empty for the general one), a price in [min_tenths, max_tenths] rounded the way shops
// round, and a list price 1.5 to 6 times above it. Example: MakeGoods(rng, 49, 199, "").
Goods MakeGoods(Rng& rng, int min_tenths, int max_tenths, std::string_view nouns);

// Words: the space-separated list as words; spaces never occur inside a GBK character, so a
// plain byte split is safe. Example: Words("毛衣 围巾") gives {"毛衣", "围巾"}.
std::vector<std::string> Words(std::string_view list);

// SpacedName: the words as a shop writes a name, with spaces between some of them.
// Example: {"韩版", "加厚", "毛衣"} may give "韩版 加厚毛衣".
std::string SpacedName(Rng& rng, const std::vector<std::string>& words);

// BrokenName: the name as a hand-edited page has it, broken over lines with CR LF and
// indentation. Example: {"新款", "T恤"} gives "\r\n    新款 T恤\r\n    ".
std::string BrokenName(const std::vector<std::string>& words);

// WithoutBlanks: text without its space, CR and LF bytes; none of them can be the second byte
// of a GBK character. Example: WithoutBlanks("新款 T恤\r\n") == "新款T恤".
std::string WithoutBlanks(std::string_view text);

// MoneyText: tenths of a yuan as a shop shows them. Example: 199 gives "19.9", 200 gives "20".
std::string MoneyText(int tenths);

// MoneyCents: tenths of a yuan with two decimals. Example: 399 gives "39.90".
std::string MoneyCents(int tenths);

// StatedDiscount: the discount a shop prints, in tenths, one decimal, ".0" left off.
// Example: (99, 399) gives "2.5"; (150, 300) gives "5".
std::string StatedDiscount(int price_tenths, int original_tenths);

// Decimal: n in decimal. Example: Decimal(-3) == "-3".
std::string Decimal(std::int64_t n);

// ItemLink: the item page address of id on the item host.
// Example: ItemLink(123) == "http://item.market.example/item.htm?id=123".
std::string ItemLink(std::int64_t id);

// ImageAddress: the picture of goods at a size. Example: ImageAddress(g, "240x240").
std::string ImageAddress(const Goods& goods, std::string_view size);

// Thumbnails: the small pictures a list shows beside an item, as img elements.
// Example: Thumbnails(g, 3) gives three <img> elements of 60x60 pictures.
std::string Thumbnails(const Goods& goods, int count);

// Pitch: the editor's line a list shows under an item, chosen by the item's id.
// Example: Pitch(g) may give "厂家直供，省去中间环节，品质有保障，支持七天无理由退换货。".
std::string_view Pitch(const Goods& goods);

// ShipsFrom: the place an item ships from, chosen by the item's id. Example: "浙江 杭州".
std::string_view ShipsFrom(const Goods& goods);

// Put: appends the parts to out, one after the other.
void Put(std::string& out, std::initializer_list<std::string_view> parts);

// SpreadOdds: count kinds where each kind of the list stands at its own random place and all
// other places hold Kind{} (the plain item). Example: SpreadOdds(rng, 80, {Odd::kOneChar}).
template <typename Kind>
std::vector<Kind> SpreadOdds(Rng& rng, int count, std::initializer_list<Kind> kinds) {
  std::vector<Kind> out(static_cast<std::size_t>(count), Kind{});
  for (Kind kind : kinds) {
    for (int tries = 0; tries < 64 && count > 0; ++tries) {
      auto at = static_cast<std::size_t>(rng.Between(0, count - 1));
      if (out[at] == Kind{}) {
        out[at] = kind;
        break;
      }
    }
  }
  return out;
}
