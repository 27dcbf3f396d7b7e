#include "text/text_between.h"

#include <cstddef>
#include <optional>

#include "text/find_text.h"
#include "text/text_pieces.h"

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

inline unsigned char Fold(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b | 0x20) : b;
}

// True when stepping through marker character by character ends exactly at its end. Matches
// of such a marker leave the text's character steps where they were, so the byte after a match
// is a character start of the search that found it.
bool IsWholeCharacters(std::string_view marker) {
  std::size_t i = 0;
  while (i < marker.size()) i += IsLeadByte(marker[i]) ? 2 : 1;
  return i == marker.size();
}

// The offset of the last occurrence of marker, letter case ignored, on any byte whatever the
// character steps; kNone when there is none.
std::size_t LastOccurrenceOnAnyByte(std::string_view text, std::string_view marker) {
  if (marker.size() > text.size()) return kNone;
  for (std::size_t pos = text.size() - marker.size() + 1; pos-- > 0;) {
    std::size_t k = 0;
    while (k < marker.size() && Fold(text[pos + k]) == Fold(marker[k])) ++k;
    if (k == marker.size()) return pos;
  }
  return kNone;
}

// Walks the fragments of a text one by one, exactly as the plain loop would (find the left
// marker from p, move p past it, find the right marker from p, take what lies between, search
// the next left marker from p again), without its quadratic cost on hostile pages:
// - many left markers before one far right marker: the right marker found for an earlier p is
//   still the first one for a later p that lies before it, so it is not searched again;
// - no right marker after p: none can follow a later left marker either, so the walk ends.
// Both shortcuts need the later p to be a character start of the earlier search, which holds
// when the left marker is made of whole characters; otherwise the walk searches afresh and ends
// only when the right marker does not occur after p on any byte.
class FragmentWalk {
 public:
  FragmentWalk(std::string_view text, std::string_view left, std::string_view right)
      : text_(text), left_(left), right_(right), left_whole_(IsWholeCharacters(left)) {}

  std::optional<std::string_view> Next() {
    while (!done_) {
      const int at = FindText(text_, left_, p_, true);
      if (at == -1) break;
      // An empty left marker is found at position 1 again and again: one round is all it has.
      if (left_.empty()) done_ = true;
      p_ = at + TextLength(left_);
      const int q = FirstRightFromP();
      if (q != -1) return MidText(text_, p_, q - p_);
      if (NoRightCanFollow()) break;
    }
    done_ = true;
    return std::nullopt;
  }

 private:
  int FirstRightFromP() {
    if (left_whole_ && !right_.empty() && known_right_ != -1 && known_right_ >= p_) {
      return known_right_;
    }
    known_right_ = FindText(text_, right_, p_, true);
    return known_right_;
  }

  bool NoRightCanFollow() {
    if (static_cast<std::size_t>(p_) > text_.size()) return true;
    if (left_whole_) return true;
    if (!last_right_found_) {
      last_right_ = LastOccurrenceOnAnyByte(text_, right_);
      last_right_found_ = true;
    }
    return last_right_ == kNone || last_right_ + 1 < static_cast<std::size_t>(p_);
  }

  std::string_view text_;
  std::string_view left_;
  std::string_view right_;
  bool left_whole_;
  int p_ = 0;
  int known_right_ = -1;  // the first right marker found from an earlier p, or -1
  bool last_right_found_ = false;
  std::size_t last_right_ = kNone;
  bool done_ = false;
};

}  // namespace

TextViews TextBetweenAll(std::string_view text, std::string_view left, std::string_view right,
                         std::size_t maxFragments) {
  TextViews fragments;
  FragmentWalk walk(text, left, right);
  while (fragments.size() < maxFragments) {
    const auto fragment = walk.Next();
    if (!fragment) break;
    fragments.push_back(*fragment);
  }
  return fragments;
}

std::string_view TextBetween(std::string_view text, std::string_view left, std::string_view right) {
  FragmentWalk walk(text, left, right);
  return walk.Next().value_or(std::string_view());
}
