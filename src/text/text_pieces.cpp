#include "text/text_pieces.h"

#include <cstddef>
#include <cstring>

#include "text/find_text.h"

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// True when stepping character by character from offset from lands on the text's last byte.
bool StepsOntoLastByte(std::string_view text, std::size_t from) {
  std::size_t i = from;
  while (i + 1 < text.size()) i += IsLeadByte(text[i]) ? 2 : 1;
  return i + 1 == text.size();
}

// The offset of the first exact match of target on a character start, stepping from offset
// from, or kNone. Unlike FindText, the walks of SplitText and RemoveAll take a lone lead byte
// at the end for a character of its own, so a one-byte target can still match it there.
std::size_t NextMatch(std::string_view text, std::string_view target, std::size_t from) {
  if (from >= text.size()) return kNone;
  const int pos = FindText(text, target, static_cast<int>(from) + 1, false);
  if (pos != -1) return static_cast<std::size_t>(pos) - 1;
  if (target.size() == 1 && IsLeadByte(target[0]) && text.back() == target[0] &&
      StepsOntoLastByte(text, from)) {
    return text.size() - 1;
  }
  return kNone;
}

}  // namespace

TextViews SplitText(std::string_view text, std::string_view delimiter, std::size_t maxPieces) {
  TextViews pieces;
  if (text.empty() || maxPieces == 0) return pieces;
  if (delimiter.empty()) {
    pieces.push_back(text);
    return pieces;
  }
  std::size_t piece = 0;
  for (std::size_t at; (at = NextMatch(text, delimiter, piece)) != kNone;) {
    pieces.push_back(text.substr(piece, at - piece));
    if (pieces.size() == maxPieces) return pieces;
    piece = at + delimiter.size();
  }
  if (piece < text.size()) pieces.push_back(text.substr(piece));
  return pieces;
}

std::string_view MidText(std::string_view text, int start, int length) {
  if (start < 1 || length < 1) return {};
  const auto offset = static_cast<std::size_t>(start) - 1;
  if (offset >= text.size()) return {};
  return text.substr(offset, static_cast<std::size_t>(length));
}

Text RemoveAll(std::string_view text, std::string_view target) {
  if (text.empty() || target.empty()) return Text(text);
  Text kept;
  kept.reserve(text.size());
  std::size_t from = 0;
  for (std::size_t at; (at = NextMatch(text, target, from)) != kNone;) {
    kept.append(text.substr(from, at - from));
    from = at + target.size();
  }
  if (from < text.size()) kept.append(text.substr(from));
  return kept;
}

Text TrimSpaces(std::string_view text) {
  // Walk by characters so that A1 A1 counts as a space only where it is a character of its own.
  std::size_t first = kNone;
  std::size_t end = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    std::size_t width = 1;
    bool space = b == ' ';
    if (b >= 0x80) {
      if (i + 1 == text.size()) break;  // a lone lead byte at the end is dropped
      width = 2;
      space = b == 0xA1 && static_cast<unsigned char>(text[i + 1]) == 0xA1;
    }
    if (!space) {
      if (first == kNone) first = i;
      end = i + width;
    }
    i += width;
  }
  if (first == kNone) return Text();
  return Text(text.substr(first, end - first));
}

std::string_view BytesToText(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }
