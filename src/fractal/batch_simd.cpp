// The vector lanes of the batched engine, one copy per instruction set. The
// wider sets are compiled for these functions only (target pragmas) and
// chosen at run time, so the program still runs without them.

#if defined(__SSE2__)
#include <emmintrin.h>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include <array>
#include <atomic>
#include <cstddef>
#include <utility>

#include "fractal/batch_simd.h"
#include "fractal/curve.h"
#include "fractal/formulas.h"

namespace {

// Read from memory on every step: the window thread clears it to stop a batch.
inline bool StillRunning(const std::atomic<int>& bRunning) {
  return bRunning.load(std::memory_order_relaxed) != 0;
}

}  // namespace

namespace batch_sse2 {
using N = __m128d;
constexpr int kW = 2;
__attribute__((always_inline)) inline N Add(N a, N b) { return _mm_add_pd(a, b); }
__attribute__((always_inline)) inline N Sub(N a, N b) { return _mm_sub_pd(a, b); }
__attribute__((always_inline)) inline N Mul(N a, N b) { return _mm_mul_pd(a, b); }
__attribute__((always_inline)) inline N Div(N a, N b) { return _mm_div_pd(a, b); }
__attribute__((always_inline)) inline N Max(N a, N b) { return _mm_max_pd(a, b); }
__attribute__((always_inline)) inline N Set1(double v) { return _mm_set1_pd(v); }
__attribute__((always_inline)) inline N Load(const double* p) { return _mm_loadu_pd(p); }
__attribute__((always_inline)) inline void Store(double* p, N v) { _mm_storeu_pd(p, v); }
__attribute__((always_inline)) inline unsigned MaskGt(N a, N b) {
  return static_cast<unsigned>(_mm_movemask_pd(_mm_cmpgt_pd(a, b)));
}
__attribute__((always_inline)) inline unsigned MaskLt(N a, N b) {
  return static_cast<unsigned>(_mm_movemask_pd(_mm_cmplt_pd(a, b)));
}
__attribute__((always_inline)) inline N Blend(N old, unsigned m, N c) {
  switch (m) {
    case 1: return _mm_move_sd(old, c);
    case 2: return _mm_move_sd(c, old);
    case 3: return c;
    default: return old;
  }
}
__attribute__((always_inline)) inline N Expand(N old, unsigned m, const double* p) {
  switch (m) {
    case 1: return _mm_loadl_pd(old, p);
    case 2: return _mm_loadh_pd(old, p);
    case 3: return _mm_loadu_pd(p);
    default: return old;
  }
}
#include "fractal/batch_kernels.inc"
}  // namespace batch_sse2

void IterateLanesSse2(std::size_t nFormula, const CCurve& c, const double* xs,
                      const double* ys, std::size_t n, IterationResult* out) {
  batch_sse2::IterateLanes(nFormula, c, xs, ys, n, out);
}

#if defined(__x86_64__)

