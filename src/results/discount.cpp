#include "results/discount.h"

#include "text/text_numbers.h"

ComputedDiscount ComputeDiscount(std::string_view price, std::string_view originalPrice,
                                 bool padOneByte) {
  const int p = TextToInt(price);
  const int o = TextToInt(originalPrice);
  if (o == 0) return {Text(), false};
  Text text = RealToText(RoundTo(p * 10.0 / o, 1));
  if (padOneByte && text.size() == 1) text += ".0";
  return {text, true};
}
