#include "fractal/catalogue.h"

#include "app/random.h"
#include "app/settings_table.h"
#include "fractal/curve.h"
#include "fractal/formulas.h"

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

void CCatalogueBuild::Append(CurveFactory pfnMake, const CurveArgs& args) {
  std::unique_ptr<CCurve> pCurve = pfnMake(args);
  if (!pCurve) return;
  pCurve->m_pRunning = &m_bRunning;
  m_curves.push_back(std::move(pCurve));
}

void AddNewtonCurves(CCatalogueBuild& build, CurveFactory pfnMake) {
  int n = catalogue::kNewtonIterations;
  if (!LimitIterations(build.Settings(), n)) return;
  int nRow = 0;
  for (const catalogue::NewtonTerm& term : catalogue::kNewton) {
    for (int j = 0; j < term.nCurves; ++j) {
      const double b = Rand() % term.nModulus + term.nAdd;
      build.Append(pfnMake, {catalogue::kNewtonX0, catalogue::kNewtonX1, catalogue::kNewtonY0,
                             catalogue::kNewtonY1, n, 4, static_cast<double>(term.i), b, ++nRow});
    }
  }
}

std::vector<std::unique_ptr<CCurve>> BuildCatalogueCurves(const CSettings& settings,
                                                          const std::atomic<int>& bRunning) {
  std::vector<std::unique_ptr<CCurve>> curves;
  CCatalogueBuild build(settings, bRunning, curves);
  for (const CFormula& f : kFormulas)
    if (settings.m_nCurveType & f.nTypeBit) f.pfnAddCurves(build, f.pfnMakeCurve);
  return curves;
}
