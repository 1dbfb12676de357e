#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "fractal/curve.h"
#include "test_selection_fixture.h"

namespace {

using CurveSelection = SlideShowTest;

std::pair<int, int> IdOf(const CCurve& c) { return {c.m_nTypeBit, c.m_nRow}; }

void ExpectPlaneFollowsCurve(const CSlideShow& show) {
  ASSERT_TRUE(show.m_pCurve);
  EXPECT_EQ(show.m_plane.m_pCurve, show.m_pCurve.get());
  EXPECT_EQ(show.m_plane.m_x0, show.m_pCurve->m_x0);
  EXPECT_EQ(show.m_plane.m_y0, show.m_pCurve->m_y0);
  EXPECT_EQ(show.m_plane.m_x1, show.m_pCurve->m_x1);
  EXPECT_EQ(show.m_plane.m_y1, show.m_pCurve->m_y1);
}

TEST_F(CurveSelection, EveryEntryOnceBeforeTheRebuild) {
  std::set<std::pair<int, int>> shown;
  for (int call = 1; call <= 101; ++call) {
    m_show.ChooseCurve();
    ExpectPlaneFollowsCurve(m_show);
    shown.insert(IdOf(*m_show.m_pCurve));
    EXPECT_EQ(m_show.m_curves.size(), 101u - call);
  }
  EXPECT_EQ(shown.size(), 101u);
  EXPECT_EQ(m_show.m_curves.capacity(), 0u);  // storage released with the last node
  m_show.ChooseCurve();
  EXPECT_EQ(m_show.m_curves.size(), 100u);
}

TEST_F(CurveSelection, RebuildDrawsFirstThenTheIndex) {
  CSlideShow reference(m_settings, m_control, m_surface, m_sleeper);
  SRand(99);
  reference.BuildCatalogue();
  const int index = Rand() % 101;
  SRand(99);
  m_show.ChooseCurve();
  EXPECT_EQ(IdOf(*m_show.m_pCurve), IdOf(*reference.m_curves[index]));
  EXPECT_EQ(m_show.m_pCurve->m_dBailout, reference.m_curves[index]->m_dBailout);
}

TEST_F(CurveSelection, OneDrawWhenTheListIsNotEmpty) {
  m_show.ChooseCurve();
  for (unsigned seed : {5u, 6u, 7u}) {
    EXPECT_EQ(DrawsTaken(seed, [&] { m_show.ChooseCurve(); }), 1);
  }
  // The draw picks uniformly by remainder: index = r mod size.
  const std::size_t size = m_show.m_curves.size();
  SRand(1234);
  const auto expected = IdOf(*m_show.m_curves[Rand() % static_cast<int>(size)]);
  SRand(1234);
  m_show.ChooseCurve();
  EXPECT_EQ(IdOf(*m_show.m_pCurve), expected);
}

TEST_F(CurveSelection, LastCurveIsTakenWhateverTheDraw) {
  m_show.m_curves.push_back(std::make_unique<CJuliaCurve>(1, 2, 3, 4, 50, 4, 0, 0, 7));
  m_show.ChooseCurve();
  EXPECT_EQ(IdOf(*m_show.m_pCurve), std::make_pair(kJuliaType, 7));
  EXPECT_TRUE(m_show.m_curves.empty());
}

// Counts its own destruction, to see which curve replacement deletes.
class CCountedCurve final : public CCurve {
 public:
  explicit CCountedCurve(int& nDeleted) : CCurve(0, 1, 0, 1, 1, 4, 0, 0, 0, 0), m_n(nDeleted) {}
  ~CCountedCurve() override { ++m_n; }
  COLORREF Iterate(double, double, CColourScheme*) const override { return 0; }

 private:
  int& m_n;
};

TEST_F(CurveSelection, TakingReplacesAndDeletesTheCurrentCurve) {
  int nDeleted = 0;
  m_show.ChooseCurve();  // the first call has nothing to delete
  m_show.m_pCurve = std::make_unique<CCountedCurve>(nDeleted);
  m_show.ChooseCurve();
  EXPECT_EQ(nDeleted, 1);

  // TakeCurve(n) counts from the head.
  const auto third = IdOf(*m_show.m_curves[2]);
  m_show.TakeCurve(2);
  EXPECT_EQ(IdOf(*m_show.m_pCurve), third);
  ExpectPlaneFollowsCurve(m_show);
  // An index outside the list changes nothing.
  const CCurve* pBefore = m_show.m_pCurve.get();
  const std::size_t size = m_show.m_curves.size();
  m_show.TakeCurve(static_cast<int>(size));
  m_show.TakeCurve(-1);
  EXPECT_EQ(m_show.m_pCurve.get(), pBefore);
  EXPECT_EQ(m_show.m_curves.size(), size);
}

TEST_F(CurveSelection, NoTypeBitsGiveTheDefaultCurveEveryTime) {
  m_settings.m_nCurveType = 0x20;
  for (int call = 0; call < 5; ++call) {
    // The default curve's threshold, then the index.
    EXPECT_EQ(DrawsTaken(40 + call, [&] { m_show.ChooseCurve(); }), 2);
    const CCurve& c = *m_show.m_pCurve;
    EXPECT_EQ(IdOf(c), std::make_pair(kMandelbrotType, 0));
    EXPECT_EQ(c.m_x0, -1.35);
    EXPECT_EQ(c.m_x1, 2.65);
    EXPECT_EQ(c.m_y0, -1.5);
    EXPECT_EQ(c.m_y1, 1.5);
    EXPECT_EQ(c.m_nIterations, 100);
    EXPECT_GE(c.m_dBailout, 4);
    EXPECT_LE(c.m_dBailout, 9);
    EXPECT_TRUE(m_show.m_curves.empty());
    ExpectPlaneFollowsCurve(m_show);
  }
}

TEST_F(CurveSelection, DefaultCurveIgnoresTheLimits) {
  m_settings.m_nMaxIterations = 10;
  m_settings.m_nExcludeCurves = 1;
  m_settings.m_nMinIterations = 5;
  m_show.ChooseCurve();
  EXPECT_EQ(m_show.m_pCurve->m_nRow, 0);
  EXPECT_EQ(m_show.m_pCurve->m_nIterations, 100);
}

}  // namespace
