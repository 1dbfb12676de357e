#include "fractal/catalogue.h"

#include <new>

#include "app/random.h"
#include "app/saver_app.h"
#include "display/slide_show.h"
#include "fractal/catalogue_data.h"
#include "fractal/curve.h"

bool ApplyMaxIterations(int& nIterations) {
  const CSaverApp* pApp = AfxGetApp();
  if (pApp->m_nMaxIterations != 0 && nIterations > pApp->m_nMaxIterations) {
    if (pApp->m_nExcludeCurves != 0) return false;
    nIterations = pApp->m_nMaxIterations;
  }
  return true;
}

void ApplyMinIterations(int& nIterations) {
  const CSaverApp* pApp = AfxGetApp();
  if (pApp->m_nMinIterations != 0 && nIterations < pApp->m_nMinIterations) {
    nIterations = pApp->m_nMinIterations;
  }
}

bool LimitIterations(int& nIterations) {
  if (!ApplyMaxIterations(nIterations)) return false;
  ApplyMinIterations(nIterations);
  return true;
}

double DrawThreshold(int nBase) { return nBase + (Rand() % 60) / 10; }

namespace {

// The threshold is drawn after the allocation succeeded, so a failed
// allocation leaves the entry out without consuming a draw.
template <class T>
void AppendCurve(std::vector<std::unique_ptr<CCurve>>& curves, double x0, double x1, double y0,
                 double y1, int nIterations, int nThresholdBase, double a, double b, int nRow) {
  void* pMemory = ::operator new(sizeof(T), std::nothrow);
  if (pMemory == nullptr) return;
  const double dBailout = DrawThreshold(nThresholdBase);
  std::unique_ptr<CCurve> pCurve(new (pMemory) T(x0, x1, y0, y1, nIterations, dBailout, a, b, nRow));
  curves.push_back(std::move(pCurve));
}

template <class T, std::size_t N>
void AddTableCurves(std::vector<std::unique_ptr<CCurve>>& curves,
                    const std::array<catalogue::Entry, N>& table, bool bRaiseToMinimum) {
  for (std::size_t i = 0; i < N; ++i) {
    const catalogue::Entry& e = table[i];
    int n = e.nIterations;
    if (!(bRaiseToMinimum ? LimitIterations(n) : ApplyMaxIterations(n))) continue;
    AppendCurve<T>(curves, e.x0, e.x1, e.y0, e.y1, n, e.nThresholdBase, e.a, e.b,
                   static_cast<int>(i) + 1);
  }
}

void AddMandelbrotCurves(std::vector<std::unique_ptr<CCurve>>& curves) {
  AddTableCurves<CMandelbrotCurve>(curves, catalogue::kMandelbrot, true);
}

void AddJuliaCurves(std::vector<std::unique_ptr<CCurve>>& curves) {
  AddTableCurves<CJuliaCurve>(curves, catalogue::kJulia, true);
}

// Dragon counts are never raised to the minimum.
void AddDragonCurves(std::vector<std::unique_ptr<CCurve>>& curves) {
  AddTableCurves<CDragonCurve>(curves, catalogue::kDragon, false);
}

void AddPhoenixCurves(std::vector<std::unique_ptr<CCurve>>& curves) {
  AddTableCurves<CPhoenixCurve>(curves, catalogue::kPhoenix, true);
}

// All Newton curves share one limited count; the draws alternate between the
// constant term and the threshold.
void AddNewtonCurves(std::vector<std::unique_ptr<CCurve>>& curves) {
  int n = catalogue::kNewtonIterations;
  if (!LimitIterations(n)) return;
  int nRow = 0;
  for (const catalogue::NewtonTerm& term : catalogue::kNewton) {
    for (int j = 0; j < term.nCurves; ++j) {
      const double b = Rand() % term.nModulus + term.nAdd;
      AppendCurve<CNewtonCurve>(curves, catalogue::kNewtonX0, catalogue::kNewtonX1,
                                catalogue::kNewtonY0, catalogue::kNewtonY1, n, 4, term.i, b,
                                ++nRow);
    }
  }
}

}  // namespace

void CSlideShow::BuildCatalogue() {
  const int nCurveType = AfxGetApp()->m_nCurveType;
  if (nCurveType & kMandelbrotType) AddMandelbrotCurves(m_curves);
  if (nCurveType & kJuliaType) AddJuliaCurves(m_curves);
  if (nCurveType & kDragonType) AddDragonCurves(m_curves);
  if (nCurveType & kPhoenixType) AddPhoenixCurves(m_curves);
  if (nCurveType & kNewtonType) AddNewtonCurves(m_curves);
}
