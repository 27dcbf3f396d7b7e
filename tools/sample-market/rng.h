// The deterministic number source behind every generated page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Rng: splitmix64, chosen because it is tiny and gives the same numbers on every machine, so a
// seed names the same bytes everywhere. Example: Rng r(7); r.Between(1, 6) is always the same.
class Rng {
 public:
  explicit Rng(std::uint64_t state) : state_(state) {}

  // Next: the next 64 random bits.
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // Between: an integer in [lo, hi], both included (lo <= hi). Example: Between(60, 100).
  int Between(int lo, int hi) {
    return lo + static_cast<int>(Next() % static_cast<std::uint64_t>(hi - lo + 1));
  }

  // Percent: true with a chance of p in a hundred. Example: Percent(20).
  bool Percent(int p) { return Between(1, 100) <= p; }

  // Pick: one element of a fixed array. Example: Pick(kNouns).
  template <typename T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Next() % N];
  }

 private:
  std::uint64_t state_;
};

// StreamKey: the starting state of one page's numbers, from the seed, a tag naming the kind of
// page and the page's number, so pages do not depend on the order in which they are asked for.
// Example: Rng rng(StreamKey(seed, "jiu", 3));
inline std::uint64_t StreamKey(std::uint64_t seed, std::string_view tag, std::int64_t number) {
  std::uint64_t h = 1469598103934665603ull;
  for (unsigned char c : tag) {
    h ^= c;
    h *= 1099511628211ull;
  }
  Rng mix(seed * 0xD1B54A32D192ED03ull ^ h ^
          (static_cast<std::uint64_t>(number) * 0xD6E8FEB86659FD93ull));
  return mix.Next();
}
