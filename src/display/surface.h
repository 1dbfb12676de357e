#pragma once

#include <atomic>
#include <cstdint>

#include "colour/colour.h"

// What the drawing thread draws on: a frame in memory (display/frame.h),
// which the platform presents; tests may record what arrives.
class ISurface {
 public:
  virtual ~ISurface() = default;
  // Called on the drawing thread before its first and after its last pixel.
  virtual void Open() {}
  virtual void Close() {}
  virtual void SetPixel(int x, int y, COLORREF colour) = 0;
  virtual void FillBlack() = 0;
};

// How the drawing thread waits; tests and the renderer count instead of sleeping.
class ISleeper {
 public:
  virtual ~ISleeper() = default;
  virtual void Sleep(int nMilliseconds) = 0;
  // A clock that never goes back and on which the sleeps pass: a counting
  // sleeper's time advances by what it was asked to sleep.
  virtual std::int64_t NowMicroseconds() = 0;
};

// Sleeps nothing; counts what would have been slept, which is all the time
// that passes on its clock.
class CCountingSleeper : public ISleeper {
 public:
  void Sleep(int nMilliseconds) override {
    m_nCalls.fetch_add(1, std::memory_order_relaxed);
    m_nTotalMs.fetch_add(nMilliseconds, std::memory_order_relaxed);
  }
  std::int64_t NowMicroseconds() override {
    return m_nTotalMs.load(std::memory_order_relaxed) * 1000;
  }
  std::atomic<int> m_nCalls{0};
  std::atomic<long long> m_nTotalMs{0};
};
