// Test printing of GBK texts: a failing comparison shows the text as UTF-8 followed by its bytes
// in hex, "新款" [D0 C2 BF EE], rather than a row of escaped bytes.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "text/gbk.h"
#include "text/text.h"

// A text compared and printed in tests. Shown(RemoveAll(...)) == Shown("新款").
struct ShownText {
  std::string bytes;
  friend bool operator==(const ShownText&, const ShownText&) = default;
};

inline ShownText Shown(std::string_view text) { return ShownText{std::string(text)}; }

inline std::vector<ShownText> Shown(const TextViews& texts) {
  std::vector<ShownText> shown;
  for (std::string_view text : texts) shown.push_back(Shown(text));
  return shown;
}

inline std::vector<ShownText> Shown(std::initializer_list<std::string_view> texts) {
  std::vector<ShownText> shown;
  for (std::string_view text : texts) shown.push_back(Shown(text));
  return shown;
}

// The bytes in hex, "D0 C2 BF EE".
inline std::string HexBytes(std::string_view bytes) {
  std::string hex;
  for (unsigned char b : bytes) {
    char two[4];
    std::snprintf(two, sizeof two, "%02X", b);
    if (!hex.empty()) hex += ' ';
    hex += two;
  }
  return hex;
}

inline void PrintTo(const ShownText& text, std::ostream* os) {
  *os << '"' << GbkToUtf8(text.bytes) << "\" [" << HexBytes(text.bytes) << ']';
}
