#pragma once

// The slide show's one random source. It is our own linear congruential
// generator so that every platform draws the same pictures from the same
// seed; the C library's rand differs between runtimes. Each thread has its
// own state, 1 until that thread seeds it.

constexpr int kRandMax = 0x7FFF;

int Rand();
void SRand(unsigned int seed);

