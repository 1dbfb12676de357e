#include <gtest/gtest.h>

#include "colour/colour_scheme.h"
#include "test_schemes_helpers.h"

namespace {

TEST(RainbowScheme, TableCycleAndNegativeIndex) {
  CRainbowScheme s;
  EXPECT_EQ(ToRgb(s.CountColour(0)), (Rgb{255, 0, 0}));
  EXPECT_EQ(ToRgb(s.CountColour(7)), (Rgb{255, 0, 0}));
  EXPECT_EQ(ToRgb(s.CountColour(5)), (Rgb{128, 64, 196}));
  EXPECT_EQ(ToRgb(s.CountColour(6)), (Rgb{255, 0, 255}));
  EXPECT_EQ(s.CountColour(-1), 0u);
}

TEST(MonoScheme, ParityIncludingNegatives) {
  CMonoScheme s;
  EXPECT_EQ(s.CountColour(0), 0xFFFFFFu);
  EXPECT_EQ(s.CountColour(-2), 0xFFFFFFu);
  EXPECT_EQ(s.CountColour(1), 0u);
  EXPECT_EQ(s.CountColour(-1), 0u);
}

TEST(BoldSchemes, TableEndsAndChannelOrders) {
  CBold1Scheme b1;
  EXPECT_EQ(ToRgb(b1.CountColour(0)), (Rgb{0, 0, 84}));
  EXPECT_EQ(ToRgb(b1.CountColour(13)), (Rgb{252, 252, 84}));
  EXPECT_EQ(b1.CountColour(14), b1.CountColour(0));
  EXPECT_EQ(ToRgb(CBold5Scheme().CountColour(0)), (Rgb{84, 0, 0}));
  EXPECT_EQ(ToRgb(CBold2Scheme().CountColour(3)), (Rgb{0, 252, 84}));

  // Entry 3 is (0, 84, 252): each class places those bytes in its own order.
  EXPECT_EQ(ToRgb(CBold3Scheme().CountColour(3)), (Rgb{84, 0, 252}));
  EXPECT_EQ(ToRgb(CBold4Scheme().CountColour(3)), (Rgb{84, 252, 0}));
  EXPECT_EQ(ToRgb(CBold5Scheme().CountColour(3)), (Rgb{252, 84, 0}));
  EXPECT_EQ(ToRgb(CBold6Scheme().CountColour(3)), (Rgb{252, 0, 84}));
}

TEST(BoldSchemes, NegativeIndexIsBlackAfterAColour) {
  CBold1Scheme b1;
  CBold6Scheme b6;
  // The channel bytes from the previous call must not survive.
  b1.CountColour(6);
  EXPECT_EQ(b1.CountColour(-1), 0u);
  b6.CountColour(13);
  EXPECT_EQ(b6.CountColour(-15), 0u);
}

struct GradientCase {
  int n;
  Rgb c;
};

TEST(GradientSchemes, BreakpointsOfTheCycle) {
  const GradientCase cases[] = {
      {0, {60, 60, 60}},     {30, {240, 0, 0}},     {31, {252, 0, 0}},
      {62, {252, 236, 0}},   {63, {252, 252, 0}},   {64, {252, 252, 0}},
      {96, {252, 252, 240}}, {97, {252, 248, 252}}, {159, {252, 124, 4}},
      {160, {252, 122, 0}},  {192, {252, 58, 0}},   {193, {244, 56, 0}},
      {221, {160, 0, 0}},    {222, {157, 254, 0}},  {225, {148, 248, 0}},
      {226, {145, 246, 0}},  {252, {67, 194, 52}},  {253, {60, 60, 60}},
      {300, {252, 122, 0}},  {-1, {54, 62, 62}},    {-7, {18, 74, 74}},
      {-130, {48, 64, 64}},
  };
  CFirestormScheme s;  // identity channel order
  for (const GradientCase& c : cases) EXPECT_EQ(ToRgb(s.CountColour(c.n)), c.c) << "n=" << c.n;
}

TEST(GradientSchemes, ChannelOrders) {
  EXPECT_EQ(ToRgb(CValentineScheme().CountColour(30)), (Rgb{0, 0, 240}));
  EXPECT_EQ(ToRgb(CStormyNightScheme().CountColour(30)), (Rgb{0, 0, 240}));
  EXPECT_EQ(ToRgb(CGreenYellowScheme().CountColour(62)), (Rgb{236, 252, 0}));
  EXPECT_EQ(ToRgb(CBlueGreenScheme().CountColour(252)), (Rgb{52, 67, 194}));
  // (252, 124, 4) at 159 tells every order apart.
  EXPECT_EQ(ToRgb(CValentineScheme().CountColour(159)), (Rgb{124, 4, 252}));
  EXPECT_EQ(ToRgb(CStormyNightScheme().CountColour(159)), (Rgb{4, 124, 252}));
  EXPECT_EQ(ToRgb(CRedPurpleScheme().CountColour(159)), (Rgb{252, 4, 124}));
  EXPECT_EQ(ToRgb(CGreenYellowScheme().CountColour(159)), (Rgb{124, 252, 4}));
  EXPECT_EQ(ToRgb(CBlueGreenScheme().CountColour(159)), (Rgb{4, 252, 124}));
}

TEST(GradientSchemes, PreviousCallNeverShows) {
  CRedPurpleScheme s;
  const COLORREF first = s.CountColour(40);
  s.CountColour(200);
  s.CountColour(-100);
  EXPECT_EQ(s.CountColour(40), first);
}

}  // namespace
