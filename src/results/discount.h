#pragma once

#include <string_view>

#include "text/text.h"

struct ComputedDiscount {
  Text text;
  bool known = true;
};

// ComputeDiscount: the price in tenths of the original price, from the integer parts of both
// texts, rounded to one place: RealToText(RoundTo(p * 10.0 / o, 1)). With padOneByte a one-byte
// result gets ".0" appended (15 over 30 gives "5.0"; 20 over 20 gives "10"). An original price
// that reads as 0 has no discount: the text is empty and known is false, so that no "inf" or
// "nan" ever stands in a row and no discount limit admits the item.
ComputedDiscount ComputeDiscount(std::string_view price, std::string_view originalPrice,
                                 bool padOneByte);
