#pragma once

#include <cstddef>
#include <typeinfo>

#include "fractal/catalogue.h"
#include "fractal/curve.h"

// The formulas, one row each. Whatever lists them (the renderer's names, the
// report line, the catalogue, the vector lanes, the Fractal Types page, the
// XScreenSaver options file) walks this table. Each row's vector kernel is
// Kernel<nTypeBit> of fractal/batch_kernels.inc.
struct CFormula {
  int nTypeBit;        // in the "CurveType" mask
  const char* pszName;   // the renderer's --curve TYPE and the report line
  const char* pszLabel;  // the check box on the Fractal Types page
  int nControlId;        // that check box in the dialog template
  const std::type_info* pCurveClass;  // what its curves are made of
  CurveFactory pfnMakeCurve;
  // Adds its catalogue table's curves, in table order.
  void (*pfnAddCurves)(CCatalogueBuild& build, CurveFactory pfnMake);
};

template <class T>
constexpr CFormula FormulaRow(int nTypeBit, const char* pszName, const char* pszLabel,
                              int nControlId,
                              void (*pfnAddCurves)(CCatalogueBuild&, CurveFactory)) {
  return {nTypeBit, pszName, pszLabel, nControlId, &typeid(T), &MakeCurve<T>, pfnAddCurves};
}

// Catalogue order; dragon counts are never raised to the minimum.
inline constexpr CFormula kFormulas[] = {
    FormulaRow<CMandelbrotCurve>(kMandelbrotType, "mandelbrot", "Mandelbrot", 1001,
                                 &AddTableCurves<catalogue::kMandelbrot, true>),
    FormulaRow<CJuliaCurve>(kJuliaType, "julia", "Julia", 1002,
                            &AddTableCurves<catalogue::kJulia, true>),
    FormulaRow<CDragonCurve>(kDragonType, "dragon", "Dragon", 1004,
                             &AddTableCurves<catalogue::kDragon, false>),
    FormulaRow<CPhoenixCurve>(kPhoenixType, "phoenix", "Phoenix", 1003,
                              &AddTableCurves<catalogue::kPhoenix, true>),
    FormulaRow<CNewtonCurve>(kNewtonType, "newton", "Newton", 1029, &AddNewtonCurves),
};

inline constexpr std::size_t kFormulaCount = std::size(kFormulas);

// Every formula's bit.
inline constexpr int kAllFormulaBits = [] {
  int nBits = 0;
  for (const CFormula& f : kFormulas) nBits |= f.nTypeBit;
  return nBits;
}();

// The row of a type bit, or of a curve by its exact class; null if none.
const CFormula* FormulaOfBit(int nTypeBit);
const CFormula* FormulaOfName(const char* pszName);
const CFormula* FormulaOfCurve(const CCurve& curve);
