#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "fractal/catalogue.h"
#include "fractal/curve.h"
#include "test_selection_fixture.h"

namespace {

class Catalogue : public SelectionTest {
 protected:
  // (type, row) of every curve in list order.
  std::vector<std::pair<int, int>> Entries() const {
    std::vector<std::pair<int, int>> v;
    for (const auto& p : m_deck.Curves()) v.emplace_back(p->m_nTypeBit, p->m_nRow);
    return v;
  }
  int CountOf(int nType) const {
    int n = 0;
    for (const auto& p : m_deck.Curves()) n += p->m_nTypeBit == nType;
    return n;
  }
  const CCurve& Find(int nType, int nRow) const {
    for (const auto& p : m_deck.Curves()) {
      if (p->m_nTypeBit == nType && p->m_nRow == nRow) return *p;
    }
    ADD_FAILURE() << "no " << CurveTypeName(nType) << " " << nRow;
    return *m_deck.Curves().front();
  }
};

TEST_F(Catalogue, AllTypesGiveTheWholeTableInOrder) {
  m_deck.Fill();
  ASSERT_EQ(m_deck.Curves().size(), 101u);
  std::vector<std::pair<int, int>> expected;
  for (int i = 1; i <= 25; ++i) expected.emplace_back(kMandelbrotType, i);
  for (int i = 1; i <= 39; ++i) expected.emplace_back(kJuliaType, i);
  for (int i = 1; i <= 8; ++i) expected.emplace_back(kDragonType, i);
  for (int i = 1; i <= 4; ++i) expected.emplace_back(kPhoenixType, i);
  for (int i = 1; i <= 25; ++i) expected.emplace_back(kNewtonType, i);
  EXPECT_EQ(Entries(), expected);

  // Newton a runs -10 to 10, twice for -10..-7 and 10, never 2.
  std::vector<double> a;
  for (const auto& p : m_deck.Curves()) {
    if (p->m_nTypeBit == kNewtonType) a.push_back(p->m_dParamA);
  }
  const std::vector<double> expectedA = {-10, -10, -9, -9, -8, -8, -7, -7, -6, -5, -4, -3, -2,
                                         -1,  0,   1,  3,  4,  5,  6,  7,  8,  9,  10, 10};
  EXPECT_EQ(a, expectedA);
}

TEST_F(Catalogue, EntriesCarryTheirTableValues) {
  m_deck.Fill();
  // A reversed rectangle, in field order x0, y0, x1, y1.
  const CCurve& m17 = Find(kMandelbrotType, 17);
  EXPECT_EQ(m17.m_x0, 0.1992);
  EXPECT_EQ(m17.m_x1, 0.12954);
  EXPECT_EQ(m17.m_y0, 1.0148);
  EXPECT_EQ(m17.m_y1, 1.06707);
  EXPECT_EQ(m17.m_nIterations, 200);
  EXPECT_EQ(m17.m_dParamA, 0.0);
  const CCurve& j14 = Find(kJuliaType, 14);
  EXPECT_EQ(j14.m_nIterations, 350);
  EXPECT_EQ(j14.m_dParamA, 0.34375);
  EXPECT_EQ(j14.m_dParamB, 0.0664064029);
  const CCurve& d8 = Find(kDragonType, 8);
  EXPECT_EQ(d8.m_nIterations, 256);
  EXPECT_EQ(d8.m_dParamB, 0.967049);
  const CCurve& p4 = Find(kPhoenixType, 4);
  EXPECT_EQ(p4.m_y1, 1.4);
  EXPECT_EQ(p4.m_dParamA, -0.550704);
  const CCurve& n1 = Find(kNewtonType, 1);
  EXPECT_EQ(n1.m_x0, -3.5);
  EXPECT_EQ(n1.m_x1, 3.5);
  EXPECT_EQ(n1.m_y0, -2.5);
  EXPECT_EQ(n1.m_y1, 2.5);
  EXPECT_EQ(n1.m_nIterations, 100);
}

// The draws in order: one threshold per table curve, then for each Newton
// curve its constant term followed by its threshold.
TEST_F(Catalogue, RandomDrawsComeInTheDocumentedOrder) {
  SRand(12345);
  m_deck.Fill();
  const int after = Rand();
  SRand(12345);
  int i = 0;
  for (const auto& p : m_deck.Curves()) {
    if (p->m_nTypeBit == kNewtonType) {
      const int r = Rand();
      const int a = static_cast<int>(p->m_dParamA);
      const int mod = a <= -7 || a == 10 ? 21
                      : a == -6 || a == 8 ? 18
                      : a == -5 || a == 7 ? 16
                      : a == -4 || a == 5 ? 14
                      : a == -3 || a == -2 || a == 3 || a == 4 ? 12
                      : a == -1 ? 11
                      : a == 0 || a == 1 ? 10
                      : a == 6 ? 15
                                 : 20;
      const int add = a == -1 ? 0 : a == 0 ? 1 : a == 1 ? 9 : -10;
      EXPECT_EQ(p->m_dParamB, r % mod + add) << "Newton " << p->m_nRow;
    }
    const int base = (p->m_nTypeBit == kMandelbrotType && p->m_nRow >= 24) ? 40 : 4;
    EXPECT_EQ(p->m_dBailout, base + (Rand() % 60) / 10) << "curve " << i;
    ++i;
  }
  EXPECT_EQ(Rand(), after);
  EXPECT_EQ(DrawsTaken(7, [&] { m_deck.Fill(); }), 76 + 2 * 25);
}

TEST_F(Catalogue, ThresholdsAndNewtonTermsStayInTheirRanges) {
  // i -> allowed range of b.
  const std::pair<int, std::pair<int, int>> ranges[] = {
      {-10, {-10, 10}}, {-9, {-10, 10}}, {-8, {-10, 10}}, {-7, {-10, 10}}, {-6, {-10, 7}},
      {-5, {-10, 5}},   {-4, {-10, 3}},  {-3, {-10, 1}},  {-2, {-10, 1}},  {-1, {0, 10}},
      {0, {1, 10}},     {1, {9, 18}},    {3, {-10, 1}},   {4, {-10, 1}},   {5, {-10, 3}},
      {6, {-10, 4}},    {7, {-10, 5}},   {8, {-10, 7}},   {9, {-10, 9}},   {10, {-10, 10}}};
  std::set<std::pair<int, int>> seen;  // (i, b)
  std::set<double> thresholds, bigThresholds;
  for (int build = 0; build < 300; ++build) {
    m_deck.Clear();
    m_deck.Fill();
    for (const auto& p : m_deck.Curves()) {
      const double t = p->m_dBailout;
      if (p->m_nTypeBit == kMandelbrotType && p->m_nRow >= 24) {
        bigThresholds.insert(t);
      } else {
        thresholds.insert(t);
      }
      if (p->m_nTypeBit == kNewtonType) {
        seen.emplace(static_cast<int>(p->m_dParamA), static_cast<int>(p->m_dParamB));
      }
    }
  }
  EXPECT_EQ(thresholds, (std::set<double>{4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(bigThresholds, (std::set<double>{40, 41, 42, 43, 44, 45}));
  for (const auto& [i, range] : ranges) {
    for (int b = -12; b <= 20; ++b) {
      const bool inRange = b >= range.first && b <= range.second;
      EXPECT_EQ(seen.count({i, b}) == 1, inRange) << "i=" << i << " b=" << b;
    }
  }
}

TEST_F(Catalogue, MaximumReducesOrExcludes) {
  m_settings.m_nMaxIterations = 100;
  m_deck.Fill();
  ASSERT_EQ(m_deck.Curves().size(), 101u);
  for (const auto& p : m_deck.Curves()) EXPECT_LE(p->m_nIterations, 100);
  EXPECT_EQ(Find(kMandelbrotType, 3).m_nIterations, 50);
  EXPECT_EQ(Find(kMandelbrotType, 13).m_nIterations, 100);

  m_deck.Clear();
  m_settings.m_nExcludeCurves = 1;
  m_deck.Fill();
  std::vector<std::pair<int, int>> expected = {
      {1, 1}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {1, 7}, {2, 10}, {2, 37}, {4, 1}, {4, 2},
      {4, 3}, {4, 4}, {4, 5}, {4, 7}, {8, 1}, {8, 2}, {8, 3}};
  for (int i = 1; i <= 25; ++i) expected.emplace_back(kNewtonType, i);
  EXPECT_EQ(Entries(), expected);

  m_deck.Clear();
  m_settings.m_nMaxIterations = 99;
  m_deck.Fill();
  EXPECT_EQ(CountOf(kNewtonType), 0);
}

TEST_F(Catalogue, MinimumRaisesAllButDragon) {
  m_settings.m_nMinIterations = 500;
  m_deck.Fill();
  ASSERT_EQ(m_deck.Curves().size(), 101u);
  for (const auto& p : m_deck.Curves()) {
    if (p->m_nTypeBit == kDragonType) {
      EXPECT_TRUE(p->m_nIterations == 64 || p->m_nIterations == 128 || p->m_nIterations == 256);
    } else {
      EXPECT_GE(p->m_nIterations, 500);
    }
  }
  EXPECT_EQ(Find(kMandelbrotType, 13).m_nIterations, 900);
  EXPECT_EQ(Find(kMandelbrotType, 15).m_nIterations, 500);
  EXPECT_EQ(Find(kDragonType, 6).m_nIterations, 128);
}

TEST_F(Catalogue, MinimumAboveMaximum) {
  m_settings.m_nMinIterations = 300;
  m_settings.m_nMaxIterations = 200;
  m_deck.Fill();  // Reduce: lowered to 200, then raised to 300
  for (const auto& p : m_deck.Curves()) {
    if (p->m_nTypeBit == kDragonType) continue;
    EXPECT_EQ(p->m_nIterations, 300);
  }
  EXPECT_EQ(Find(kDragonType, 8).m_nIterations, 200);
  EXPECT_EQ(Find(kDragonType, 1).m_nIterations, 64);

  m_deck.Clear();
  m_settings.m_nExcludeCurves = 1;
  m_deck.Fill();  // Exclude: Mandelbrot 9 (400) gone, 11 (200) raised
  EXPECT_EQ(Find(kMandelbrotType, 11).m_nIterations, 300);
  for (const auto& p : m_deck.Curves()) EXPECT_NE(p->m_nRow == 9 && p->m_nTypeBit == 1, true);
  EXPECT_EQ(CountOf(kDragonType), 7);
}

TEST_F(Catalogue, LimitEqualToTheCountChangesNothing) {
  m_settings.m_nMaxIterations = 900;
  m_settings.m_nExcludeCurves = 1;
  m_settings.m_nMinIterations = 50;
  m_deck.Fill();
  EXPECT_EQ(m_deck.Curves().size(), 101u);
  EXPECT_EQ(Find(kMandelbrotType, 13).m_nIterations, 900);
  EXPECT_EQ(Find(kMandelbrotType, 3).m_nIterations, 50);
  int n = 64;
  EXPECT_TRUE(LimitIterations(m_settings, n));
  EXPECT_EQ(n, 64);
}

TEST_F(Catalogue, NegativeLimitsActAsSignedNumbers) {
  m_settings.m_nMaxIterations = -1;  // a stored 0xFFFFFFFF
  m_deck.Fill();
  ASSERT_EQ(m_deck.Curves().size(), 101u);
  for (const auto& p : m_deck.Curves()) EXPECT_EQ(p->m_nIterations, -1);

  m_deck.Clear();
  m_settings.m_nExcludeCurves = 1;
  EXPECT_EQ(DrawsTaken(3, [&] { m_deck.Fill(); }), 0);
  EXPECT_TRUE(m_deck.Curves().empty());

  m_settings.m_nMaxIterations = 0;
  m_settings.m_nMinIterations = -5;
  m_deck.Fill();
  EXPECT_EQ(Find(kMandelbrotType, 3).m_nIterations, 50);
}

TEST_F(Catalogue, TypeMaskSelectsBuildersAndAppends) {
  m_settings.m_nCurveType = 0x20;
  m_deck.Fill();
  EXPECT_TRUE(m_deck.Curves().empty());
  m_settings.m_nCurveType = kNewtonType | kDragonType | 0x40;
  m_deck.Fill();
  ASSERT_EQ(m_deck.Curves().size(), 33u);
  EXPECT_EQ(m_deck.Curves().front()->m_nTypeBit, kDragonType);
  EXPECT_EQ(m_deck.Curves().back()->m_nTypeBit, kNewtonType);
  m_deck.Fill();  // does not empty the list first
  EXPECT_EQ(m_deck.Curves().size(), 66u);
}

}  // namespace
