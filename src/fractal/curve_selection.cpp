#include <new>

#include "app/random.h"
#include "display/slide_show.h"
#include "fractal/catalogue.h"
#include "fractal/curve.h"

namespace {

// Shown when the catalogue yields nothing; the limits do not apply to it.
std::unique_ptr<CCurve> NewDefaultCurve() {
  void* pMemory = ::operator new(sizeof(CMandelbrotCurve), std::nothrow);
  if (pMemory == nullptr) return nullptr;
  const double dBailout = DrawThreshold(4);
  return std::unique_ptr<CCurve>(
      new (pMemory) CMandelbrotCurve(-1.35, 2.65, -1.5, 1.5, 100, dBailout, 0, 0));
}

}  // namespace

// Each curve leaves the list when shown and the list is rebuilt only when
// empty, so every admitted entry is shown once before any is shown again.
void CSlideShow::ChooseCurve() {
  if (m_curves.empty()) BuildCatalogue();
  if (m_curves.empty()) {
    std::unique_ptr<CCurve> pDefault = NewDefaultCurve();
    // Out of memory: keep drawing the current curve rather than none.
    if (!pDefault) return;
    m_curves.push_back(std::move(pDefault));
  }
  TakeCurve(Rand() % static_cast<int>(m_curves.size()));
}

void CSlideShow::TakeCurve(int n) {
  if (n < 0 || n >= static_cast<int>(m_curves.size()) || !m_curves[n]) return;
  m_pCurve = std::move(m_curves[n]);
  m_curves.erase(m_curves.begin() + n);
  if (m_curves.empty()) std::vector<std::unique_ptr<CCurve>>().swap(m_curves);

  m_plane.m_pCurve = m_pCurve.get();
  m_plane.m_x0 = m_pCurve->m_x0;
  m_plane.m_y0 = m_pCurve->m_y0;
  m_plane.m_x1 = m_pCurve->m_x1;
  m_plane.m_y1 = m_pCurve->m_y1;
}
