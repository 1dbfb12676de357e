#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "display/surface.h"

// A picture in memory, top-down and row-major, for the renderer and tests.
// Pixels outside the picture are ignored, as a device context clips them.
class CMemorySurface : public ISurface {
 public:
  CMemorySurface(int nWidth, int nHeight);

  void SetPixel(int x, int y, COLORREF colour) override;
  void FillBlack() override;

  int Width() const { return m_nWidth; }
  int Height() const { return m_nHeight; }
  // A consistent copy, safe to take while another thread draws.
  std::vector<COLORREF> Snapshot() const;
  // Direct access for the thread that draws.
  const std::vector<COLORREF>& Pixels() const { return m_pixels; }
  COLORREF At(int x, int y) const { return m_pixels[static_cast<std::size_t>(y) * m_nWidth + x]; }
  // How many SetPixel calls arrived, in or out of the picture.
  std::uint64_t PixelsSet() const { return m_nPixelsSet.load(std::memory_order_relaxed); }

 private:
  int m_nWidth;
  int m_nHeight;
  std::vector<COLORREF> m_pixels;
  std::atomic<std::uint64_t> m_nPixelsSet{0};
  mutable std::mutex m_mutex;
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
