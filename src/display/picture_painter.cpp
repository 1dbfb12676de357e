#include "display/picture_painter.h"

#include <system_error>

#include "display/plane_map.h"
#include "fractal/curve.h"

CPicturePainter::Scratch::Scratch(int nWidth)
    : re(static_cast<std::size_t>(nWidth)),
      im(static_cast<std::size_t>(nWidth)),
      results(static_cast<std::size_t>(nWidth)),
      row(static_cast<std::size_t>(nWidth)) {}

CPicturePainter::CPicturePainter(const CPlaneMap& plane, const std::vector<CColourScheme*>& schemes,
                                 EngineKind kind, Order order, SimdIsa isa)
    : m_plane(plane),
      m_pFirstScheme(schemes.empty() ? nullptr : schemes[0]),
      m_kind(kind),
      m_order(order),
      m_isa(IsaAvailable(isa) ? isa : SimdIsa::kSse2),
      m_nWidth(plane.m_nWidth > 0 ? plane.m_nWidth : 0),
      m_nHeight(plane.m_nHeight > 0 ? plane.m_nHeight : 0) {
  if (schemes.size() > 1) {
    // Left unfilled: each row's first touch falls to the thread computing it.
    m_pPixels.reset(new COLORREF[static_cast<std::size_t>(m_nWidth) * m_nHeight]);
    m_ready.assign(static_cast<std::size_t>(m_nHeight), 0);
    for (CColourScheme* pScheme : schemes) {
      // Fewer threads only take longer.
      try {
        m_helpers.emplace_back([this, pScheme] { HelperLoop(pScheme); });
      } catch (const std::system_error&) {
        break;
      }
    }
  }
  if (m_helpers.empty()) m_pScratch = std::make_unique<Scratch>(m_nWidth);
}

CPicturePainter::~CPicturePainter() {
  m_bQuit.store(true, std::memory_order_relaxed);
  for (std::thread& t : m_helpers) t.join();
}

const COLORREF* CPicturePainter::Row(int y) {
  if (y < 0 || y >= m_nHeight) return nullptr;
  if (m_helpers.empty()) {
    PaintRow(m_pFirstScheme, y, *m_pScratch, m_pScratch->row.data());
    return m_pScratch->row.data();
  }
  std::unique_lock<std::mutex> lock(m_mutex);
  m_rowDone.wait(lock, [&] { return m_ready[static_cast<std::size_t>(y)] != 0; });
  return &m_pPixels[static_cast<std::size_t>(y) * m_nWidth];
}

void CPicturePainter::HelperLoop(CColourScheme* pScheme) {
  Scratch s(m_nWidth);
  while (!m_bQuit.load(std::memory_order_relaxed)) {
    const int k = m_nNextRow.fetch_add(1, std::memory_order_relaxed);
    if (k >= m_nHeight) return;
    const int y = m_order == Order::kBottomUp ? m_nHeight - 1 - k : k;
    PaintRow(pScheme, y, s, &m_pPixels[static_cast<std::size_t>(y) * m_nWidth]);
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_ready[static_cast<std::size_t>(y)] = 1;
    }
    m_rowDone.notify_one();
  }
}

void CPicturePainter::PaintRow(CColourScheme* pScheme, int y, Scratch& s, COLORREF* out) const {
  const CPlaneMap& plane = m_plane;
  const int w = m_nWidth;
  // Curves without a batch formula need the real scheme inside Iterate.
  if (m_kind == EngineKind::kScalar || plane.m_pCurve == nullptr || !HasBatchFormula(*plane.m_pCurve)) {
    for (int x = 0; x < w; ++x) out[x] = plane.ColourAt(x, y, pScheme);
    return;
  }
  // The very operations of ColourAt.
  const double dx = (plane.m_x1 - plane.m_x0) / plane.m_nWidth;
  const double dy = (plane.m_y1 - plane.m_y0) / plane.m_nHeight;
  const double im = dy * y + plane.m_y0;
  for (int x = 0; x < w; ++x) {
    s.re[x] = dx * x + plane.m_x0;
    s.im[x] = im;
  }
  IterateBatch(*plane.m_pCurve, s.re.data(), s.im.data(), static_cast<std::size_t>(w), s.results.data(), m_isa);
  for (int x = 0; x < w; ++x) out[x] = ResultColour(s.results[x], pScheme);
}
