#include "app/random.h"
#include "fractal/catalogue.h"
#include "fractal/curve.h"

namespace {

// Shown when the catalogue yields nothing; the limits do not apply to it.
std::unique_ptr<CCurve> NewDefaultCurve() {
  return MakeCurve<CMandelbrotCurve>({-1.35, 2.65, -1.5, 1.5, 100, 4, 0, 0, 0});
}

}  // namespace

std::unique_ptr<CCurve> TakeCurveFrom(std::vector<std::unique_ptr<CCurve>>& curves, int n) {
  if (n < 0 || n >= static_cast<int>(curves.size()) || !curves[n]) return nullptr;
  std::unique_ptr<CCurve> pCurve = std::move(curves[n]);
  curves.erase(curves.begin() + n);
  if (curves.empty()) std::vector<std::unique_ptr<CCurve>>().swap(curves);
  return pCurve;
}

std::unique_ptr<CCurve> ChooseCurveFrom(std::vector<std::unique_ptr<CCurve>>& curves,
                                        const std::atomic<int>& bRunning) {
  if (curves.empty()) {
    std::unique_ptr<CCurve> pDefault = NewDefaultCurve();
    if (!pDefault) return nullptr;
    pDefault->m_pRunning = &bRunning;
    curves.push_back(std::move(pDefault));
  }
  return TakeCurveFrom(curves, Rand() % static_cast<int>(curves.size()));
}
