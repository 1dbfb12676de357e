#include "display/plane_map.h"

#include "fractal/curve.h"

COLORREF CPlaneMap::ColourAt(int x, int y, CColourScheme* scheme) const {
  if (m_pCurve == nullptr) return 0;
  const double re = ((m_x1 - m_x0) / m_nWidth) * x + m_x0;
  const double im = ((m_y1 - m_y0) / m_nHeight) * y + m_y0;
  return m_pCurve->Iterate(re, im, scheme);
}

void CPlaneMap::SetCurve(const CCurve* pCurve) {
  m_pCurve = pCurve;
  if (pCurve == nullptr) return;
  m_x0 = pCurve->m_x0;
  m_y0 = pCurve->m_y0;
  m_x1 = pCurve->m_x1;
  m_y1 = pCurve->m_y1;
}
