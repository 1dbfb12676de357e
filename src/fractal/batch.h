#pragma once

#include <cstddef>
#include <cstdint>

#include "colour/colour.h"

class CCurve;
class CColourScheme;

// What one Iterate call asks of its colour scheme, kept apart from the scheme
// so that the formulas can run on other threads or in vector lanes while the
// scheme (whose objects carry per-call state) is still called in pixel order.
struct IterationResult {
  enum Kind : std::int32_t { kBlack, kInside, kCount, kRoot };
  std::int32_t nKind = kBlack;  // kBlack: Iterate returned 0 without a scheme call
  std::int32_t nCount = 0;
  std::int32_t nRoots = 0;
  std::int32_t nRoot = 0;
  double dModulus = 0.0;
};

// The colour Iterate would have returned for this result.
COLORREF ResultColour(const IterationResult& result, CColourScheme* pScheme);

// The scalar reference: Iterate itself, its scheme call noted by a stand-in
// scheme instead of answered, so that it can run on any thread.
IterationResult IterateRecorded(const CCurve& curve, double x, double y);

enum class SimdIsa { kSse2, kAvx2, kAvx512 };

const char* IsaName(SimdIsa isa);
// Compiled into this build and supported by this processor and system.
bool IsaAvailable(SimdIsa isa);
// The widest available one.
SimdIsa BestIsa();
// Points iterated side by side: the vector width times the independent
// vectors interleaved to hide the latency of each iterate's chain.
int IsaLanes(SimdIsa isa);

// One of the formulas of fractal/formulas.h (anything else goes through Iterate).
bool HasBatchFormula(const CCurve& curve);

// out[i] = what Iterate gives at (xs[i], ys[i]), bit for bit, computed in
// vector lanes. Reads the keep-running flag once per iteration step; once it
// is clear every point not yet finished gets kBlack, as Iterate returns 0.
// Curves without a batch formula are iterated one by one.
void IterateBatch(const CCurve& curve, const double* xs, const double* ys, std::size_t n,
                  IterationResult* out, SimdIsa isa);
