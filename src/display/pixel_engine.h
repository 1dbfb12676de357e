#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

#include "colour/colour.h"
#include "fractal/batch.h"

class CColourScheme;
class CPlaneMap;

enum class EngineKind { kScalar, kVector };

// Computes many pixels at once, each exactly as one ColourAt would: the
// curve's formula runs in vector lanes and on worker threads, then the
// colour scheme is asked on the calling thread in the pixels' order, since
// scheme objects keep per-call state and serve one thread.
class CPixelEngine {
 public:
  // nThreads counts the calling thread; the others are started here.
  CPixelEngine(EngineKind kind, int nThreads, SimdIsa isa = BestIsa());
  ~CPixelEngine();
  CPixelEngine(const CPixelEngine&) = delete;
  CPixelEngine& operator=(const CPixelEngine&) = delete;

  EngineKind Kind() const { return m_kind; }
  int Threads() const { return static_cast<int>(m_workers.size()) + 1; }
  SimdIsa Isa() const { return m_isa; }
  // Points the vector engine iterates side by side (1 for the scalar one).
  int Lanes() const;

  // out[i] = plane.ColourAt(xs[i], ys[i], pScheme), for i in order.
  void Colours(const CPlaneMap& plane, CColourScheme* pScheme, const int* xs, const int* ys,
               std::size_t n, COLORREF* out);

 private:
  // Colours in steps: the formula on every thread, then the colours here.
  // Only where CanStart says so.
  bool CanStart(const CPlaneMap& plane) const;
  // The workers begin; the arrays must stay until Finish returns. Returns
  // the job's slot; the slot of the job before stays readable until the
  // next Start.
  int Start(const CPlaneMap& plane, const int* xs, const int* ys, std::size_t n);
  // This thread computes along, then waits until the job is done.
  void Finish();
  // The colours of a finished job, the scheme asked in the pixels' order.
  void ColourSlot(int slot, CColourScheme* pScheme, COLORREF* out) const;

  struct Job {
    const CPlaneMap* pPlane = nullptr;
    const int* pXs = nullptr;
    const int* pYs = nullptr;
    std::size_t nCount = 0;
    std::vector<double> re, im;
    std::vector<IterationResult> results;
  };

  void WorkerLoop();
  void ComputeChunks();

  const EngineKind m_kind;
  const SimdIsa m_isa;
  std::vector<std::thread> m_workers;

  // Two jobs, the one computing and the one being coloured; the current one
  // is chosen before m_nGeneration moves on, under m_mutex.
  Job m_jobs[2];
  int m_nCurrent = 0;
  std::atomic<std::size_t> m_nNextChunk{0};

  std::mutex m_mutex;
  std::condition_variable m_wake;
  std::condition_variable m_finished;
  unsigned m_nGeneration = 0;
  int m_nBusy = 0;
  bool m_bQuit = false;
};
