#include "text/find_text.h"

#include <string.h>  // memmem

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using Byte = unsigned char;
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

inline Byte Fold(Byte b) { return (b >= 'A' && b <= 'Z') ? static_cast<Byte>(b | 0x20) : b; }

// How common a byte is on the pages searched: markup punctuation most, then the bytes of
// Chinese text, then the rest of the punctuation, then letters and digits.
struct CommonnessTable {
  unsigned char of[256];
  constexpr CommonnessTable() : of() {
    for (int b = 0; b < 256; ++b) {
      const bool letter_or_digit =
          (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9');
      of[b] = b >= 0x80 ? 4 : letter_or_digit ? 2 : 1;
    }
    for (char c : std::string_view("\r\n\t.:;-_'&?#%")) of[static_cast<Byte>(c)] = 3;
    for (char c : std::string_view(" <>\"=/")) of[static_cast<Byte>(c)] = 5;
  }
};
constexpr CommonnessTable kCommonness;

inline int Commonness(Byte b) { return kCommonness.of[b]; }

inline Byte OtherCase(Byte folded) {
  return (folded >= 'a' && folded <= 'z') ? static_cast<Byte>(folded & ~0x20) : folded;
}

// Answers, for offsets that only rise, whether an offset begins a character when the text is
// stepped character by character from the beginning point. Any byte below 0x80 ends a
// character, whether it stands alone or is a second byte, so only the run of high bytes
// directly before an offset decides: an even run means a character start. Each byte is looked
// at no more than once over all calls, which keeps a whole search linear.
class CharStarts {
 public:
  CharStarts(const Byte* text, std::size_t begin) : text_(text), known_(begin) {}

  bool IsStart(std::size_t pos) {
    if (pos < known_) return false;  // the second byte of the character at known_ - 2
    const bool start = HighRunBefore(pos, pos - known_) % 2 == 0;
    known_ = start ? pos : pos + 1;
    return start;
  }

 private:
  // The number of bytes of 0x80 or above directly before pos, counting at most limit of them.
  std::size_t HighRunBefore(std::size_t pos, std::size_t limit) const {
    std::size_t run = 0;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
    while (run + 8 <= limit) {
      std::uint64_t word;
      std::memcpy(&word, text_ + pos - run - 8, 8);
      const std::uint64_t ascii = ~word & kHighBits;
      // The byte nearest to pos is the word's most significant one.
      if (ascii != 0) return run + static_cast<std::size_t>(__builtin_clzll(ascii)) / 8;
      run += 8;
    }
#endif
    while (run < limit && text_[pos - run - 1] >= 0x80) ++run;
    return run;
  }

  const Byte* text_;
  std::size_t known_;  // a character start at or before every offset still to be asked about
};

// One search for target in text, stepping by characters from byte offset begin.
class Searcher {
 public:
  Searcher(const Byte* text, std::size_t size, const Byte* target, std::size_t length,
           std::size_t begin, bool ignore_case)
      : t_(text),
        n_(size),
        p_(target),
        m_(length),
        begin_(begin),
        ignore_case_(ignore_case),
        starts_(text, begin) {}

  // The offset of the first match on a character start, or kNone.
  std::size_t Run() { return ignore_case_ ? RunFolded() : RunExact(); }

 private:
  // A match on a character start ends the search; a lead byte that is the text's last byte
  // ends it without a match (only a one-byte target can get that far).
  std::size_t Accept(std::size_t pos) const {
    return (pos + 1 == n_ && t_[pos] >= 0x80) ? kNone : pos;
  }

  // memmem finds the candidates; a candidate on a second byte sends the search on from the
  // next character start. Many such misses (a hostile page) hand over to the linear scan so
  // that the restarts cannot add up.
  std::size_t RunExact() {
    std::size_t from = begin_;
    std::size_t misses = 0;
    while (n_ - from >= m_) {
      const void* hit = memmem(t_ + from, n_ - from, p_, m_);
      if (hit == nullptr) return kNone;
      const std::size_t pos = static_cast<std::size_t>(static_cast<const Byte*>(hit) - t_);
      if (starts_.IsStart(pos)) return Accept(pos);
      from = pos + 1;
      if (++misses > 64 && misses * 64 > pos - begin_) return RunLinear(from);
    }
    return kNone;
  }

  bool EqualFolded(std::size_t pos) const {
    for (std::size_t k = 0; k < m_; ++k) {
      if (Fold(t_[pos + k]) != Fold(p_[k])) return false;
    }
    return true;
  }

