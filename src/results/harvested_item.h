#pragma once

#include "text/text.h"

// What a reader hands to the admission filter for one plausible item: six texts shown exactly
// as the reader derived them.
struct HarvestedItem {
  Text title;
  Text originalPrice;
  Text price;
  Text discount;
  Text label;
  Text link;
  // False when the reader computes the discount and the original price reads as 0: the discount
  // column is then empty and no discount limit admits the item.
  bool discountKnown = true;
};
