#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "fractal/curve.h"
#include "test_selection_fixture.h"

namespace {

using CurveSelection = SelectionTest;

std::pair<int, int> IdOf(const CCurve& c) { return {c.m_nTypeBit, c.m_nRow}; }

TEST_F(CurveSelection, EveryEntryOnceBeforeTheRebuild) {
  std::set<std::pair<int, int>> shown;
  for (int call = 1; call <= 101; ++call) {
    const std::unique_ptr<CCurve> pCurve = m_deck.Deal();
    ASSERT_TRUE(pCurve);
    // Closing the saver must reach every curve's iteration.
    EXPECT_EQ(pCurve->m_pRunning, &m_control.m_bRunning);
    shown.insert(IdOf(*pCurve));
    EXPECT_EQ(m_deck.Curves().size(), 101u - call);
  }
  EXPECT_EQ(shown.size(), 101u);
  EXPECT_EQ(m_deck.Curves().capacity(), 0u);  // storage released with the last node
  m_deck.Deal();
  EXPECT_EQ(m_deck.Curves().size(), 100u);
}

TEST_F(CurveSelection, RebuildDrawsFirstThenTheIndex) {
  CCurveDeck reference(m_settings, m_control.m_bRunning);
  SRand(99);
  reference.Fill();
  const int index = Rand() % 101;
  SRand(99);
  const std::unique_ptr<CCurve> pCurve = m_deck.Deal();
  EXPECT_EQ(IdOf(*pCurve), IdOf(*reference.Curves()[index]));
  EXPECT_EQ(pCurve->m_dBailout, reference.Curves()[index]->m_dBailout);
}

TEST_F(CurveSelection, OneDrawWhenTheListIsNotEmpty) {
  m_deck.Deal();
  for (unsigned seed : {5u, 6u, 7u}) {
    EXPECT_EQ(DrawsTaken(seed, [&] { m_deck.Deal(); }), 1);
  }
  // The draw picks uniformly by remainder: index = r mod size.
  const std::size_t size = m_deck.Curves().size();
  SRand(1234);
  const auto expected = IdOf(*m_deck.Curves()[Rand() % static_cast<int>(size)]);
  SRand(1234);
  EXPECT_EQ(IdOf(*m_deck.Deal()), expected);
}

TEST_F(CurveSelection, LastCurveIsTakenWhateverTheDraw) {
  m_deck.Add(std::make_unique<CJuliaCurve>(1, 2, 3, 4, 50, 4, 0, 0, 7));
  EXPECT_EQ(IdOf(*m_deck.Deal()), std::make_pair(kJuliaType, 7));
  EXPECT_TRUE(m_deck.Curves().empty());
}

TEST_F(CurveSelection, TakeAndFindCountFromTheHead) {
  m_deck.Fill();
  const auto third = IdOf(*m_deck.Curves()[2]);
  EXPECT_EQ(m_deck.Find(third.first, third.second), 2);
  EXPECT_EQ(DrawsTaken(8, [&] { EXPECT_EQ(IdOf(*m_deck.Take(2)), third); }), 0);
  EXPECT_EQ(m_deck.Find(third.first, third.second), -1);
  EXPECT_EQ(m_deck.Find(kNewtonType, 25), 99);
  EXPECT_EQ(m_deck.Find(kNewtonType, 26), -1);
  // An index outside the deck takes nothing.
  const std::size_t size = m_deck.Curves().size();
  EXPECT_EQ(m_deck.Take(static_cast<int>(size)), nullptr);
  EXPECT_EQ(m_deck.Take(-1), nullptr);
  EXPECT_EQ(m_deck.Curves().size(), size);
  m_deck.Clear();
  EXPECT_EQ(m_deck.Curves().capacity(), 0u);
}

TEST_F(CurveSelection, NoTypeBitsGiveTheDefaultCurveEveryTime) {
  m_settings.m_nCurveType = 0x20;
  for (int call = 0; call < 5; ++call) {
    std::unique_ptr<CCurve> pCurve;
    // The default curve's threshold, then the index.
    EXPECT_EQ(DrawsTaken(40 + call, [&] { pCurve = m_deck.Deal(); }), 2);
    ASSERT_TRUE(pCurve);
    const CCurve& c = *pCurve;
    EXPECT_EQ(IdOf(c), std::make_pair(kMandelbrotType, 0));
    EXPECT_EQ(c.m_x0, -1.35);
    EXPECT_EQ(c.m_x1, 2.65);
    EXPECT_EQ(c.m_y0, -1.5);
    EXPECT_EQ(c.m_y1, 1.5);
    EXPECT_EQ(c.m_nIterations, 100);
    EXPECT_GE(c.m_dBailout, 4);
    EXPECT_LE(c.m_dBailout, 9);
    EXPECT_EQ(c.m_pRunning, &m_control.m_bRunning);
    EXPECT_TRUE(m_deck.Curves().empty());
  }
}

TEST_F(CurveSelection, DefaultCurveIgnoresTheLimits) {
  m_settings.m_nMaxIterations = 10;
  m_settings.m_nExcludeCurves = 1;
  m_settings.m_nMinIterations = 5;
  const std::unique_ptr<CCurve> pCurve = m_deck.Deal();
  EXPECT_EQ(pCurve->m_nRow, 0);
  EXPECT_EQ(pCurve->m_nIterations, 100);
}

}  // namespace
