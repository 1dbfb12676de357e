#include "fractal/batch.h"

#include "colour/colour_scheme.h"
#include "fractal/batch_simd.h"
#include "fractal/curve.h"
#include "fractal/formulas.h"

namespace {

class CResultRecorder final : public CColourScheme {
 public:
  COLORREF InsideColour(double dModulus) override {
    m_result.nKind = IterationResult::kInside;
    m_result.dModulus = dModulus;
    return 0;
  }
  COLORREF CountColour(int nCount) override {
    m_result.nKind = IterationResult::kCount;
    m_result.nCount = nCount;
    return 0;
  }
  COLORREF RootColour(int nCount, int nRoots, int nRoot) override {
    m_result.nKind = IterationResult::kRoot;
    m_result.nCount = nCount;
    m_result.nRoots = nRoots;
    m_result.nRoot = nRoot;
    return 0;
  }
  IterationResult m_result;
};

bool ProcessorHas(SimdIsa isa) {
#if defined(__x86_64__)
  // Checks the operating system's register saving as well as the processor.
  __builtin_cpu_init();
  if (isa == SimdIsa::kAvx2) return __builtin_cpu_supports("avx2");
  if (isa == SimdIsa::kAvx512) return __builtin_cpu_supports("avx512f");
  return true;
#elif defined(__SSE2__)
  return isa == SimdIsa::kSse2;
#else
  (void)isa;
  return false;
#endif
}

}  // namespace

COLORREF ResultColour(const IterationResult& r, CColourScheme* pScheme) {
  switch (r.nKind) {
    case IterationResult::kInside: return pScheme->InsideColour(r.dModulus);
    case IterationResult::kCount: return pScheme->CountColour(r.nCount);
    case IterationResult::kRoot: return pScheme->RootColour(r.nCount, r.nRoots, r.nRoot);
    default: return 0;
  }
}

IterationResult IterateRecorded(const CCurve& curve, double x, double y) {
  CResultRecorder recorder;
  curve.Iterate(x, y, &recorder);
  return recorder.m_result;
}

const char* IsaName(SimdIsa isa) {
  switch (isa) {
    case SimdIsa::kAvx2: return "avx2";
    case SimdIsa::kAvx512: return "avx512";
    default: return "sse2";
  }
}

bool IsaAvailable(SimdIsa isa) {
  static const bool available[3] = {ProcessorHas(SimdIsa::kSse2), ProcessorHas(SimdIsa::kAvx2),
                                    ProcessorHas(SimdIsa::kAvx512)};
  return available[static_cast<int>(isa)];
}

SimdIsa BestIsa() {
  if (IsaAvailable(SimdIsa::kAvx512)) return SimdIsa::kAvx512;
  if (IsaAvailable(SimdIsa::kAvx2)) return SimdIsa::kAvx2;
  return SimdIsa::kSse2;
}

int IsaLanes(SimdIsa isa) {
  switch (isa) {
    case SimdIsa::kAvx2: return 8;
    case SimdIsa::kAvx512: return 16;
    default: return 4;
  }
}

bool HasBatchFormula(const CCurve& curve) { return FormulaOfCurve(curve) != nullptr; }

void IterateBatch(const CCurve& curve, const double* xs, const double* ys, std::size_t n,
                  IterationResult* out, SimdIsa isa) {
  const CFormula* pFormula = FormulaOfCurve(curve);
  // No iteration means no flag read and no lanes worth filling.
  if (pFormula == nullptr || curve.m_nIterations < 1 || !IsaAvailable(isa)) {
    for (std::size_t i = 0; i < n; ++i) out[i] = IterateRecorded(curve, xs[i], ys[i]);
    return;
  }
  const auto nFormula = static_cast<std::size_t>(pFormula - kFormulas);
  switch (isa) {
#if defined(__x86_64__)
    case SimdIsa::kAvx512: IterateLanesAvx512(nFormula, curve, xs, ys, n, out); break;
    case SimdIsa::kAvx2: IterateLanesAvx2(nFormula, curve, xs, ys, n, out); break;
#endif
#if defined(__SSE2__)
    default: IterateLanesSse2(nFormula, curve, xs, ys, n, out); break;
#else
    default: break;
#endif
  }
}
