#pragma once

#include <cstdint>

// n % d for the generator's 15-bit numbers without a division, which costs
// more than the rest of a pixel-order step: with m = ceil(2^32 / d), the
// quotient is (n x m) >> 32, exact for every n < 2^15 and d <= 2^17 (the
// error of m is below d, so it adds less than n x d / 2^32 < 1/2 to n / d).
constexpr int kSmallModuloMaxDivisor = 1 << 17;

constexpr std::uint64_t SmallModuloFactor(int d) {
  return ((std::uint64_t{1} << 32) + static_cast<std::uint64_t>(d) - 1) / static_cast<std::uint64_t>(d);
}

constexpr int SmallModulo(int n, int d, std::uint64_t factor) {
  const int q = static_cast<int>((static_cast<std::uint64_t>(n) * factor) >> 32);
  return n - q * d;
}
