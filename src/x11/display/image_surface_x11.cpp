#include "x11/display/image_surface_x11.h"

#include <algorithm>

CImageSurface::CImageSurface(int nWidth, int nHeight, CPixelFormat format, std::uint32_t* pMemory,
                             std::function<void(std::uint32_t*)> release)
    : m_nWidth(std::max(nWidth, 0)),
      m_nHeight(std::max(nHeight, 0)),
      m_format(format),
      m_pPixels(pMemory),
      m_release(std::move(release)),
      m_changed(static_cast<std::size_t>(m_nHeight), 0) {
  const std::size_t n = static_cast<std::size_t>(m_nWidth) * static_cast<std::size_t>(m_nHeight);
  if (!m_pPixels) {
    m_own.assign(n, 0);
    m_pPixels = m_own.data();
  } else {
    std::fill(m_pPixels, m_pPixels + n, 0u);
  }
}

CImageSurface::~CImageSurface() {
  if (m_release && m_pPixels != m_own.data()) m_release(m_pPixels);
}

void CImageSurface::SetPixel(int x, int y, COLORREF colour) {
  if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) return;
  const std::uint32_t pixel = m_format.ToPixel(colour);
  std::lock_guard<std::mutex> lock(m_mutex);
  m_pPixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_nWidth) + static_cast<std::size_t>(x)] = pixel;
  m_changed[static_cast<std::size_t>(y)] = 1;
  m_bAnyChanged = true;
}

void CImageSurface::FillBlack() {
  const std::uint32_t black = m_format.ToPixel(0);
  std::lock_guard<std::mutex> lock(m_mutex);
  std::fill(m_pPixels, m_pPixels + static_cast<std::size_t>(m_nWidth) * static_cast<std::size_t>(m_nHeight), black);
  std::fill(m_changed.begin(), m_changed.end(), 1);
  m_bAnyChanged = m_nHeight > 0;
}

void CImageSurface::SendChangedRows(const std::function<void(int, int)>& send) {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (!m_bAnyChanged) return;
  for (int y = 0; y < m_nHeight;) {
    if (!m_changed[static_cast<std::size_t>(y)]) {
      ++y;
      continue;
    }
    int end = y;
    while (end < m_nHeight && m_changed[static_cast<std::size_t>(end)]) m_changed[static_cast<std::size_t>(end++)] = 0;
    send(y, end - y);
    y = end;
  }
  m_bAnyChanged = false;
}

void CImageSurface::WithImage(const std::function<void()>& fn) {
  std::lock_guard<std::mutex> lock(m_mutex);
  fn();
}

std::vector<COLORREF> CImageSurface::Snapshot() {
  std::lock_guard<std::mutex> lock(m_mutex);
  const std::size_t n = static_cast<std::size_t>(m_nWidth) * static_cast<std::size_t>(m_nHeight);
  std::vector<COLORREF> colours(n);
  for (std::size_t i = 0; i < n; ++i) colours[i] = m_format.ToColour(m_pPixels[i]);
  return colours;
}
