#pragma once
// The generator's source of variety: a fixed-seed splitmix64 with integer-only helpers, so that the
// generated scenario files are the same bytes on every run, compiler and standard library.
#include <cstdint>

namespace vorandel::gendata {

class Prng {
 public:
  explicit Prng(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // A number in lo..hi, both included; hi must not be below lo.
  int between(int lo, int hi) {
    const std::uint64_t span = static_cast<std::uint64_t>(hi - lo) + 1;
    return lo + static_cast<int>(next() % span);
  }

  // A number in 0..n-1; n must be positive.
  int below(int n) { return between(0, n - 1); }

  // True in about percent out of 100 calls.
  bool chance(int percent) { return below(100) < percent; }

 private:
  std::uint64_t state_;
};

}  // namespace vorandel::gendata
