#include "results/discount.h"

#include <gtest/gtest.h>

namespace {

struct DiscountCase {
  const char* price;
  const char* original;
  bool pad;
  const char* text;
  bool known;
};

TEST(ComputeDiscountTest, FromIntegerPartsRoundedToOnePlace) {
  const DiscountCase cases[] = {
      {"19.9", "39.9", true, "4.9", true},  // 19 / 39 = 0.487...
      {"15", "30", true, "5.0", true},      // one byte gets ".0"
      {"15", "30", false, "5", true},       // the feed's form: nothing appended
      {"20", "20", true, "10", true},
      {"500积分", "39.9", true, "128.2", true},
      {"10", "59", true, "1.7", true},
      {"", "59", true, "0.0", true},
      {"29.9", "99", true, "2.9", true},
      {"39.90", "99.00", false, "3.9", true},
      // An original price that reads as 0: no number at all rather than inf or nan.
      {"19.9", "", true, "", false},
      {"0", "0", true, "", false},
      {"19", "abc", false, "", false},
  };
  for (const DiscountCase& k : cases) {
    const ComputedDiscount d = ComputeDiscount(k.price, k.original, k.pad);
    EXPECT_EQ(d.text, k.text) << k.price << " / " << k.original;
    EXPECT_EQ(d.known, k.known) << k.price << " / " << k.original;
  }
}

}  // namespace
