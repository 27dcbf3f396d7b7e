// Which page answers which request: routing on path and query, whatever the host.
#pragma once

#include <cstdint>
#include <string>

#include "http_message.h"

struct RouteContext {
  std::uint64_t seed = 1;
  std::string version_answer = "1.20";
  std::string announced_pages;  // from a pagecount fault; empty: the feed's own count
};

// Route: the answer to request, before any fault shapes it: a list page, a feed page, the
// version text, an item or home page, or a 404 page. Example: a GET of "/ten.htm" gives the
// main 天天特价 list as "text/html; charset=gbk". Thread-safe; pages with items are built once.
HttpResponse Route(const HttpRequest& request, const RouteContext& context);
