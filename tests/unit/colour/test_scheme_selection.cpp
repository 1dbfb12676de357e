#include <gtest/gtest.h>

#include <map>
#include <typeinfo>
#include <vector>

#include "colour/colour_scheme.h"
#include "colour/scheme_registry.h"
#include "test_selection_fixture.h"

namespace {

using SchemeSelection = SelectionTest;

// The chosen scheme is an object of the class its bit names.
void ExpectSchemeOfBit(const CSchemeChoice& choice, int nBit) {
  ASSERT_TRUE(choice.Scheme());
  EXPECT_EQ(choice.Bit(), nBit);
  CSchemeVariants variants;
  const std::unique_ptr<CColourScheme> reference = CreateScheme(nBit, variants);
  const CColourScheme& chosen = *choice.Scheme();
  EXPECT_EQ(typeid(chosen), typeid(*reference)) << SchemeName(nBit);
}

TEST_F(SchemeSelection, EmptyOrSingleMasksNeedNoDraw) {
  const std::pair<int, int> cases[] = {{0, 0x0001}, {0x0002, 0x0002}, {0x8000, 0x8000},
                                       {0x0400, 0x0400}};
  for (const auto& [mask, bit] : cases) {
    m_settings.m_nColourScheme = mask;
    for (int call = 0; call < 3; ++call) {
      EXPECT_EQ(DrawsTaken(11 + call, [&] { m_schemes.Choose(m_settings.m_nColourScheme); }), 0) << mask;
      ExpectSchemeOfBit(m_schemes, bit);
    }
  }
}

TEST_F(SchemeSelection, MaskWithoutSchemeBitsIsRainbow) {
  for (int mask : {0x10000, 0x7FFF0000, static_cast<int>(0xFFFF0000u)}) {
    m_settings.m_nColourScheme = mask;
    EXPECT_EQ(DrawsTaken(3, [&] { m_schemes.Choose(m_settings.m_nColourScheme); }), 0);
    ExpectSchemeOfBit(m_schemes, 0x0001);
  }
}

TEST_F(SchemeSelection, BitsBeyondTheSixteenNeverMatch) {
  m_settings.m_nColourScheme = 0x10002;  // "Mono" and a meaningless bit
  int nDraws = 0;
  for (unsigned seed = 1; seed <= 50; ++seed) {
    nDraws += DrawsTaken(seed, [&] { m_schemes.Choose(m_settings.m_nColourScheme); });
    ExpectSchemeOfBit(m_schemes, 0x0002);
  }
  EXPECT_GE(nDraws, 50);
}

TEST_F(SchemeSelection, DrawsAreThrownBackUntilAnEnabledBit) {
  m_settings.m_nColourScheme = 0x8001;
  SRand(2024);
  int k = 0;
  int nDraws = 0;
  do {
    k = Rand() % 16;
    ++nDraws;
  } while (k != 0 && k != 15);
  EXPECT_EQ(DrawsTaken(2024, [&] { m_schemes.Choose(m_settings.m_nColourScheme); }), nDraws);
  ExpectSchemeOfBit(m_schemes, 1 << k);

  // Everything enabled: the first draw decides.
  m_settings.m_nColourScheme = 0xFFFF;
  SRand(77);
  const int first = Rand() % 16;
  SRand(77);
  m_schemes.Choose(m_settings.m_nColourScheme);
  ExpectSchemeOfBit(m_schemes, 1 << first);
}

TEST_F(SchemeSelection, EnabledSchemesAreEquallyLikely) {
  m_settings.m_nColourScheme = 0x8001;
  std::map<int, int> counts;
  for (int i = 0; i < 2000; ++i) {
    m_schemes.Choose(m_settings.m_nColourScheme);
    ++counts[m_schemes.Bit()];
  }
  EXPECT_EQ(counts.size(), 2u);
  EXPECT_GT(counts[0x0001], 800);
  EXPECT_GT(counts[0x8000], 800);

  m_settings.m_nColourScheme = -1;  // every bit, the meaningless ones too
  counts.clear();
  for (int i = 0; i < 16000; ++i) {
    m_schemes.Choose(m_settings.m_nColourScheme);
    ++counts[m_schemes.Bit()];
  }
  ASSERT_EQ(counts.size(), 16u);
  for (const auto& [bit, n] : counts) {
    EXPECT_GT(n, 800) << SchemeName(bit);
    EXPECT_LT(n, 1200) << SchemeName(bit);
  }
}

TEST_F(SchemeSelection, MetallicPicturesCycleThroughTheChannelOrders) {
  m_settings.m_nColourScheme = 0x8000;
  for (int n = 1; n <= 14; ++n) {
    m_schemes.Choose(m_settings.m_nColourScheme);
    // n - 1 Metallic objects destroyed so far.
    EXPECT_EQ(m_schemes.Variants().nMetallic, (n - 1) % 6) << "call " << n;
  }
  const int v = m_schemes.Variants().nMetallic;
  m_settings.m_nColourScheme = 0x4000;
  m_schemes.Choose(m_settings.m_nColourScheme);
  EXPECT_EQ(m_schemes.Variants().nMetallic, (v + 1) % 6);
  EXPECT_EQ(m_schemes.Variants().nAluminiumFoils, 0);
  m_schemes.Choose(m_settings.m_nColourScheme);
  EXPECT_EQ(m_schemes.Variants().nAluminiumFoils, 1);
}

// Several shows in one process, each with its choice: each goes through the
// channel orders exactly as a show on its own, however their pictures interleave.
TEST_F(SchemeSelection, EveryChoiceKeepsItsOwnChannelOrders) {
  m_settings.m_nColourScheme = 0x8000;
  std::vector<COLORREF> alone;
  for (int n = 0; n < 8; ++n) {
    m_schemes.Choose(m_settings.m_nColourScheme);
    alone.push_back(m_schemes.Scheme()->CountColour(0));
  }
  CSchemeChoice a, b;
  std::vector<COLORREF> seenA, seenB;
  for (const char* turns = "abbabaaababbbaab"; *turns; ++turns) {
    CSchemeChoice& choice = *turns == 'a' ? a : b;
    choice.Choose(m_settings.m_nColourScheme);
    (*turns == 'a' ? seenA : seenB).push_back(choice.Scheme()->CountColour(0));
  }
  EXPECT_EQ(seenA, alone);
  EXPECT_EQ(seenB, alone);
}

}  // namespace
