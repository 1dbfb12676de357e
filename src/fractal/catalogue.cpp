#include "fractal/catalogue.h"

#include <new>

#include "app/random.h"
#include "app/settings_table.h"
#include "fractal/catalogue_data.h"
#include "fractal/curve.h"

bool ApplyMaxIterations(const CSettings& settings, int& nIterations) {
  if (settings.m_nMaxIterations != 0 && nIterations > settings.m_nMaxIterations) {
    if (settings.m_nExcludeCurves != 0) return false;
    nIterations = settings.m_nMaxIterations;
  }
  return true;
}

void ApplyMinIterations(const CSettings& settings, int& nIterations) {
  if (settings.m_nMinIterations != 0 && nIterations < settings.m_nMinIterations) {
    nIterations = settings.m_nMinIterations;
  }
}

bool LimitIterations(const CSettings& settings, int& nIterations) {
  if (!ApplyMaxIterations(settings, nIterations)) return false;
  ApplyMinIterations(settings, nIterations);
  return true;
}

double DrawThreshold(int nBase) { return nBase + (Rand() % 60) / 10; }

namespace {

// What every curve of one build is made with.
struct CBuild {
  const CSettings& settings;
  const std::atomic<int>& bRunning;
  std::vector<std::unique_ptr<CCurve>>& curves;
};

// The threshold is drawn after the allocation succeeded, so a failed
// allocation leaves the entry out without consuming a draw.
template <class T>
void AppendCurve(CBuild& build, double x0, double x1, double y0, double y1, int nIterations,
                 int nThresholdBase, double a, double b, int nRow) {
  void* pMemory = ::operator new(sizeof(T), std::nothrow);
  if (pMemory == nullptr) return;
  const double dBailout = DrawThreshold(nThresholdBase);
  std::unique_ptr<CCurve> pCurve(new (pMemory) T(x0, x1, y0, y1, nIterations, dBailout, a, b, nRow));
  pCurve->m_pRunning = &build.bRunning;
  build.curves.push_back(std::move(pCurve));
}

template <class T, std::size_t N>
void AddTableCurves(CBuild& build,
                    const std::array<catalogue::Entry, N>& table, bool bRaiseToMinimum) {
  for (std::size_t i = 0; i < N; ++i) {
    const catalogue::Entry& e = table[i];
    int n = e.nIterations;
    const bool bAdmitted =
        bRaiseToMinimum ? LimitIterations(build.settings, n) : ApplyMaxIterations(build.settings, n);
    if (!bAdmitted) continue;
    AppendCurve<T>(build, e.x0, e.x1, e.y0, e.y1, n, e.nThresholdBase, e.a, e.b,
                   static_cast<int>(i) + 1);
  }
}

void AddMandelbrotCurves(CBuild& build) {
  AddTableCurves<CMandelbrotCurve>(build, catalogue::kMandelbrot, true);
}

void AddJuliaCurves(CBuild& build) {
  AddTableCurves<CJuliaCurve>(build, catalogue::kJulia, true);
}

// Dragon counts are never raised to the minimum.
void AddDragonCurves(CBuild& build) {
  AddTableCurves<CDragonCurve>(build, catalogue::kDragon, false);
}

void AddPhoenixCurves(CBuild& build) {
  AddTableCurves<CPhoenixCurve>(build, catalogue::kPhoenix, true);
}

// All Newton curves share one limited count; the draws alternate between the
// constant term and the threshold.
void AddNewtonCurves(CBuild& build) {
  int n = catalogue::kNewtonIterations;
  if (!LimitIterations(build.settings, n)) return;
  int nRow = 0;
  for (const catalogue::NewtonTerm& term : catalogue::kNewton) {
    for (int j = 0; j < term.nCurves; ++j) {
      const double b = Rand() % term.nModulus + term.nAdd;
      AppendCurve<CNewtonCurve>(build, catalogue::kNewtonX0, catalogue::kNewtonX1,
                                catalogue::kNewtonY0, catalogue::kNewtonY1, n, 4, term.i, b,
                                ++nRow);
    }
  }
}

}  // namespace

std::vector<std::unique_ptr<CCurve>> BuildCatalogueCurves(const CSettings& settings,
                                                          const std::atomic<int>& bRunning) {
  std::vector<std::unique_ptr<CCurve>> curves;
  CBuild build{settings, bRunning, curves};
  const int nCurveType = settings.m_nCurveType;
  if (nCurveType & kMandelbrotType) AddMandelbrotCurves(build);
  if (nCurveType & kJuliaType) AddJuliaCurves(build);
  if (nCurveType & kDragonType) AddDragonCurves(build);
  if (nCurveType & kPhoenixType) AddPhoenixCurves(build);
  if (nCurveType & kNewtonType) AddNewtonCurves(build);
  return curves;
}
