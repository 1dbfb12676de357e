#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <typeinfo>

#include "colour/colour_scheme.h"
#include "colour/scheme_list.h"
#include "colour/scheme_registry.h"
#include "fractal/batch.h"
#include "fractal/formulas.h"

// The formula and scheme tables that everything listing formulas or schemes
// walks: their rows must stay distinct and keep the historical bits.

namespace {

class COutsideCurve final : public CCurve {
 public:
  COutsideCurve() : CCurve(0, 1, 0, 1, 1, 4, 0, 0, kMandelbrotType, 0) {}
  COLORREF Iterate(double, double, CColourScheme*) const override { return 0; }
};

TEST(FormulaTable, RowsAreDistinctAndFoundByBitAndName) {
  std::set<std::string> names;
  int nBits = 0;
  for (const CFormula& f : kFormulas) {
    EXPECT_EQ(f.nTypeBit & (f.nTypeBit - 1), 0) << f.pszName << " is not one bit";
    EXPECT_EQ(nBits & f.nTypeBit, 0) << f.pszName << " shares a bit";
    nBits |= f.nTypeBit;
    EXPECT_TRUE(names.insert(f.pszName).second) << f.pszName;
    EXPECT_EQ(FormulaOfBit(f.nTypeBit), &f);
    EXPECT_EQ(FormulaOfName(f.pszName), &f);
    EXPECT_STREQ(CurveTypeName(f.nTypeBit), f.pszName);
  }
  EXPECT_EQ(nBits, kAllFormulaBits);
  EXPECT_EQ(kAllFormulaBits, 0x1F);
  EXPECT_EQ(FormulaOfBit(0x20), nullptr);
  EXPECT_EQ(FormulaOfBit(kMandelbrotType | kJuliaType), nullptr);
  EXPECT_EQ(FormulaOfName("Mandelbrot"), nullptr);
  EXPECT_EQ(FormulaOfName(""), nullptr);
}

TEST(FormulaTable, EachRowMakesItsOwnCurvesAndKnowsThemAgain) {
  for (const CFormula& f : kFormulas) {
    const std::unique_ptr<CCurve> pCurve = f.pfnMakeCurve({-2, 2, -1.5, 1.5, 37, 4, 0.25, -0.5, 3});
    ASSERT_TRUE(pCurve) << f.pszName;
    const CCurve& curve = *pCurve;
    EXPECT_EQ(typeid(curve), *f.pCurveClass) << f.pszName;
    EXPECT_EQ(curve.m_nTypeBit, f.nTypeBit);
    EXPECT_EQ(curve.m_nRow, 3);
    EXPECT_EQ(curve.m_nIterations, 37);
    EXPECT_EQ(curve.m_x1, 2);
    EXPECT_EQ(curve.m_dParamB, -0.5);
    EXPECT_GE(curve.m_dBailout, 4);
    EXPECT_LE(curve.m_dBailout, 9);
    EXPECT_EQ(FormulaOfCurve(curve), &f);
    EXPECT_TRUE(HasBatchFormula(curve));
  }
  // A type bit alone does not make a curve one of the formulas.
  const COutsideCurve outside;
  EXPECT_EQ(FormulaOfCurve(outside), nullptr);
  EXPECT_FALSE(HasBatchFormula(outside));
}

TEST(SchemeTable, BitsKeepTheirHistoricalClasses) {
  const std::type_info* const expected[] = {
      &typeid(CRainbowScheme),     &typeid(CMonoScheme),         &typeid(CBold1Scheme),
      &typeid(CBold2Scheme),       &typeid(CBold3Scheme),        &typeid(CBold4Scheme),
      &typeid(CBold5Scheme),       &typeid(CBold6Scheme),        &typeid(CFirestormScheme),
      &typeid(CValentineScheme),   &typeid(CStormyNightScheme),  &typeid(CRedPurpleScheme),
      &typeid(CGreenYellowScheme), &typeid(CBlueGreenScheme),    &typeid(CAluminiumFoilsScheme),
      &typeid(CMetallicScheme)};
  ASSERT_EQ(static_cast<std::size_t>(kSchemeCount), std::size(expected));
  EXPECT_EQ(kAllSchemes, 0xFFFF);
  CSchemeVariants variants;
  for (int i = 0; i < kSchemeCount; ++i) {
    const std::unique_ptr<CColourScheme> pScheme = CreateScheme(1 << i, variants);
    ASSERT_TRUE(pScheme);
    const CColourScheme& scheme = *pScheme;
    EXPECT_EQ(typeid(scheme), *expected[i]) << kSchemeList[i].pszName;
    // Only the schemes with a counter take a variant.
    EXPECT_EQ(SetSchemeVariant(variants, 1 << i, 7), kSchemeList[i].pVariant != nullptr);
  }
}

// Each page is a dialog of its own, so ids need only differ within one.
TEST(PageRows, ControlIdsDifferWithinEachPage) {
  std::set<int> formulaIds, schemeIds;
  for (const CFormula& f : kFormulas) EXPECT_TRUE(formulaIds.insert(f.nControlId).second) << f.pszName;
  for (const CSchemeRow& s : kSchemeList) EXPECT_TRUE(schemeIds.insert(s.nControlId).second) << s.pszName;
}

}  // namespace
