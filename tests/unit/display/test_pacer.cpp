#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <numeric>
#include <tuple>
#include <vector>

#include "display/frame.h"
#include "display/pacer.h"
#include "display/slide_show.h"
#include "slide_show_fixture.h"

namespace {

// Sleeps nothing; its clock moves by what it is asked to sleep and by what
// the test says computing took.
class CClockSleeper : public ISleeper {
 public:
  void Sleep(int nMilliseconds) override {
    sleeps.push_back(nMilliseconds);
    nowUs += std::int64_t{nMilliseconds} * 1000;
    if (onSleep) onSleep();
  }
  std::int64_t NowMicroseconds() override { return nowUs; }
  std::int64_t TotalMs() const { return std::accumulate(sleeps.begin(), sleeps.end(), std::int64_t{0}); }

  std::int64_t nowUs = 0;
  std::vector<int> sleeps;
  std::function<void()> onSleep;
};

// Every pixel set costs the given computing time on the sleeper's clock; the
// pixels and black fills are recorded in the order they come.
class CTimedSurface : public CFrame {
 public:
  CTimedSurface(int w, int h, CClockSleeper& sleeper) : CFrame(w, h), m_sleeper(sleeper) {}
  void SetPixel(int x, int y, COLORREF c) override {
    m_sleeper.nowUs += nPixelUs;
    events.emplace_back(x, y, c);
    CFrame::SetPixel(x, y, c);
  }
  void FillBlack() override {
    events.emplace_back(-1, -1, 0);
    CFrame::FillBlack();
  }
  std::int64_t nPixelUs = 0;
  std::vector<std::tuple<int, int, COLORREF>> events;

 private:
  CClockSleeper& m_sleeper;
};

struct CPacedRun {
  CPacedRun(const CSettings& settings, CShowControl& control, int w, int h, bool bEngine = true)
      : control(control), surface(w, h, sleeper), show(settings, control, surface, sleeper) {
    show.SetSize(w, h);
    if (!bEngine) show.SetEngine(nullptr);
  }
  // Runs the frame cycle on this thread until `pictures` pictures are complete.
  void Pictures(int pictures, unsigned seed = 5) {
    show.m_onPictureDone = [this, pictures] {
      sleptAtPicture.push_back(sleeper.TotalMs());
      if (static_cast<int>(sleptAtPicture.size()) >= pictures) control.StopRunning();
    };
    show.DrawThreadProc(seed);
  }
  CShowControl& control;
  CClockSleeper sleeper;
  CTimedSurface surface;
  CSlideShow show;
  std::vector<std::int64_t> sleptAtPicture;
};

class PacingTest : public FrameCycleTest {
 protected:
  void SetUp() override {
    m_settings.m_nCompletionDelay = 0;
    m_settings.m_nBlankingMethod = 2;
  }
};

// The first picture comes after the start's 50 ms.
constexpr std::int64_t kStartMs = 50;

}  // namespace

TEST(Pacer, SpreadsStepsOverTheSpanAndMakesUpForLateSteps) {
  struct Case {
    std::int64_t steps, spanMs, stepUs, wantSleepMs;
  };
  // Computing under, near and over the span; the last sleeps nothing.
  for (const Case c : {Case{1000, 2000, 0, 2000}, Case{1000, 2000, 1200, 800},
                       Case{100000, 3000, 25, 500}, Case{1000, 2000, 3000, 0}}) {
    CClockSleeper sleeper;
    CPacer pacer;
    pacer.Start(sleeper, c.steps, c.spanMs);
    for (std::int64_t left = c.steps; left > 0; --left) {
      while (const int ms = pacer.WaitBefore(left)) sleeper.Sleep(ms);
      sleeper.nowUs += c.stepUs;
    }
    EXPECT_NEAR(static_cast<double>(sleeper.TotalMs()), static_cast<double>(c.wantSleepMs),
                c.spanMs * 0.01 + 1)
        << c.steps << " steps of " << c.stepUs << " us";
    for (int ms : sleeper.sleeps) ASSERT_LE(ms, CPacer::kMaxWaitMs);
  }
}

TEST(Pacer, AfterALongStallTheRestIsStillSpreadOut) {
  CClockSleeper sleeper;
  CPacer pacer;
  pacer.Start(sleeper, 1000, 2000);
  for (std::int64_t left = 1000; left > 0; --left) {
    while (const int ms = pacer.WaitBefore(left)) sleeper.Sleep(ms);
    if (left == 500) sleeper.nowUs += 5'000'000;  // a pause of 5 s halfway
  }
  // Catching up would have raced through the second half without sleeping.
  EXPECT_NEAR(static_cast<double>(sleeper.TotalMs()), 2000.0, 260.0);
}

