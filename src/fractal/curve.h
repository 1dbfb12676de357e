#pragma once

#include <atomic>

#include "colour/colour.h"

class CColourScheme;

// Fractal type bits, as in the "CurveType" setting mask.
constexpr int kMandelbrotType = 0x01;
constexpr int kJuliaType = 0x02;
constexpr int kDragonType = 0x04;
constexpr int kPhoenixType = 0x08;
constexpr int kNewtonType = 0x10;

// "mandelbrot", "julia", "dragon", "phoenix", "newton"; "unknown" otherwise.
const char* CurveTypeName(int nTypeBit);

// The keep-running flag of a curve that belongs to no slide show: never cleared.
inline const std::atomic<int> kNeverStop{1};

// One drawable fractal. Immutable after construction; Iterate keeps all its
// working values in locals, so a curve may be evaluated any number of times.
class CCurve {
 public:
  // Note the argument order: both x values before both y values.
  CCurve(double x0, double x1, double y0, double y1, int nIterations, double dBailout,
         double dParamA, double dParamB, int nTypeBit, int nRow)
      : m_x0(x0), m_y0(y0), m_x1(x1), m_y1(y1), m_nIterations(nIterations),
        m_dBailout(dBailout), m_dParamA(dParamA), m_dParamB(dParamB),
        m_nTypeBit(nTypeBit), m_nRow(nRow) {}
  virtual ~CCurve() = default;

  // Colour of the plane point (x, y); 0 at once when m_pRunning is cleared.
  virtual COLORREF Iterate(double x, double y, CColourScheme* pScheme) const = 0;

  double m_x0;
  double m_y0;
  double m_x1;
  double m_y1;
  int m_nIterations;
  double m_dBailout;
  double m_dParamA;
  double m_dParamB;

  // Where the curve came from, for reports: its type bit and its 1-based row
  // in that type's catalogue table (0 for the default curve).
  int m_nTypeBit;
  int m_nRow;

  // The keep-running flag of the show that draws the curve, tested once per
  // iteration step; set before the curve is shared with other threads.
  const std::atomic<int>* m_pRunning = &kNeverStop;
};

// z' = z^2 - p from z = 0: the set lies mirrored, its main body at positive x.
class CMandelbrotCurve final : public CCurve {
 public:
  CMandelbrotCurve(double x0, double x1, double y0, double y1, int nIterations, double dBailout,
                   double dParamA, double dParamB, int nRow = 0)
      : CCurve(x0, x1, y0, y1, nIterations, dBailout, dParamA, dParamB, kMandelbrotType, nRow) {}
  COLORREF Iterate(double x, double y, CColourScheme* pScheme) const override;
};

// z' = z^2 + (a + ib) from z = p.
class CJuliaCurve final : public CCurve {
 public:
  CJuliaCurve(double x0, double x1, double y0, double y1, int nIterations, double dBailout,
              double dParamA, double dParamB, int nRow = 0)
      : CCurve(x0, x1, y0, y1, nIterations, dBailout, dParamA, dParamB, kJuliaType, nRow) {}
  COLORREF Iterate(double x, double y, CColourScheme* pScheme) const override;
};

// z' = (a + ib) z (1 - z) from z = p; escaping points are black.
class CDragonCurve final : public CCurve {
 public:
  CDragonCurve(double x0, double x1, double y0, double y1, int nIterations, double dBailout,
               double dParamA, double dParamB, int nRow = 0)
      : CCurve(x0, x1, y0, y1, nIterations, dBailout, dParamA, dParamB, kDragonType, nRow) {}
  COLORREF Iterate(double x, double y, CColourScheme* pScheme) const override;
};

// w' = w^2 + a + b w_prev with w = Y + iX; the escape test looks at Y alone.
class CPhoenixCurve final : public CCurve {
 public:
  CPhoenixCurve(double x0, double x1, double y0, double y1, int nIterations, double dBailout,
                double dParamA, double dParamB, int nRow = 0)
      : CCurve(x0, x1, y0, y1, nIterations, dBailout, dParamA, dParamB, kPhoenixType, nRow) {}
  COLORREF Iterate(double x, double y, CColourScheme* pScheme) const override;
};

// Root finding for z^2 + a z + b, coloured by step count and root reached.
class CNewtonCurve final : public CCurve {
 public:
  CNewtonCurve(double x0, double x1, double y0, double y1, int nIterations, double dBailout,
               double dParamA, double dParamB, int nRow = 0)
      : CCurve(x0, x1, y0, y1, nIterations, dBailout, dParamA, dParamB, kNewtonType, nRow) {}
  COLORREF Iterate(double x, double y, CColourScheme* pScheme) const override;
};
