#pragma once

#include <cstddef>

#include "fractal/batch.h"

// The lanes of each instruction set, for the dispatcher only. nFormula is the
// curve's row in kFormulas; its iteration limit is at least 1.
#if defined(__SSE2__)
void IterateLanesSse2(std::size_t nFormula, const CCurve& c, const double* xs,
                      const double* ys, std::size_t n, IterationResult* out);
#if defined(__x86_64__)
void IterateLanesAvx2(std::size_t nFormula, const CCurve& c, const double* xs,
                      const double* ys, std::size_t n, IterationResult* out);
void IterateLanesAvx512(std::size_t nFormula, const CCurve& c, const double* xs,
                        const double* ys, std::size_t n, IterationResult* out);
#endif
#endif
