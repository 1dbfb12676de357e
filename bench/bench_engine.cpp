// Engine speed: formula iterations per second of Iterate for each curve type
// on a fixed set of points, and pixels per second of ColourAt over a whole
// 640 x 480 picture for a cheap and a costly catalogue entry; the same again
// through the vector lanes of each instruction set this processor has.

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <vector>

#include "colour/colour_scheme.h"
#include "display/pixel_engine.h"
#include "display/plane_map.h"
#include "fractal/batch.h"
#include "fractal/curve.h"

namespace {

struct Point {
  double x, y;
};

// Makes a curve of one type over the rectangle with a given iteration limit.
using CurveFactory = std::function<std::unique_ptr<CCurve>(int nIterations)>;

struct Subject {
  const char* name;
  CurveFactory make;
  int nIterations;
};

template <class T>
CurveFactory Factory(double x0, double x1, double y0, double y1, double dBailout, double a,
                     double b) {
  return [=](int n) { return std::make_unique<T>(x0, x1, y0, y1, n, dBailout, a, b); };
}

// One catalogue entry per type, with a mid-range threshold.
const Subject kSubjects[] = {
    {"mandelbrot_1", Factory<CMandelbrotCurve>(-1.35, 2.65, -1.5, 1.5, 6, 0, 0), 100},
    {"julia_11", Factory<CJuliaCurve>(-1.2, 1.2, -1.5, 1.5, 6, 0.293568, 0.018938), 300},
    {"dragon_8", Factory<CDragonCurve>(-0.2, 1.2, -0.65, 0.65, 6, 1.646009, 0.967049), 256},
    {"phoenix_4", Factory<CPhoenixCurve>(-1.3, 1.3, -1.1, 1.4, 6, -0.550704, -1.255014), 200},
    {"newton_a-3", Factory<CNewtonCurve>(-3.5, 3.5, -2.5, 2.5, 6, -3, 1), 100},
};

// A 32 x 24 grid over the curve's rectangle.
std::vector<Point> GridPoints(const CCurve& c) {
  std::vector<Point> points;
  for (int j = 0; j < 24; ++j) {
    for (int i = 0; i < 32; ++i) {
      points.push_back({((c.m_x1 - c.m_x0) / 32) * i + c.m_x0, ((c.m_y1 - c.m_y0) / 24) * j + c.m_y0});
    }
  }
  return points;
}

// Tells an inside result from an escape, whatever the curve type.
class CMarkerScheme final : public CColourScheme {
 public:
  COLORREF InsideColour(double) override { return 1; }
  COLORREF CountColour(int n) override { return 2 + static_cast<COLORREF>(n); }
  COLORREF RootColour(int n, int, int) override {
    m_nCount = n;
    return 3;
  }
  int m_nCount = 0;
};

// How many passes of the formula one Iterate call makes at a point: the
// escape index is the smallest limit at which the point is no longer inside.
long long FormulaIterations(const Subject& s, const Point& p) {
  CMarkerScheme scheme;
  const std::unique_ptr<CCurve> full = s.make(s.nIterations);
  if (full->m_nTypeBit == kNewtonType) {
    full->Iterate(p.x, p.y, &scheme);
    return scheme.m_nCount < s.nIterations ? scheme.m_nCount + 1 : s.nIterations;
  }
  if (full->Iterate(p.x, p.y, &scheme) == 1) return s.nIterations;
  int lo = 0, hi = s.nIterations;  // inside with lo passes, not with hi
  while (hi - lo > 1) {
    const int mid = lo + (hi - lo) / 2;
    (s.make(mid)->Iterate(p.x, p.y, &scheme) == 1 ? lo : hi) = mid;
  }
  return hi;
}

void BM_Iterate(benchmark::State& state, const Subject& subject) {
  const std::unique_ptr<CCurve> curve = subject.make(subject.nIterations);
  const std::vector<Point> points = GridPoints(*curve);
  long long nPerPass = 0;
  for (const Point& p : points) nPerPass += FormulaIterations(subject, p);
  CFirestormScheme scheme;
  for (auto _ : state) {
    for (const Point& p : points) benchmark::DoNotOptimize(curve->Iterate(p.x, p.y, &scheme));
  }
  state.counters["formula_iterations"] = benchmark::Counter(
      static_cast<double>(nPerPass), benchmark::Counter::kIsIterationInvariantRate);
  state.SetItemsProcessed(state.iterations() * static_cast<long long>(points.size()));
}

// The scalar formulas alone: Iterate with a scheme that only notes the call.
void BM_IterateFormula(benchmark::State& state, const Subject& subject) {
  const std::unique_ptr<CCurve> curve = subject.make(subject.nIterations);
  const std::vector<Point> points = GridPoints(*curve);
  long long nPerPass = 0;
  for (const Point& p : points) nPerPass += FormulaIterations(subject, p);
  for (auto _ : state) {
    for (const Point& p : points) benchmark::DoNotOptimize(IterateRecorded(*curve, p.x, p.y));
  }
  state.counters["formula_iterations"] = benchmark::Counter(
      static_cast<double>(nPerPass), benchmark::Counter::kIsIterationInvariantRate);
  state.SetItemsProcessed(state.iterations() * static_cast<long long>(points.size()));
}

// Argument 1: the colours too, as Iterate gives them; 0: the formulas alone.
void BM_IterateBatch(benchmark::State& state, const Subject& subject, SimdIsa isa) {
  const std::unique_ptr<CCurve> curve = subject.make(subject.nIterations);
  const std::vector<Point> points = GridPoints(*curve);
  long long nPerPass = 0;
  std::vector<double> xs, ys;
  for (const Point& p : points) {
    nPerPass += FormulaIterations(subject, p);
    xs.push_back(p.x);
    ys.push_back(p.y);
  }
  std::vector<IterationResult> results(points.size());
  CFirestormScheme scheme;
  for (auto _ : state) {
    IterateBatch(*curve, xs.data(), ys.data(), xs.size(), results.data(), isa);
    if (state.range(0))
      for (const IterationResult& r : results) benchmark::DoNotOptimize(ResultColour(r, &scheme));
    benchmark::DoNotOptimize(results.data());
  }
  state.counters["formula_iterations"] = benchmark::Counter(
      static_cast<double>(nPerPass), benchmark::Counter::kIsIterationInvariantRate);
  state.SetItemsProcessed(state.iterations() * static_cast<long long>(points.size()));
}

// A row at a time, as the renderer hands them over.
void BM_EnginePicture(benchmark::State& state, std::unique_ptr<CCurve> curve, SimdIsa isa) {
  CPlaneMap map;
  map.m_nWidth = 640;
  map.m_nHeight = 480;
  map.m_x0 = curve->m_x0;
  map.m_y0 = curve->m_y0;
  map.m_x1 = curve->m_x1;
  map.m_y1 = curve->m_y1;
  map.m_pCurve = curve.get();
  CSchemeVariants variants;
  CMetallicScheme scheme(variants);
  CPixelEngine engine(EngineKind::kVector, 1, isa);
  std::vector<int> xs(640), ys(640);
  std::vector<COLORREF> row(640);
  for (int x = 0; x < 640; ++x) xs[x] = x;
  for (auto _ : state) {
    for (int y = 0; y < 480; ++y) {
      for (int& v : ys) v = y;
      engine.Colours(map, &scheme, xs.data(), ys.data(), 640, row.data());
      benchmark::DoNotOptimize(row.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * 640 * 480);
}

void BM_ColourAtPicture(benchmark::State& state, std::unique_ptr<CCurve> curve) {
  CPlaneMap map;
  map.m_nWidth = 640;
  map.m_nHeight = 480;
  map.m_x0 = curve->m_x0;
  map.m_y0 = curve->m_y0;
  map.m_x1 = curve->m_x1;
  map.m_y1 = curve->m_y1;
  map.m_pCurve = curve.get();
  CSchemeVariants variants;
  CMetallicScheme scheme(variants);
  for (auto _ : state) {
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) benchmark::DoNotOptimize(map.ColourAt(x, y, &scheme));
    }
  }
  state.SetItemsProcessed(state.iterations() * 640 * 480);
}

const bool kRegistered = [] {
  for (const Subject& s : kSubjects) {
    benchmark::RegisterBenchmark((std::string("Iterate/") + s.name).c_str(),
                                 [&s](benchmark::State& st) { BM_Iterate(st, s); });
  }
  for (const Subject& s : kSubjects) {
    benchmark::RegisterBenchmark((std::string("IterateFormula/") + s.name).c_str(),
                                 [&s](benchmark::State& st) { BM_IterateFormula(st, s); });
  }
  // Cheap: Mandelbrot entry 3 (N = 50, few inside points). Costly: entry 13
  // (N = 900, a deep zoom full of inside points).
  benchmark::RegisterBenchmark("ColourAt640x480/cheap_mandelbrot_3", [](benchmark::State& st) {
    BM_ColourAtPicture(st, std::make_unique<CMandelbrotCurve>(0.85, 0.95, -0.35, -0.25, 50, 6, 0, 0));
  })->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("ColourAt640x480/costly_mandelbrot_13", [](benchmark::State& st) {
    BM_ColourAtPicture(
        st, std::make_unique<CMandelbrotCurve>(0.74624, 0.74758, 0.10671, 0.10779, 900, 6, 0, 0));
  })->Unit(benchmark::kMillisecond);
  for (SimdIsa isa : {SimdIsa::kSse2, SimdIsa::kAvx2, SimdIsa::kAvx512}) {
    if (!IsaAvailable(isa)) continue;
    const std::string suffix = std::string("/") + IsaName(isa);
    for (const Subject& s : kSubjects) {
      benchmark::RegisterBenchmark((std::string("IterateBatch/") + s.name + suffix).c_str(),
                                   [&s, isa](benchmark::State& st) { BM_IterateBatch(st, s, isa); })->Arg(1)->Arg(0);
    }
    benchmark::RegisterBenchmark(("Engine640x480/cheap_mandelbrot_3" + suffix).c_str(),
                                 [isa](benchmark::State& st) {
      BM_EnginePicture(st, std::make_unique<CMandelbrotCurve>(0.85, 0.95, -0.35, -0.25, 50, 6, 0, 0), isa);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Engine640x480/costly_mandelbrot_13" + suffix).c_str(),
                                 [isa](benchmark::State& st) {
      BM_EnginePicture(
          st, std::make_unique<CMandelbrotCurve>(0.74624, 0.74758, 0.10671, 0.10779, 900, 6, 0, 0), isa);
    })->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
