#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "display/pixel_format.h"
#include "display/surface.h"

// One show's picture in memory: 32-bit pixels in the platform's layout, top
// down, rows packed. The drawing thread is its only writer; the thread that
// presents it reads it while it is drawn, without a lock: each row written
// is marked, and a present takes the marks, so a pixel written while its row
// was on its way to the screen goes again with the next present.
class CFrame : public ISurface {
 public:
  // Draws into pMemory (nWidth * nHeight pixels, given back through release
  // when the frame goes) when given, else into memory of its own. Starts black.
  CFrame(int nWidth, int nHeight, CPixelFormat format = {}, std::uint32_t* pMemory = nullptr,
         std::function<void(std::uint32_t*)> release = {});
  ~CFrame() override;
  CFrame(const CFrame&) = delete;
  CFrame& operator=(const CFrame&) = delete;

  // Pixels outside the frame are ignored, as a device context clips them.
  void SetPixel(int x, int y, COLORREF colour) override;
  void FillBlack() override;

  int Width() const { return m_nWidth; }
  int Height() const { return m_nHeight; }
  const CPixelFormat& Format() const { return m_format; }
  // For a presenter that hands the memory to the platform as it stands.
  const std::uint32_t* Memory() const { return m_pPixels; }

  COLORREF At(int x, int y) const;
  // Row y's colours into pColours (Width() of them).
  void ReadRow(int y, COLORREF* pColours) const;
  // The whole picture as colours, for screenshots.
  std::vector<COLORREF> Snapshot() const;

  // Calls present(firstRow, rowCount) for each run of rows changed since the
  // last call, and nothing when none did; true when it presented anything.
  bool TakeChangedRows(const std::function<void(int, int)>& present);
  // Whether a present would find anything: a look that takes no mark.
  bool AnyChanged() const;
  // Marks every row changed, for a presenter that lost what it showed.
  void MarkAllChanged();

  // How many SetPixel calls arrived, in or out of the frame.
  std::uint64_t PixelsSet() const { return m_nPixelsSet.load(std::memory_order_relaxed); }

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_nWidth) + static_cast<std::size_t>(x);
  }

  int m_nWidth;
  int m_nHeight;
  CPixelFormat m_format;
  std::unique_ptr<std::uint32_t[]> m_pOwn;
  std::uint32_t* m_pPixels;
  std::function<void(std::uint32_t*)> m_release;
  std::unique_ptr<std::atomic<std::uint8_t>[]> m_pRowChanged;
  std::atomic<std::uint64_t> m_nPixelsSet{0};
};
