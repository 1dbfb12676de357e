#include <gtest/gtest.h>

#include "colour/colour_scheme.h"
#include "colour/scheme_registry.h"
#include "test_schemes_helpers.h"

namespace {

struct Triple {
  int t;
  Rgb c;
};

// Every test's counters start from order 0.
class MetallicSchemes : public ::testing::Test {
 protected:
  CSchemeVariants m_variants;
};

TEST_F(MetallicSchemes, MetallicSegmentEnds) {
  const Triple cases[] = {
      {0, {56, 53, 57}},      {6, {83, 86, 90}},      {7, {88, 92, 92}},
      {22, {44, 36, 32}},     {23, {44, 40, 36}},     {46, {139, 171, 156}},
      {47, {148, 180, 164}},  {70, {48, 48, 52}},     {81, {136, 167, 152}},
      {98, {48, 48, 52}},     {112, {223, 191, 156}}, {113, {240, 208, 168}},
      {130, {8, 4, 0}},       {131, {40, 44, 55}},    {145, {140, 167, 155}},
      {163, {40, 44, 56}},    {165, {32, 32, 56}},    {166, {24, 20, 24}},
      {188, {124, 132, 144}}, {201, {31, 28, 35}},    {212, {108, 116, 128}},
      {213, {104, 112, 124}}, {224, {36, 28, 36}},    {243, {156, 164, 167}},
      {244, {148, 156, 160}}, {253, {72, 69, 73}},    {254, {56, 53, 57}},
  };
  CMetallicScheme s(m_variants);
  for (const Triple& c : cases) EXPECT_EQ(ToRgb(s.CountColour(c.t)), c.c) << "t=" << c.t;
}

TEST_F(MetallicSchemes, AluminiumFoilsSegmentEndsAndWrapAround) {
  const Triple cases[] = {
      {0, {60, 44, 23}},      {12, {252, 195, 108}},  {13, {253, 198, 110}},
      {14, {240, 188, 104}},  {29, {34, 26, 6}},      {30, {18, 43, 57}},
      {46, {243, 242, 229}},  {62, {56, 62, 68}},     {65, {29, 28, 30}},
      {88, {96, 122, 156}},   {101, {30, 29, 23}},    {123, {37, 33, 44}},
      {143, {255, 167, 110}}, {150, {34, 29, 33}},    {187, {29, 12, 252}},
      {202, {5, 199, 64}},    {203, {248, 188, 60}},  {215, {85, 55, 12}},
      {216, {0, 0, 0}},       {217, {20, 16, 0}},     {218, {0, 0, 0}},
      {219, {19, 9, 0}},      {239, {27, 53, 0}},     {240, {30, 58, 0}},
      {241, {28, 56, 0}},     {253, {2, 22, 0}},      {254, {60, 44, 23}},
  };
  CAluminiumFoilsScheme s(m_variants);
  for (const Triple& c : cases) EXPECT_EQ(ToRgb(s.CountColour(c.t)), c.c) << "t=" << c.t;
}

// Each of these lies just below an integer in exact arithmetic; only double
// rounding of the product and of the sum lifts it. x87 extended precision
// would give one less, so the 32-bit Windows build proves SSE2 here.
TEST_F(MetallicSchemes, DoubleRoundingPoints) {
  CMetallicScheme m(m_variants);
  EXPECT_EQ(ToRgb(m.CountColour(207)), (Rgb{66, 68, 76}));
  EXPECT_EQ(ToRgb(m.CountColour(212)), (Rgb{108, 116, 128}));
  EXPECT_EQ(ToRgb(m.CountColour(249)), (Rgb{106, 108, 112}));
  CAluminiumFoilsScheme f(m_variants);
  EXPECT_EQ(ToRgb(f.CountColour(107)), (Rgb{66, 70, 74}));
  EXPECT_EQ(ToRgb(f.CountColour(156)), (Rgb{70, 70, 74}));
  EXPECT_EQ(ToRgb(f.CountColour(167)), (Rgb{84, 86, 83}));
  EXPECT_EQ(ToRgb(f.CountColour(172)), (Rgb{68, 68, 62}));
  EXPECT_EQ(ToRgb(f.CountColour(177)), (Rgb{52, 51, 41}));
  EXPECT_EQ(ToRgb(f.CountColour(182)), (Rgb{36, 33, 20}));
}

TEST_F(MetallicSchemes, VariantSelectsChannelOrder) {
  CMetallicScheme s(m_variants);  // (56, 53, 57) at 0
  const Rgb expected[6] = {{56, 53, 57}, {56, 57, 53}, {53, 56, 57},
                           {53, 57, 56}, {57, 56, 53}, {57, 53, 56}};
  for (int v = 0; v < 6; ++v) {
    m_variants.nMetallic = static_cast<std::int16_t>(v);
    EXPECT_EQ(ToRgb(s.CountColour(0)), expected[v]) << "variant " << v;
  }
}

TEST_F(MetallicSchemes, DestructorsAdvanceOnlyTheirOwnCounter) {
  for (int i = 1; i <= 6; ++i) {
    { CMetallicScheme s(m_variants); }
    EXPECT_EQ(m_variants.nMetallic, i % 6);
    EXPECT_EQ(m_variants.nAluminiumFoils, 0);
  }
  { CAluminiumFoilsScheme s(m_variants); }
  EXPECT_EQ(m_variants.nAluminiumFoils, 1);
  EXPECT_EQ(m_variants.nMetallic, 0);
}

TEST_F(MetallicSchemes, VariantSetterReducesModuloSix) {
  EXPECT_TRUE(SetSchemeVariant(m_variants, 0x8000, 8));
  EXPECT_EQ(m_variants.nMetallic, 2);
  EXPECT_TRUE(SetSchemeVariant(m_variants, 0x4000, -1));
  EXPECT_EQ(m_variants.nAluminiumFoils, 5);
  EXPECT_EQ(SchemeVariant(m_variants, 0x4000), 5);
  EXPECT_FALSE(SetSchemeVariant(m_variants, 0x0001, 3));
}

}  // namespace
