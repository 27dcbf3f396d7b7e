#pragma once

#include <string_view>

#include "text/text.h"

// TextBetweenAll: for every left marker that has a right marker after it, the fragment from just
// after the left marker to the first right marker after it. Markers match with ASCII case
// ignored; the next left marker is searched from just after the current left marker, so
// fragments can overlap: "L x L y R" gives "x L y" and "y". At most maxFragments, the first ones.
TextViews TextBetweenAll(std::string_view text, std::string_view left, std::string_view right,
                         std::size_t maxFragments = static_cast<std::size_t>(-1));

// TextBetween: the first fragment of TextBetweenAll, or the empty text. Copies nothing but
// the fragment it returns.
std::string_view TextBetween(std::string_view text, std::string_view left, std::string_view right);
