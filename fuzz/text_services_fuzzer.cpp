// Every text service on arbitrary bytes: the input is cut into a text and two markers.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/find_text.h"
#include "text/text_between.h"
#include "text/text_numbers.h"
#include "text/text_pieces.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::string_view all(reinterpret_cast<const char*>(data), size);
  const std::size_t leftLen = data[0] % 8;
  const std::size_t rightLen = data[1] % 8;
  const int start = static_cast<signed char>(data[2]);
  std::string_view rest = all.substr(3);
  const std::string_view left = rest.substr(0, leftLen);
  rest.remove_prefix(left.size());
  const std::string_view right = rest.substr(0, rightLen);
  rest.remove_prefix(right.size());
  const std::string_view text = rest;

  FindText(text, left, start, false);
  FindText(text, left, start, true);
  TextBetween(text, left, right);
  for (std::string_view piece : TextBetweenAll(text, left, right)) {
    if (!piece.empty() &&
        (piece.data() < text.data() || piece.data() + piece.size() > text.data() + text.size())) {
      __builtin_trap();  // a fragment must lie inside its text
    }
  }
  SplitText(text, left);
  MidText(text, start, static_cast<int>(rightLen));
  RemoveAll(text, left);
  TrimSpaces(text);
  BytesToText(text);
  TextToInt(text);
  const double number = TextToNumber(text);
  RealToText(number);
  RealToText(RoundTo(number, 1));
  TextToInt(number);
  return 0;
}
