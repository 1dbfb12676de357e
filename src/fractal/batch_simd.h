#pragma once

#include <cstddef>

#include "fractal/batch.h"

// The lanes of each instruction set, for the dispatcher only. nType is the
// curve's formula bit; its iteration limit is at least 1.
#if defined(__SSE2__)
void IterateLanesSse2(int nType, const CCurve& c, const double* xs, const double* ys, std::size_t n,
                      IterationResult* out);
#if defined(__x86_64__)
void IterateLanesAvx2(int nType, const CCurve& c, const double* xs, const double* ys, std::size_t n,
                      IterationResult* out);
void IterateLanesAvx512(int nType, const CCurve& c, const double* xs, const double* ys,
                        std::size_t n, IterationResult* out);
#endif
#endif
