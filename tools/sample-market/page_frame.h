// What every generated HTML page has around its list: head, scripts, navigation, footer.
#pragma once

#include <string>
#include <string_view>

struct Frame {
  std::string_view host;      // the channel's own host, for its static and page addresses
  std::string_view site;      // the channel's name, GBK
  std::string_view title;     // the document title, GBK
  std::string_view keywords;  // GBK
  int active_nav = 0;         // the navigation entry shown as current
};

// FrameTop: from the doctype through the head, the top bar, the search form and the
// navigation. Holds none of the markers the list readers look for.
std::string FrameTop(const Frame& frame);

// FrameBottom: the footer's help lists, friend links, copyright, closing scripts and the end
// of the document ("</body></html>"). Holds none of the markers the list readers look for.
std::string FrameBottom(const Frame& frame);
