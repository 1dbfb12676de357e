#include "display/frame.h"

#include <algorithm>

namespace {

// Relaxed atomic access to the pixels costs plain loads and stores; it lets
// the presenting thread read what the drawing thread writes without a race.
void Store(std::uint32_t& pixel, std::uint32_t value) {
  std::atomic_ref<std::uint32_t>(pixel).store(value, std::memory_order_relaxed);
}
std::uint32_t Load(const std::uint32_t& pixel) {
  return std::atomic_ref<std::uint32_t>(const_cast<std::uint32_t&>(pixel)).load(std::memory_order_relaxed);
}

}  // namespace

CFrame::CFrame(int nWidth, int nHeight, CPixelFormat format, std::uint32_t* pMemory,
               std::function<void(std::uint32_t*)> release)
    : m_nWidth(std::max(nWidth, 0)),
      m_nHeight(std::max(nHeight, 0)),
      m_format(format),
      m_pPixels(pMemory),
      m_release(std::move(release)),
      m_pRowChanged(std::make_unique<std::atomic<std::uint8_t>[]>(static_cast<std::size_t>(m_nHeight))) {
  const std::size_t n = static_cast<std::size_t>(m_nWidth) * static_cast<std::size_t>(m_nHeight);
  if (!m_pPixels) {
    m_pOwn = std::make_unique<std::uint32_t[]>(n);
    m_pPixels = m_pOwn.get();
  }
  const std::uint32_t black = m_format.ToPixel(0);
  std::fill(m_pPixels, m_pPixels + n, black);
}

CFrame::~CFrame() {
  if (m_release && !m_pOwn) m_release(m_pPixels);
}

void CFrame::SetPixel(int x, int y, COLORREF colour) {
  // One writer: a plain increment, no locked instruction.
  m_nPixelsSet.store(m_nPixelsSet.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
  if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) return;
  Store(m_pPixels[Index(x, y)], m_format.ToPixel(colour));
  // Marked after every pixel, not only when unmarked: a present that took
  // the mark before this pixel landed must find the row marked again.
  m_pRowChanged[static_cast<std::size_t>(y)].store(1, std::memory_order_release);
}

void CFrame::FillBlack() {
  const std::uint32_t black = m_format.ToPixel(0);
  for (int y = 0; y < m_nHeight; ++y) {
    std::uint32_t* row = m_pPixels + Index(0, y);
    for (int x = 0; x < m_nWidth; ++x) Store(row[x], black);
    m_pRowChanged[static_cast<std::size_t>(y)].store(1, std::memory_order_release);
  }
}

COLORREF CFrame::At(int x, int y) const { return m_format.ToColour(Load(m_pPixels[Index(x, y)])); }

void CFrame::ReadRow(int y, COLORREF* pColours) const {
  const std::uint32_t* row = m_pPixels + Index(0, y);
  for (int x = 0; x < m_nWidth; ++x) pColours[x] = m_format.ToColour(Load(row[x]));
}

std::vector<COLORREF> CFrame::Snapshot() const {
  std::vector<COLORREF> colours(static_cast<std::size_t>(m_nWidth) * static_cast<std::size_t>(m_nHeight));
  for (int y = 0; y < m_nHeight; ++y) ReadRow(y, colours.data() + Index(0, y));
  return colours;
}

bool CFrame::TakeChangedRows(const std::function<void(int, int)>& present) {
  bool bAny = false;
  const auto take = [this](int y) {
    // A plain look first: most presents find most rows unchanged, or all changed.
    std::atomic<std::uint8_t>& mark = m_pRowChanged[static_cast<std::size_t>(y)];
    return mark.load(std::memory_order_relaxed) && mark.exchange(0, std::memory_order_acquire);
  };
  for (int y = 0; y < m_nHeight;) {
    if (!take(y)) {
      ++y;
      continue;
    }
    int end = y + 1;
    while (end < m_nHeight && take(end)) ++end;
    present(y, end - y);
    bAny = true;
    y = end;
  }
  return bAny;
}

bool CFrame::AnyChanged() const {
  for (int y = 0; y < m_nHeight; ++y)
    if (m_pRowChanged[static_cast<std::size_t>(y)].load(std::memory_order_relaxed)) return true;
  return false;
}

void CFrame::MarkAllChanged() {
  for (int y = 0; y < m_nHeight; ++y) m_pRowChanged[static_cast<std::size_t>(y)].store(1, std::memory_order_release);
}
