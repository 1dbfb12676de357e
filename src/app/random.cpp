#include "app/random.h"

#include <cstdint>


namespace {
thread_local std::uint32_t t_state = 1;
}

int Rand() { return RandFrom(t_state); }

std::uint32_t& RandState() { return t_state; }

void SRand(unsigned int seed) { t_state = seed; }

