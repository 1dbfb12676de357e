#include "display/memory_surface.h"

#include <algorithm>

CMemorySurface::CMemorySurface(int nWidth, int nHeight)
    : m_nWidth(std::max(nWidth, 0)),
      m_nHeight(std::max(nHeight, 0)),
      m_pixels(static_cast<std::size_t>(m_nWidth) * static_cast<std::size_t>(m_nHeight), 0) {}

void CMemorySurface::SetPixel(int x, int y, COLORREF colour) {
  m_nPixelsSet.fetch_add(1, std::memory_order_relaxed);
  if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) return;
  // Uncontended but for the odd snapshot, so the lock costs little.
  std::lock_guard<std::mutex> lock(m_mutex);
  m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_nWidth) + static_cast<std::size_t>(x)] = colour;
}

void CMemorySurface::FillBlack() {
  std::lock_guard<std::mutex> lock(m_mutex);
  std::fill(m_pixels.begin(), m_pixels.end(), 0);
}

std::vector<COLORREF> CMemorySurface::Snapshot() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_pixels;
}
