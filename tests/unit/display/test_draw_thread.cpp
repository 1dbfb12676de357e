#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <random>
#include <thread>

#include "display/draw_thread.h"
#include "display/frame.h"
#include "display/slide_show.h"
#include "slide_show_fixture.h"

namespace {

using namespace std::chrono_literals;

// Surface, sleeper and show in one block, so the drawing thread's share
// keeps all three alive.
struct CDrawing {
  CDrawing(const CSettings& settings, CShowControl& control, int w, int h)
      : surface(w, h), show(settings, control, surface, sleeper) {
    show.SetSize(w, h);
  }
  CFrame surface;
  CRealSleeper sleeper;
  CSlideShow show;
};

std::shared_ptr<CSlideShow> ShowOf(const std::shared_ptr<CDrawing>& drawing) {
  return std::shared_ptr<CSlideShow>(drawing, &drawing->show);
}

bool Eventually(const std::function<bool()>& condition) {
  for (int i = 0; i < 1000 && !condition(); ++i) std::this_thread::sleep_for(5ms);
  return condition();
}

}  // namespace

// Next, pause, resume, snapshots and the stop, at random moments, from
// another thread; ThreadSanitizer runs this in the test command.
TEST_F(FrameCycleTest, ThreadStressNextPauseSnapshotStop) {
  std::mt19937 random(12345);
  for (int round = 0; round < 6; ++round) {
    m_control.m_bRunning.store(1);
    m_settings.m_nCompletionDelay = round % 2 ? 0 : 200;
    m_settings.m_nBlankingMethod = 14;
    auto drawing = std::make_shared<CDrawing>(m_settings, m_control, 32, 24);
    CDrawThread thread;
    thread.Start(ShowOf(drawing), 100u + round);
    for (int step = 0; step < 40; ++step) {
      switch (random() % 4) {
        case 0:
          drawing->show.Next();
          break;
        case 1: m_control.SetPaused(true); break;
        case 2: m_control.SetPaused(false); break;
        default: (void)drawing->surface.Snapshot(); break;
      }
      std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
    }
    m_control.StopRunning();  // also while paused
    EXPECT_TRUE(thread.WaitDone(5000)) << round;
    m_control.SetPaused(false);
  }
}

TEST_F(FrameCycleTest, ThreadPauseHoldsTheDrawingUntilResumed) {
  auto drawing = std::make_shared<CDrawing>(m_settings, m_control, 400, 300);
  m_settings.m_bExtraMemory = 1;
  CDrawThread thread;
  thread.Start(ShowOf(drawing), 5);
  ASSERT_TRUE(Eventually([&] { return drawing->surface.PixelsSet() > 100; }));
  m_control.SetPaused(true);
  std::this_thread::sleep_for(50ms);  // lets the thread reach the gate
  const auto held = drawing->surface.PixelsSet();
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(drawing->surface.PixelsSet(), held);
  m_control.SetPaused(false);
  EXPECT_TRUE(Eventually([&] { return drawing->surface.PixelsSet() > held; }));
  m_control.StopRunning();
  EXPECT_TRUE(thread.WaitDone(5000));
}

namespace {
// Blocks inside SetPixel until released, as a drawing call into a hung
// window might.
class CStuckSurface : public CFrame {
 public:
  using CFrame::CFrame;
  void SetPixel(int x, int y, COLORREF c) override {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_entered = true;
    m_changed.notify_all();
    m_changed.wait(lock, [this] { return m_released; });
    CFrame::SetPixel(x, y, c);
  }
  void Release() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_released = true;
    m_changed.notify_all();
  }
  void WaitEntered() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_entered; });
  }

 private:
  std::mutex m_mutex;
  std::condition_variable m_changed;
  bool m_entered = false;
  bool m_released = false;
};

struct CStuckDrawing {
  CStuckDrawing(const CSettings& settings, CShowControl& control)
      : surface(8, 8), show(settings, control, surface, sleeper) {
    show.SetSize(8, 8);
  }
  CStuckSurface surface;
  CCountingSleeper sleeper;
  CSlideShow show;
};
}  // namespace

// The owner gives up waiting and goes; the thread, released later, must
// still find everything it uses alive (AddressSanitizer checks this).
TEST_F(FrameCycleTest, ThreadOutlivingItsOwnerTouchesNoFreedState) {
  auto drawing = std::make_shared<CStuckDrawing>(m_settings, m_control);
  std::weak_ptr<CStuckDrawing> watch = drawing;
  CStuckSurface* surface = &drawing->surface;
  {
    auto thread = std::make_unique<CDrawThread>();
    thread->Start(std::shared_ptr<CSlideShow>(drawing, &drawing->show), 1);
    surface->WaitEntered();
    m_control.StopRunning();
    EXPECT_FALSE(thread->WaitDone(20));
    drawing.reset();
    thread.reset();  // detaches: the thread keeps its share
  }
  ASSERT_FALSE(watch.expired());
  surface->Release();
  EXPECT_TRUE(Eventually([&] { return watch.expired(); }));
}
