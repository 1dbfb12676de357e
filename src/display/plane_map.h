#pragma once

#include <cstdint>

#include "colour/colour.h"

class CCurve;
class CColourScheme;

// Turns a pixel position into a point of the complex plane and asks the
// current curve for that point's colour. Borrows the curve.
class CPlaneMap {
 public:
  virtual ~CPlaneMap() = default;

  // Span divided by the pixel count first, then times the index: the exact
  // order of operations decides some colours.
  COLORREF ColourAt(int x, int y, CColourScheme* scheme) const;
  // Borrows the curve (null: none) and maps the pixels onto its rectangle.
  void SetCurve(const CCurve* pCurve);

  int m_nWidth = 0;
  int m_nHeight = 0;
  double m_x0 = 0.0;
  double m_y0 = 0.0;
  double m_x1 = 0.0;
  double m_y1 = 0.0;
  const CCurve* m_pCurve = nullptr;
};