TEST(Pacer, NothingToSpreadNeverWaits) {
  CClockSleeper sleeper;
  CPacer pacer;
  EXPECT_EQ(pacer.WaitBefore(10), 0);  // never started
  for (auto [steps, spanMs] : {std::pair<std::int64_t, std::int64_t>{0, 1000}, {100, 0}, {100, -5}}) {
    pacer.Start(sleeper, steps, spanMs);
    EXPECT_FALSE(pacer.Active());
    EXPECT_EQ(pacer.WaitBefore(steps), 0);
  }
  // The largest spans and pictures do not overflow into waits.
  pacer.Start(sleeper, std::int64_t{1} << 40, std::int64_t{2147483647} * 1000);
  EXPECT_EQ(pacer.WaitBefore(std::int64_t{1} << 40), 0);
  EXPECT_GE(pacer.WaitBefore(1), 0);
  EXPECT_LE(pacer.WaitBefore(1), CPacer::kMaxWaitMs);
}

TEST_F(PacingTest, PacedPictureSleepsTheDrawingTimeLessItsComputingAndDrawsTheSamePixels) {
  for (int extra : {0, 1}) {
    for (bool engine : {true, false}) {
      m_settings.m_bExtraMemory = extra;
      m_settings.m_nDrawingTime = 0;
      m_control.m_bRunning.store(1);
      CPacedRun plain(m_settings, m_control, 80, 60, engine);
      plain.Pictures(2);

      m_settings.m_nDrawingTime = 4;
      m_control.m_bRunning.store(1);
      CPacedRun paced(m_settings, m_control, 80, 60, engine);
      paced.surface.nPixelUs = 250;  // 4800 pixels: 1.2 s of computing
      paced.Pictures(2);

      ASSERT_EQ(paced.sleptAtPicture.size(), 2u);
      const double want = 4000 - 1200;
      EXPECT_NEAR(static_cast<double>(paced.sleptAtPicture[0] - kStartMs), want, want * 0.1)
          << extra << engine;
      EXPECT_NEAR(static_cast<double>(paced.sleptAtPicture[1] - paced.sleptAtPicture[0]), want,
                  want * 0.1)
          << extra << engine;
      for (int ms : paced.sleeper.sleeps) ASSERT_LE(ms, CPacer::kMaxWaitMs);
      EXPECT_TRUE(paced.surface.events == plain.surface.events) << extra << engine;
      EXPECT_EQ(plain.sleeper.TotalMs(), kStartMs);
    }
  }
}

TEST_F(PacingTest, PictureSlowerThanTheDrawingTimeIsNotHeldBack) {
  m_settings.m_nDrawingTime = 1;
  CPacedRun run(m_settings, m_control, 80, 60);
  run.surface.nPixelUs = 500;  // 2.4 s of computing
  run.Pictures(1);
  ASSERT_EQ(run.sleptAtPicture.size(), 1u);
  EXPECT_LT(run.sleptAtPicture[0] - kStartMs, 100);
}

TEST_F(PacingTest, WexlyFadeTakesATenthOfTheDrawingTimeAndAtMostThreeSeconds) {
  m_settings.m_nBlankingMethod = 4;
  m_settings.m_bExtraMemory = 1;
  for (auto [seconds, fadeMs] : {std::pair<int, int>{20, 2000}, {600, 3000}, {5, 500}}) {
    m_settings.m_nDrawingTime = seconds;
    m_control.m_bRunning.store(1);
    CPacedRun run(m_settings, m_control, 40, 30);
    run.Pictures(2);
    ASSERT_EQ(run.sleptAtPicture.size(), 2u);
    // The first picture comes with Fast Fade; the second fades, then draws.
    const double want = seconds * 1000.0 + fadeMs;
    EXPECT_NEAR(static_cast<double>(run.sleptAtPicture[1] - run.sleptAtPicture[0]), want, want * 0.01)
        << seconds;
  }
}

TEST_F(PacingTest, NextAndCloseAreSeenAfterTheSleepTheyCameIn) {
  m_settings.m_nDrawingTime = 10;
  CPacedRun run(m_settings, m_control, 80, 60);
  std::size_t eventsAtNext = 0, eventsAtClose = 0, sleepsAtClose = 0;
  run.sleeper.onSleep = [&] {
    const std::size_t n = run.sleeper.sleeps.size();
    if (n == 20) {  // well into the first picture, as the Next key does
      eventsAtNext = run.surface.events.size();
      run.show.Next();
    } else if (n == 30) {  // into the next picture's drawing
      eventsAtClose = run.surface.events.size();
      sleepsAtClose = n;
      m_control.StopRunning();
    }
  };
  run.show.DrawThreadProc(3);
  ASSERT_GT(eventsAtNext, 1u);
  ASSERT_GT(eventsAtClose, eventsAtNext + 1);
  // Next: nothing more of the old picture; the change sleeps its 50 ms and
  // blanks with Fast Fade.
  EXPECT_EQ(run.sleeper.sleeps[20], 50);
  EXPECT_EQ(run.surface.events[eventsAtNext], std::make_tuple(-1, -1, COLORREF{0}));
  // Close: nothing more drawn or slept.
  EXPECT_EQ(run.surface.events.size(), eventsAtClose);
  EXPECT_EQ(run.sleeper.sleeps.size(), sleepsAtClose);
}
