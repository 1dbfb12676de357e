#pragma once

// The slide show's one random source. It is our own linear congruential
// generator so that every platform draws the same pictures from the same
// seed; the C library's rand differs between runtimes. Each thread has its
// own state, 1 until that thread seeds it.

#include <cstdint>

constexpr int kRandMax = 0x7FFF;

int Rand();
void SRand(unsigned int seed);

// The calling thread's state, for code that draws several numbers in a row:
// where thread-local storage is emulated (MinGW), every Rand() looks the
// state up through the runtime, under a lock.
std::uint32_t& RandState();
// Rand() on a state looked up once; the same sequence.
inline int RandFrom(std::uint32_t& state) {
  state = state * 214013u + 2531011u;
  return static_cast<int>((state >> 16) & 0x7FFFu);
}