  // Two offsets into the target whose bytes are uncommon on pages, so that few text offsets
  // fit both: the first and the last letter, digit or rare sign, found from either end so that
  // the choice costs next to nothing for the short markers searched again and again.
  void ChooseAnchors(std::size_t* first, std::size_t* second) const {
    std::size_t a = 0;
    while (a < m_ && Commonness(p_[a]) > 2) ++a;
    if (a == m_) a = 0;
    std::size_t b = m_ - 1;
    while (b > a && Commonness(p_[b]) > 2) --b;
    if (b == a) b = a == m_ - 1 ? 0 : m_ - 1;
    *first = a;
    *second = b;
  }

  // Candidates are the offsets whose bytes at the two anchors fit the target's in either letter
  // case, sixteen offsets at a time; each is then compared in full. When the comparisons grow
  // out of proportion to the bytes passed, the linear scan takes over from the next offset.
  std::size_t RunFolded() {
    const std::size_t last = n_ - m_;  // the last offset a match can begin at
    std::size_t a1 = 0;
    std::size_t a2 = 0;
    ChooseAnchors(&a1, &a2);
    // A letter fits in either case exactly when it equals the lower case one with bit 0x20 set.
    const Byte lo1 = Fold(p_[a1]);
    const Byte lo2 = Fold(p_[a2]);
    const Byte set1 = OtherCase(lo1) != lo1 ? 0x20 : 0;
    const Byte set2 = OtherCase(lo2) != lo2 ? 0x20 : 0;
    std::size_t work = 0;
    std::size_t pos = begin_;
    std::size_t result = kNone;
    // Returns true when the search is decided (result set) or must switch to the scan.
    auto candidate = [&](std::size_t at) {
      if (EqualFolded(at) && starts_.IsStart(at)) {
        result = Accept(at);
        return true;
      }
      work += m_;
      if (work > 1024 + 4 * (at - begin_)) {
        result = RunLinear(at + 1);
        return true;
      }
      return false;
    };
#if defined(__SSE2__)
    const __m128i want1 = _mm_set1_epi8(static_cast<char>(lo1));
    const __m128i want2 = _mm_set1_epi8(static_cast<char>(lo2));
    const __m128i or1 = _mm_set1_epi8(static_cast<char>(set1));
    const __m128i or2 = _mm_set1_epi8(static_cast<char>(set2));
    for (; pos + 15 <= last; pos += 16) {
      const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t_ + pos + a1));
      const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t_ + pos + a2));
      const __m128i fit = _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(x, or1), want1),
                                        _mm_cmpeq_epi8(_mm_or_si128(y, or2), want2));
      unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(fit));
      while (mask != 0) {
        const std::size_t at = pos + static_cast<std::size_t>(__builtin_ctz(mask));
        mask &= mask - 1;
        if (candidate(at)) return result;
      }
    }
#endif
    for (; pos <= last; ++pos) {
      if ((t_[pos + a1] | set1) == lo1 && (t_[pos + a2] | set2) == lo2 && candidate(pos)) {
        return result;
      }
    }
    return kNone;
  }

  Byte At(std::size_t i) const { return ignore_case_ ? Fold(t_[i]) : t_[i]; }
  Byte TargetAt(std::size_t i) const { return ignore_case_ ? Fold(p_[i]) : p_[i]; }

  // Knuth-Morris-Pratt from offset from on: every byte once, whatever the page holds.
  std::size_t RunLinear(std::size_t from) {
    std::vector<std::size_t> border(m_, 0);
    for (std::size_t i = 1, k = 0; i < m_; ++i) {
      while (k > 0 && TargetAt(i) != TargetAt(k)) k = border[k - 1];
      if (TargetAt(i) == TargetAt(k)) ++k;
      border[i] = k;
    }
    std::size_t k = 0;
    for (std::size_t i = from; i < n_; ++i) {
      while (k > 0 && At(i) != TargetAt(k)) k = border[k - 1];
      if (At(i) == TargetAt(k)) ++k;
      if (k == m_) {
        const std::size_t pos = i + 1 - m_;
        if (starts_.IsStart(pos)) return Accept(pos);
        k = border[k - 1];
      }
    }
    return kNone;
  }

  const Byte* t_;
  std::size_t n_;
  const Byte* p_;
  std::size_t m_;
  std::size_t begin_;
  bool ignore_case_;
  CharStarts starts_;
};

}  // namespace

int FindText(std::string_view text, std::string_view target, int start, bool ignoreCase) {
  const std::size_t begin = start >= 2 ? static_cast<std::size_t>(start) - 1 : 0;
  if (begin >= text.size()) return -1;
  if (target.empty()) return 1;
  if (target.size() > text.size() - begin) return -1;
  Searcher searcher(reinterpret_cast<const Byte*>(text.data()), text.size(),
                    reinterpret_cast<const Byte*>(target.data()), target.size(), begin, ignoreCase);
  const std::size_t pos = searcher.Run();
  return pos == kNone ? -1 : static_cast<int>(pos + 1);
}
