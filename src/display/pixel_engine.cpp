#include "display/pixel_engine.h"

#include "display/plane_map.h"
#include "fractal/curve.h"

namespace {
// Small enough to share a costly picture's slow rows out evenly, large enough
// to keep the lanes streaming.
constexpr std::size_t kChunk = 512;
}  // namespace

CPixelEngine::CPixelEngine(EngineKind kind, int nThreads, SimdIsa isa)
    : m_kind(kind), m_isa(IsaAvailable(isa) ? isa : SimdIsa::kSse2) {
  for (int i = 1; i < nThreads; ++i) m_workers.emplace_back([this] { WorkerLoop(); });
}

CPixelEngine::~CPixelEngine() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bQuit = true;
  }
  m_wake.notify_all();
  for (std::thread& t : m_workers) t.join();
}

int CPixelEngine::Lanes() const { return m_kind == EngineKind::kVector ? IsaLanes(m_isa) : 1; }

void CPixelEngine::Colours(const CPlaneMap& plane, CColourScheme* pScheme, const int* xs,
                           const int* ys, std::size_t n, COLORREF* out) {
  const CCurve* curve = plane.m_pCurve;
  // The reference path; also for curves whose Iterate is not one of the
  // five formulas, since only the real scheme can answer those.
  if (curve == nullptr || (m_kind == EngineKind::kScalar && m_workers.empty()) ||
      !HasBatchFormula(*curve)) {
    for (std::size_t i = 0; i < n; ++i) out[i] = plane.ColourAt(xs[i], ys[i], pScheme);
    return;
  }
  if (m_re.size() < n) {
    m_re.resize(n);
    m_im.resize(n);
    m_results.resize(n);
  }
  m_pPlane = &plane;
  m_pXs = xs;
  m_pYs = ys;
  m_nCount = n;
  m_nNextChunk.store(0, std::memory_order_relaxed);
  if (m_workers.empty() || n <= kChunk) {
    ComputeChunks();
  } else {
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_nBusy = static_cast<int>(m_workers.size());
      ++m_nGeneration;
    }
    m_wake.notify_all();
    ComputeChunks();
    std::unique_lock<std::mutex> lock(m_mutex);
    m_finished.wait(lock, [this] { return m_nBusy == 0; });
  }
  for (std::size_t i = 0; i < n; ++i) out[i] = ResultColour(m_results[i], pScheme);
}

void CPixelEngine::ComputeChunks() {
  const CPlaneMap& plane = *m_pPlane;
  const CCurve& curve = *plane.m_pCurve;
  // The very operations of ColourAt.
  const double dx = (plane.m_x1 - plane.m_x0) / plane.m_nWidth;
  const double dy = (plane.m_y1 - plane.m_y0) / plane.m_nHeight;
  for (;;) {
    const std::size_t begin = m_nNextChunk.fetch_add(kChunk, std::memory_order_relaxed);
    if (begin >= m_nCount) return;
    const std::size_t end = begin + kChunk < m_nCount ? begin + kChunk : m_nCount;
    for (std::size_t i = begin; i < end; ++i) {
      m_re[i] = dx * m_pXs[i] + plane.m_x0;
      m_im[i] = dy * m_pYs[i] + plane.m_y0;
    }
    if (m_kind == EngineKind::kVector) {
      IterateBatch(curve, &m_re[begin], &m_im[begin], end - begin, &m_results[begin], m_isa);
    } else {
      for (std::size_t i = begin; i < end; ++i) m_results[i] = IterateRecorded(curve, m_re[i], m_im[i]);
    }
  }
}

void CPixelEngine::WorkerLoop() {
  unsigned seen = 0;
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(m_mutex);
      m_wake.wait(lock, [&] { return m_bQuit || m_nGeneration != seen; });
      if (m_bQuit) return;
      seen = m_nGeneration;
    }
    ComputeChunks();
    std::lock_guard<std::mutex> lock(m_mutex);
    if (--m_nBusy == 0) m_finished.notify_one();
  }
}
