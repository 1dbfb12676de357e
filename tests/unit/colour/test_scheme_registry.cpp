#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>

#include "colour/colour_scheme.h"
#include "colour/scheme_registry.h"

// The rules shared by all sixteen schemes: how inside points and Newton
// roots reduce to CountColour, the cycle lengths and the registry.

namespace {

TEST(InsideColour, ScalesTheModulusOntoTheCycle) {
  CBold3Scheme bold;
  EXPECT_EQ(bold.InsideColour(0.0), bold.CountColour(0));
  EXPECT_EQ(bold.InsideColour(1.0), bold.CountColour(14));
  EXPECT_EQ(bold.InsideColour(0.5), bold.CountColour(7));
  CStormyNightScheme gradient;
  EXPECT_EQ(gradient.InsideColour(0.0), gradient.CountColour(0));
  EXPECT_EQ(gradient.InsideColour(0.999), gradient.CountColour(252));
  CRainbowScheme rainbow;
  EXPECT_EQ(rainbow.InsideColour(0.0), rainbow.CountColour(0));
  EXPECT_EQ(rainbow.InsideColour(0.999), rainbow.CountColour(6));
}

TEST(InsideColour, RawValueSchemesReturnTheProduct) {
  CSchemeVariants v;
  EXPECT_EQ(CMonoScheme().InsideColour(0.0), 0u);
  EXPECT_EQ(CMonoScheme().InsideColour(1.5), 3u);
  EXPECT_EQ(CMetallicScheme(v).InsideColour(0.0), 0u);
  EXPECT_EQ(CMetallicScheme(v).InsideColour(1.5), 381u);  // red 125, green 1
  EXPECT_EQ(CAluminiumFoilsScheme(v).InsideColour(45.0), 11430u);
}

TEST(InsideColour, NonFiniteModulusGivesNoHighBits) {
  // No curve passes these; the colour must still be a plain 24-bit value.
  const double bad[] = {1e300, -1e300, std::numeric_limits<double>::quiet_NaN()};
  CSchemeVariants variants;
  for (double v : bad) {
    EXPECT_EQ(CMonoScheme().InsideColour(v) >> 24, 0u);
    EXPECT_EQ(CAluminiumFoilsScheme(variants).InsideColour(v) >> 24, 0u);
    EXPECT_EQ(CRainbowScheme().InsideColour(v) >> 24, 0u);
  }
}

TEST(RootColour, GradientMirrorsTheSecondRoot) {
  CFirestormScheme s;
  EXPECT_EQ(s.RootColour(5, 2, 1), s.CountColour(10));
  EXPECT_EQ(s.RootColour(5, 2, 2), s.CountColour(243));
  EXPECT_EQ(s.RootColour(5, 3, 2), s.CountColour(5));
  EXPECT_EQ(s.RootColour(0, 2, 1), s.RootColour(0, 2, 2));
  EXPECT_EQ(s.RootColour(130, 2, 2), s.CountColour(-7));
  EXPECT_EQ(s.RootColour(130, 2, 2), MakeColour(18, 74, 74));
}

TEST(RootColour, OtherSchemesColourByCountAlone) {
  for (int bit = 1; bit <= 0x8000; bit <<= 1) {
    if (bit >= 0x0100 && bit <= 0x2000) continue;  // the gradient family
    CSchemeVariants v;
    std::unique_ptr<CColourScheme> s = CreateScheme(bit, v);
    ASSERT_TRUE(s);
    for (int n : {0, 3, 17, 200}) {
      const COLORREF c = s->CountColour(n);
      EXPECT_EQ(s->RootColour(n, 2, 1), c) << SchemeName(bit);
      EXPECT_EQ(s->RootColour(n, 2, 2), c) << SchemeName(bit);
      EXPECT_EQ(s->RootColour(n, 7, 5), c) << SchemeName(bit);
    }
  }
}

TEST(SchemeRegistry, EveryBitRepeatsOnItsCycleAndStaysIn24Bits) {
  for (int bit = 1; bit <= 0x8000; bit <<= 1) {
    CSchemeVariants v;
    std::unique_ptr<CColourScheme> s = CreateScheme(bit, v);
    ASSERT_TRUE(s);
    const int nCycle = SchemeCycleLength(bit);
    ASSERT_GT(nCycle, 0);
    for (int n = -300; n < 600; ++n) {
      const COLORREF c = s->CountColour(n);
      EXPECT_EQ(c >> 24, 0u);
      if (n >= 0) {
        EXPECT_EQ(s->CountColour(n + nCycle), c) << SchemeName(bit) << " n=" << n;
      }
    }
    for (double m = 0.0; m <= 45.0; m += 0.37) EXPECT_EQ(s->InsideColour(m) >> 24, 0u);
  }
}

TEST(SchemeRegistry, NamesAndBitsRoundTrip) {
  EXPECT_STREQ(SchemeName(0x0001), "Rainbow");
  EXPECT_STREQ(SchemeName(0x0080), "Bold 6");
  EXPECT_STREQ(SchemeName(0x0800), "Red / Purple");
  EXPECT_STREQ(SchemeName(0x4000), "Aluminium Foils");
  EXPECT_STREQ(SchemeName(0x8000), "Metallic");
  EXPECT_EQ(SchemeName(0), nullptr);
  EXPECT_EQ(SchemeName(0x0003), nullptr);
  EXPECT_EQ(SchemeName(0x10000), nullptr);
  for (int bit = 1; bit <= 0x8000; bit <<= 1) EXPECT_EQ(SchemeBitFromName(SchemeName(bit)), bit);
  EXPECT_EQ(SchemeBitFromName("rainbow"), 0);
  EXPECT_EQ(SchemeBitFromName(""), 0);
  CSchemeVariants v;
  EXPECT_EQ(CreateScheme(0x10000, v), nullptr);
  EXPECT_EQ(SchemeCycleLength(0x0002), 2);
  EXPECT_EQ(SchemeCycleLength(0x0010), 14);
  EXPECT_EQ(SchemeCycleLength(0x2000), 253);
  EXPECT_EQ(SchemeCycleLength(0x4000), 254);
}

}  // namespace
