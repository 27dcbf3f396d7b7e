// The clearance feed's product categories: the ids the three clearance panels ask for.
#pragma once

#include <span>
#include <string_view>

struct FeedCategory {
  const char* id;       // the catId of the feed address, decimal text
  const char* caption;  // GBK, as the panels label it
  const char* nouns;    // GBK, space-separated, the words its goods are named from
};

// FeedCategories: every category of the three panels, panel by panel in run order.
std::span<const FeedCategory> FeedCategories();

// FindFeedCategory: the category with this id, or nullptr. Example: FindFeedCategory("30").
const FeedCategory* FindFeedCategory(std::string_view id);
