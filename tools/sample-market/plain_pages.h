// The small pages around the lists: channel home pages, item pages, the download page.
#pragma once

#include <string>
#include <string_view>

// HomePage: the home page of the host's channel (any other host gets the marketplace's own).
// Example: HomePage("daily.market.example").
std::string HomePage(std::string_view host);

// ItemPage: the page of one item. Example: ItemPage("123456").
std::string ItemPage(std::string_view id);

// DownloadPage: the maker's download page, where the update notice sends the user.
std::string DownloadPage();
