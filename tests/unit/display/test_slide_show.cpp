#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "app/random.h"
#include "colour/colour_scheme.h"
#include "colour/scheme_registry.h"
#include "display/blanking.h"
#include "display/frame.h"
#include "display/plane_map.h"
#include "display/slide_show.h"
#include "fractal/curve.h"
#include "slide_show_fixture.h"
#include "test_selection_fixture.h"

namespace {

// Remembers what happened to it, in order.
class CRecordingSurface : public CFrame {
 public:
  using CFrame::CFrame;
  void SetPixel(int x, int y, COLORREF c) override {
    if (m_onPixel) m_onPixel(x, y, c);
    columns.insert(x);
    CFrame::SetPixel(x, y, c);
  }
  void FillBlack() override {
    ++fills;
    CFrame::FillBlack();
  }
  std::function<void(int, int, COLORREF)> m_onPixel;
  std::set<int> columns;
  int fills = 0;
};

// Runs the frame cycle on this thread until `pictures` pictures are complete.
struct CShowRun {
  CShowRun(const CSettings& settings, CShowControl& control, int w, int h)
      : control(control), surface(w, h), show(settings, control, surface, sleeper) {
    show.SetSize(w, h);
  }
  void Pictures(int pictures, unsigned seed = 1) {
    show.m_onPictureDone = [this, pictures] {
      sleepsAtPicture.push_back({sleeper.m_nCalls.load(), sleeper.m_nTotalMs.load()});
      blanking.push_back(show.Blanking());
      if (static_cast<int>(blanking.size()) >= pictures) control.StopRunning();
    };
    show.DrawThreadProc(seed);
  }
  CShowControl& control;
  CRecordingSurface surface;
  CCountingSleeper sleeper;
  CSlideShow show;
  std::vector<std::pair<int, long long>> sleepsAtPicture;
  std::vector<int> blanking;
};

}  // namespace

TEST_F(FrameCycleTest, FirstPictureComesAfterFiftyMillisecondsWithFastFadeAndNoDelay) {
  CShowRun run(m_settings, m_control, 8, 6);
  run.Pictures(1);
  ASSERT_EQ(run.sleepsAtPicture.size(), 1u);
  EXPECT_EQ(run.sleepsAtPicture[0], std::make_pair(1, 50LL));
  EXPECT_EQ(run.blanking[0], 2);
  EXPECT_EQ(run.surface.fills, 2);  // the thread's start and the Fast Fade
  EXPECT_EQ(run.show.Curve(), nullptr);  // freed on the way out
}

TEST_F(FrameCycleTest, CompletionDelayIsSleptInTenthsOfASecond) {
  CShowRun run(m_settings, m_control, 4, 4);
  run.Pictures(3);
  ASSERT_EQ(run.sleepsAtPicture.size(), 3u);
  EXPECT_EQ(run.sleepsAtPicture[1], std::make_pair(11, 1050LL));
  EXPECT_EQ(run.sleepsAtPicture[2], std::make_pair(21, 2050LL));
}

TEST_F(FrameCycleTest, ZeroOrNegativeDelayMeansNoSleeping) {
  for (int delay : {0, -5000, 99}) {
    m_control.m_bRunning.store(1);
    m_settings.m_nCompletionDelay = delay;
    CShowRun run(m_settings, m_control, 4, 4);
    run.Pictures(3);
    EXPECT_EQ(run.sleeper.m_nTotalMs.load(), 50) << delay;
  }
}

TEST_F(FrameCycleTest, WithoutExtraMemoryOddWidthLeavesTheLastColumnUndrawn) {
  CShowRun run(m_settings, m_control, 5, 4);
  run.Pictures(1);
  EXPECT_EQ(run.surface.columns, (std::set<int>{0, 1, 2, 3}));
}

TEST_F(FrameCycleTest, EveryPixelIsComputedInBothModes) {
  for (int extra : {0, 1}) {
    m_control.m_bRunning.store(1);
    m_settings.m_bExtraMemory = extra;
    CShowRun run(m_settings, m_control, 6, 4);
    std::multiset<std::pair<int, int>> seen;
    run.surface.m_onPixel = [&](int x, int y, COLORREF) { seen.insert({x, y}); };
    run.Pictures(1);
    EXPECT_EQ(seen.size(), 24u) << extra;
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 6; ++x) EXPECT_EQ(seen.count({x, y}), 1u) << x << "," << y;
  }
}

using Blanking = SelectionTest;

