#include <atomic>
#include <cmath>

#include "colour/colour_scheme.h"
#include "fractal/curve.h"

// Every product and sum below is one IEEE double operation in the order
// written; the pictures depend on it, so do not regroup terms.

namespace {

// Read from memory on every iteration: the window thread clears it to stop a
// long pixel.
inline bool StillRunning(const std::atomic<int>& bRunning) {
  return bRunning.load(std::memory_order_relaxed) != 0;
}

}  // namespace

// In the four escape-time formulas the squares of the iterate a pass starts
// from are tested after the step, so the escape count is the index of the
// first iterate that fails, and the inside value is that of the last one tested.

COLORREF CMandelbrotCurve::Iterate(double x, double y, CColourScheme* pScheme) const {
  const std::atomic<int>& bRunning = *m_pRunning;
  double X = 0.0, Y = 0.0, dModulus = 0.0;
  for (int k = 0; k < m_nIterations; ++k) {
    if (!StillRunning(bRunning)) return 0;
    const double XX = X * X, YY = Y * Y;
    const double nextX = (XX - x) - YY;
    Y = (X * Y) * 2 - y;
    X = nextX;
    dModulus = XX + YY;
    if (dModulus > m_dBailout) return pScheme->CountColour(k);
  }
  return pScheme->InsideColour(dModulus);
}

COLORREF CJuliaCurve::Iterate(double x, double y, CColourScheme* pScheme) const {
  const std::atomic<int>& bRunning = *m_pRunning;
  double X = x, Y = y, dModulus = 0.0;
  for (int k = 0; k < m_nIterations; ++k) {
    if (!StillRunning(bRunning)) return 0;
    const double XX = X * X, YY = Y * Y;
    const double nextX = (m_dParamA - YY) + XX;
    Y = (X * Y) * 2 + m_dParamB;
    X = nextX;
    dModulus = XX + YY;
    if (dModulus > m_dBailout) return pScheme->CountColour(k);
  }
  return pScheme->InsideColour(dModulus);
}

COLORREF CDragonCurve::Iterate(double x, double y, CColourScheme* pScheme) const {
  const std::atomic<int>& bRunning = *m_pRunning;
  const double a = m_dParamA, b = m_dParamB;
  double X = x, Y = y, dModulus = 0.0;
  for (int k = 0; k < m_nIterations; ++k) {
    if (!StillRunning(bRunning)) return 0;
    const double XX = X * X, YY = Y * Y;
    const double U = (YY - XX) + X;
    const double V = (X * Y) * 2 - Y;
    X = a * U + b * V;
    Y = b * U - a * V;
    dModulus = XX + YY;
    if (dModulus > m_dBailout) return 0;
  }
  return pScheme->InsideColour(dModulus);
}

COLORREF CPhoenixCurve::Iterate(double x, double y, CColourScheme* pScheme) const {
  const std::atomic<int>& bRunning = *m_pRunning;
  const double a = m_dParamA, b = m_dParamB;
  double X = x, Y = y, prevX = 0.0, prevY = 0.0, dModulus = 0.0;
  for (int k = 0; k < m_nIterations; ++k) {
    if (!StillRunning(bRunning)) return 0;
    const double XX = X * X, YY = Y * Y;
    const double nextY = ((b * prevY - XX) + a) + YY;
    const double nextX = (X * Y) * 2 + b * prevX;
    prevX = X;
    prevY = Y;
    X = nextX;
    Y = nextY;
    dModulus = YY;
    if (dModulus > m_dBailout) return pScheme->CountColour(k);
  }
  return pScheme->InsideColour(dModulus);
}

COLORREF CNewtonCurve::Iterate(double x, double y, CColourScheme* pScheme) const {
  const std::atomic<int>& bRunning = *m_pRunning;
  const double a = m_dParamA, b = m_dParamB;
  double X = x, Y = y, prevX = 42.0, prevY = 42.0;
  int k = 0;
  while (k < m_nIterations) {
    if (!StillRunning(bRunning)) return 0;
    const double A = X * X, C = Y * Y;
    const double twoXPlusA = 2 * X + a;
    double D = twoXPlusA * twoXPlusA + 4 * C;
    if (D < 1e-8 || std::isnan(D)) D = 1e-8;

    // The numerator is deliberately not the textbook derivative quotient.
    double S = (a * C) * 2 + (a * A) * 3;
    S = S + (A * 2 + X);
    S = S + (b * X) * 2;
    S = S + a * b;
    S = S + X * (a * a);
    const double nextX = X - S / D;

    // The first term uses the x of this very step.
    double T = ((a * nextX) * Y) * 2 - (b * Y) * 2;
    T = T + (C * Y) * 2;
    T = T + (A * Y) * 2;
    T = T + (a * a) * Y;
    const double nextY = Y - T / D;

    X = nextX;
    Y = nextY;
    // Signed differences: any upward move counts as converged.
    if (prevX - X < 1e-8 && prevY - Y < 1e-8) break;
    ++k;
    prevX = X;
    prevY = Y;
  }
  return pScheme->RootColour(k, 2, X > 0 ? 1 : 2);
}
