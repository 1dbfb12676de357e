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

bool CPixelEngine::CanStart(const CPlaneMap& plane) const {
  // Otherwise the reference path; also for curves whose Iterate is not one
  // of the five formulas, since only the real scheme can answer those.
  return plane.m_pCurve != nullptr && (m_kind == EngineKind::kVector || !m_workers.empty()) &&
         HasBatchFormula(*plane.m_pCurve);
}

void CPixelEngine::Colours(const CPlaneMap& plane, CColourScheme* pScheme, const int* xs,
                           const int* ys, std::size_t n, COLORREF* out) {
  if (!CanStart(plane)) {
    for (std::size_t i = 0; i < n; ++i) out[i] = plane.ColourAt(xs[i], ys[i], pScheme);
    return;
  }
  const int slot = Start(plane, xs, ys, n);
  Finish();
  ColourSlot(slot, pScheme, out);
}

int CPixelEngine::Start(const CPlaneMap& plane, const int* xs, const int* ys, std::size_t n) {
  const int slot = m_nCurrent ^ 1;
  Job& job = m_jobs[slot];
  if (job.re.size() < n) {
    job.re.resize(n);
    job.im.resize(n);
    job.results.resize(n);
  }
  job.pPlane = &plane;
  job.pXs = xs;
  job.pYs = ys;
  job.nCount = n;
  m_nNextChunk.store(0, std::memory_order_relaxed);
  std::lock_guard<std::mutex> lock(m_mutex);
  m_nCurrent = slot;
  // A small job is not worth waking anyone for.
  if (!m_workers.empty() && n > kChunk) {
    m_nBusy = static_cast<int>(m_workers.size());
    ++m_nGeneration;
    m_wake.notify_all();
  }
  return slot;
}

void CPixelEngine::Finish() {
  ComputeChunks();
  std::unique_lock<std::mutex> lock(m_mutex);
  m_finished.wait(lock, [this] { return m_nBusy == 0; });
}

void CPixelEngine::ColourSlot(int slot, CColourScheme* pScheme, COLORREF* out) const {
  const Job& job = m_jobs[slot];
  for (std::size_t i = 0; i < job.nCount; ++i) out[i] = ResultColour(job.results[i], pScheme);
}

void CPixelEngine::ComputeChunks() {
  Job& job = m_jobs[m_nCurrent];
  const CPlaneMap& plane = *job.pPlane;
  const CCurve& curve = *plane.m_pCurve;
  // The very operations of ColourAt.
  const double dx = (plane.m_x1 - plane.m_x0) / plane.m_nWidth;
  const double dy = (plane.m_y1 - plane.m_y0) / plane.m_nHeight;
  for (;;) {
    const std::size_t begin = m_nNextChunk.fetch_add(kChunk, std::memory_order_relaxed);
    if (begin >= job.nCount) return;
    const std::size_t end = begin + kChunk < job.nCount ? begin + kChunk : job.nCount;
    for (std::size_t i = begin; i < end; ++i) {
      job.re[i] = dx * job.pXs[i] + plane.m_x0;
      job.im[i] = dy * job.pYs[i] + plane.m_y0;
    }
    if (m_kind == EngineKind::kVector) {
      IterateBatch(curve, &job.re[begin], &job.im[begin], end - begin, &job.results[begin], m_isa);
    } else {
      for (std::size_t i = begin; i < end; ++i) job.results[i] = IterateRecorded(curve, job.re[i], job.im[i]);
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