TEST_F(Blanking, ChoiceFollowsTheMask) {
  SRand(3);
  EXPECT_EQ(ChooseBlanking(kWexlyFade, true), kFastFade);  // Next forces Fast Fade
  for (int mask : {kFastFade, kWexlyFade, kNoFade}) {
    EXPECT_EQ(DrawsTaken(5, [&] { EXPECT_EQ(ChooseBlanking(mask, false), mask); }), 0);
  }
  // Masks without a known method (hand-edited) must end, as Fast Fade.
  for (int mask : {0, 1, 0x10, 0x7FFFFFF1, -2147483647 - 1}) EXPECT_EQ(ChooseBlanking(mask, false), kFastFade) << mask;
  int fast = 0, wexly = 0;
  for (int i = 0; i < 3000; ++i) {
    const int b = ChooseBlanking(kFastFade | kWexlyFade, false);
    (b == kFastFade ? fast : wexly)++;
    ASSERT_TRUE(b == kFastFade || b == kWexlyFade);
  }
  EXPECT_NEAR(fast, 1500, 150);
  EXPECT_NEAR(wexly, 1500, 150);
  EXPECT_STREQ(BlankingName(kWexlyFade), "Wexly Fade");
  EXPECT_STREQ(BlankingName(kNoFade), "No Fade");
  EXPECT_STREQ(BlankingName(0x10), "Fast Fade");
}

TEST_F(FrameCycleTest, NoFadeDrawsOverTheOldPicture) {
  m_settings.m_nBlankingMethod = 8;
  m_settings.m_nCompletionDelay = 0;
  CShowRun run(m_settings, m_control, 4, 4);
  run.Pictures(3);
  EXPECT_EQ(run.blanking, (std::vector<int>{2, 8, 8}));
  EXPECT_EQ(run.surface.fills, 2);
}

// Next pressed while the old picture dissolves: the fade goes on to the end,
// the new picture is drawn completely, and the change after it is quick.
TEST_F(FrameCycleTest, NextDuringWexlyFade) {
  m_settings.m_nBlankingMethod = 4;
  m_settings.m_bExtraMemory = 1;
  CShowRun run(m_settings, m_control, 6, 5);
  // Between the first picture and the second: the fade's pixels, then the second's.
  std::vector<COLORREF> between;
  run.surface.m_onPixel = [&](int, int, COLORREF c) {
    if (run.blanking.size() != 1) return;
    if (between.empty()) run.show.Next();
    between.push_back(c);
  };
  run.Pictures(3);
  ASSERT_EQ(between.size(), 60u);
  EXPECT_EQ(std::vector<COLORREF>(between.begin(), between.begin() + 30), std::vector<COLORREF>(30, 0));
  ASSERT_EQ(run.blanking, (std::vector<int>{2, 4, 2}));
  // Picture 2 after the full delay; picture 3 after only the 50 ms of Next.
  EXPECT_EQ(run.sleepsAtPicture[1].second, 1050);
  EXPECT_EQ(run.sleepsAtPicture[2].second, 1100);
}

// Each picture is its curve's rectangle in its scheme's colours, as the
// report line names them.
TEST_F(FrameCycleTest, PictureIsTheChosenCurveInTheChosenScheme) {
  m_settings.m_bExtraMemory = 1;
  m_settings.m_nColourScheme = 0x0003;
  CShowRun run(m_settings, m_control, 12, 9);
  int nCompared = 0;
  run.show.m_onPictureDone = [&] {
    ASSERT_NE(run.show.Curve(), nullptr);
    CPlaneMap plane;
    plane.m_nWidth = 12;
    plane.m_nHeight = 9;
    plane.SetCurve(run.show.Curve());
    CSchemeVariants variants;
    const std::unique_ptr<CColourScheme> pScheme = CreateScheme(run.show.SchemeBit(), variants);
    ASSERT_TRUE(pScheme);
    std::vector<COLORREF> want;
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 12; ++x) want.push_back(plane.ColourAt(x, y, pScheme.get()));
    std::vector<COLORREF> got;
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 12; ++x) got.push_back(run.surface.At(x, y));
    EXPECT_EQ(got, want) << "picture " << nCompared + 1;
    if (++nCompared == 4) m_control.StopRunning();
  };
  run.show.DrawThreadProc(17);
  EXPECT_EQ(nCompared, 4);
}

TEST_F(FrameCycleTest, SameSeedSamePictures) {
  CShowRun a(m_settings, m_control, 16, 12), b(m_settings, m_control, 16, 12);
  a.Pictures(4, 99);
  m_control.m_bRunning.store(1);
  b.Pictures(4, 99);
  EXPECT_EQ(a.surface.Snapshot(), b.surface.Snapshot());
}
