#pragma once

#include <atomic>
#include <memory>
#include <thread>

#include "display/slide_show.h"

// Sleeps for real: the saver windows' drawing threads.
class CRealSleeper : public ISleeper {
 public:
  void Sleep(int nMilliseconds) override;
  std::int64_t NowMicroseconds() override;
};

// The drawing thread of one slide show. The thread holds a share of what it
// draws with, so when its owner gives up waiting for it and goes away, the
// thread can still finish without touching freed memory. Give it a
// shared_ptr that also keeps the surface and the sleeper alive (the aliasing
// constructor of shared_ptr does that for a bundle holding all three).
class CDrawThread {
 public:
  CDrawThread() = default;
  ~CDrawThread();
  CDrawThread(const CDrawThread&) = delete;
  CDrawThread& operator=(const CDrawThread&) = delete;

  void Start(std::shared_ptr<CSlideShow> pShow, unsigned int seed);
  bool Started() const { return m_thread.joinable(); }
  bool Done() const { return m_pDone && m_pDone->load() != 0; }
  // True when the thread ended because an allocation failed; the show then
  // stops drawing, and its owner says so.
  bool OutOfMemory() const { return m_pDone && m_pDone->load() == kOutOfMemory; }

  // Waits until the thread has cleaned up, at most nTimeoutMs; true when it has.
  bool WaitDone(int nTimeoutMs);

 private:
  static constexpr int kOutOfMemory = 2;
  std::thread m_thread;
  std::shared_ptr<std::atomic<int>> m_pDone;
};
