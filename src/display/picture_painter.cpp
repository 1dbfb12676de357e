#include "display/picture_painter.h"

#include <algorithm>
#include <system_error>

#include "display/plane_map.h"
#include "fractal/curve.h"

namespace {
// Enough that a slow row holds no thread up, little enough to stay in cache.
constexpr int kSlotsPerThread = 16;
constexpr int kMinSlots = 64;
// Fewer than the slots, or the caller would wait for rows no thread may make.
constexpr int kRowsPerWake = 16;
}  // namespace

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
    m_nSlots = std::max(kMinSlots, kSlotsPerThread * static_cast<int>(schemes.size()));
    m_pRing.reset(new COLORREF[static_cast<std::size_t>(m_nSlots) * m_nWidth]);
    m_slotHolds.assign(static_cast<std::size_t>(m_nSlots), -1);
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
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bQuit = true;
  }
  m_slotFree.notify_all();
  for (std::thread& t : m_helpers) t.join();
}

const COLORREF* CPicturePainter::Row(int y) {
  const int k = m_nAsked;
  if (k >= m_nHeight || y != RowAt(k)) return nullptr;
  ++m_nAsked;
  if (m_helpers.empty()) {
    PaintRow(m_pFirstScheme, y, *m_pScratch, m_pScratch->row.data());
    return m_pScratch->row.data();
  }
  std::unique_lock<std::mutex> lock(m_mutex);
  // The row handed out before is done with.
  m_nReleased = k;
  m_slotFree.notify_all();
  if (!Ready(k, k + 1)) {
    m_nWaitFrom = k;
    m_nWaitEnd = std::min(m_nHeight, k + kRowsPerWake);
    m_rowDone.wait(lock, [&] { return Ready(m_nWaitFrom, m_nWaitEnd); });
    m_nWaitEnd = 0;
  }
  return Slot(k);
}

bool CPicturePainter::Ready(int from, int end) const {
  for (int k = from; k < end; ++k)
    if (m_slotHolds[static_cast<std::size_t>(k % m_nSlots)] != k) return false;
  return true;
}

void CPicturePainter::HelperLoop(CColourScheme* pScheme) {
  Scratch s(m_nWidth);
  for (;;) {
    const int k = m_nNextRow.fetch_add(1, std::memory_order_relaxed);
    if (k >= m_nHeight) return;
    {
      std::unique_lock<std::mutex> lock(m_mutex);
      m_slotFree.wait(lock, [&] { return m_bQuit || k < m_nReleased + m_nSlots; });
      if (m_bQuit) return;
    }
    PaintRow(pScheme, RowAt(k), s, Slot(k));
    bool wake;
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_slotHolds[static_cast<std::size_t>(k % m_nSlots)] = k;
      wake = k >= m_nWaitFrom && k < m_nWaitEnd && Ready(m_nWaitFrom, m_nWaitEnd);
    }
    if (wake) m_rowDone.notify_one();
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