#pragma GCC push_options
#pragma GCC target("avx2")
namespace batch_avx2 {
using N = __m256d;
constexpr int kW = 4;
__attribute__((always_inline)) inline N Add(N a, N b) { return _mm256_add_pd(a, b); }
__attribute__((always_inline)) inline N Sub(N a, N b) { return _mm256_sub_pd(a, b); }
__attribute__((always_inline)) inline N Mul(N a, N b) { return _mm256_mul_pd(a, b); }
__attribute__((always_inline)) inline N Div(N a, N b) { return _mm256_div_pd(a, b); }
__attribute__((always_inline)) inline N Max(N a, N b) { return _mm256_max_pd(a, b); }
__attribute__((always_inline)) inline N Set1(double v) { return _mm256_set1_pd(v); }
__attribute__((always_inline)) inline N Load(const double* p) { return _mm256_loadu_pd(p); }
__attribute__((always_inline)) inline void Store(double* p, N v) { _mm256_storeu_pd(p, v); }
__attribute__((always_inline)) inline unsigned MaskGt(N a, N b) {
  return static_cast<unsigned>(_mm256_movemask_pd(_mm256_cmp_pd(a, b, _CMP_GT_OQ)));
}
__attribute__((always_inline)) inline unsigned MaskLt(N a, N b) {
  return static_cast<unsigned>(_mm256_movemask_pd(_mm256_cmp_pd(a, b, _CMP_LT_OQ)));
}
__attribute__((always_inline)) inline N Blend(N old, unsigned m, N c) {
  const __m256i bits = _mm256_setr_epi64x(1, 2, 4, 8);
  const __m256i chosen = _mm256_cmpeq_epi64(_mm256_and_si256(_mm256_set1_epi64x(m), bits), bits);
  return _mm256_blendv_pd(old, c, _mm256_castsi256_pd(chosen));
}
// No expanding load below AVX-512: the lanes go through memory.
__attribute__((always_inline)) inline N Expand(N old, unsigned m, const double* p) {
  if (m == 0) return old;
  double lanes[kW];
  _mm256_storeu_pd(lanes, old);
  for (int l = 0; l < kW; ++l)
    if (m & (1u << l)) lanes[l] = *p++;
  return _mm256_loadu_pd(lanes);
}
#include "fractal/batch_kernels.inc"
}  // namespace batch_avx2

void IterateLanesAvx2(std::size_t nFormula, const CCurve& c, const double* xs,
                      const double* ys, std::size_t n, IterationResult* out) {
  batch_avx2::IterateLanes(nFormula, c, xs, ys, n, out);
}
#pragma GCC pop_options

#pragma GCC push_options
#pragma GCC target("avx512f")
namespace batch_avx512 {
using N = __m512d;
constexpr int kW = 8;
__attribute__((always_inline)) inline N Add(N a, N b) { return _mm512_add_pd(a, b); }
__attribute__((always_inline)) inline N Sub(N a, N b) { return _mm512_sub_pd(a, b); }
__attribute__((always_inline)) inline N Mul(N a, N b) { return _mm512_mul_pd(a, b); }
__attribute__((always_inline)) inline N Div(N a, N b) { return _mm512_div_pd(a, b); }
__attribute__((always_inline)) inline N Max(N a, N b) { return _mm512_maskz_max_pd(0xFF, a, b); }
__attribute__((always_inline)) inline N Set1(double v) { return _mm512_set1_pd(v); }
__attribute__((always_inline)) inline N Load(const double* p) { return _mm512_loadu_pd(p); }
__attribute__((always_inline)) inline void Store(double* p, N v) { _mm512_storeu_pd(p, v); }
__attribute__((always_inline)) inline unsigned MaskGt(N a, N b) {
  return static_cast<unsigned>(_mm512_cmp_pd_mask(a, b, _CMP_GT_OQ));
}
__attribute__((always_inline)) inline unsigned MaskLt(N a, N b) {
  return static_cast<unsigned>(_mm512_cmp_pd_mask(a, b, _CMP_LT_OQ));
}
__attribute__((always_inline)) inline N Blend(N old, unsigned m, N c) {
  return _mm512_mask_mov_pd(old, static_cast<__mmask8>(m), c);
}
// A masked load reads no further than the points there are.
__attribute__((always_inline)) inline N Expand(N old, unsigned m, const double* p) {
  const N loaded = _mm512_maskz_loadu_pd(static_cast<__mmask8>((1u << __builtin_popcount(m)) - 1), p);
  return _mm512_mask_expand_pd(old, static_cast<__mmask8>(m), loaded);
}
#include "fractal/batch_kernels.inc"
}  // namespace batch_avx512

void IterateLanesAvx512(std::size_t nFormula, const CCurve& c, const double* xs,
                        const double* ys, std::size_t n, IterationResult* out) {
  batch_avx512::IterateLanes(nFormula, c, xs, ys, n, out);
}
#pragma GCC pop_options

#endif
#endif
