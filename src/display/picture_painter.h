#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "colour/colour.h"
#include "display/pixel_engine.h"
#include "fractal/batch.h"

class CColourScheme;
class CPlaneMap;

// A whole picture, row by row, for a caller that takes the rows in order
// (into a file). With one thread the caller's thread computes each row when
// asked; with more, that many threads take the rows in turn, each computing
// and colouring its rows completely, and the caller only collects them.
//
// A scheme object serves one thread, hence schemes[i] for thread i. Objects
// of one class made under the same variant give the colours one object
// would, because a lookup depends only on its arguments and the variant; so
// none of them may go (which moves the variant on) while this object lives.
class CPicturePainter {
 public:
  enum class Order { kTopDown, kBottomUp };

  // Starts the threads; the plane and schemes must outlive this object.
  CPicturePainter(const CPlaneMap& plane, const std::vector<CColourScheme*>& schemes, EngineKind kind,
                  Order order, SimdIsa isa = BestIsa());
  // Stops the threads, whatever rows are left.
  ~CPicturePainter();
  CPicturePainter(const CPicturePainter&) = delete;
  CPicturePainter& operator=(const CPicturePainter&) = delete;

  int Threads() const { return m_helpers.empty() ? 1 : static_cast<int>(m_helpers.size()); }
  // Row y's plane.m_nWidth colours, once done; valid until the next call with
  // one thread, for this object's life with more. The threads work in the
  // order given, so asking in that order waits least.
  const COLORREF* Row(int y);

 private:
  struct Scratch {
    explicit Scratch(int nWidth);
    std::vector<double> re, im;
    std::vector<IterationResult> results;
    std::vector<COLORREF> row;
  };
  void PaintRow(CColourScheme* pScheme, int y, Scratch& s, COLORREF* out) const;
  void HelperLoop(CColourScheme* pScheme);

  const CPlaneMap& m_plane;
  CColourScheme* const m_pFirstScheme;
  const EngineKind m_kind;
  const Order m_order;
  const SimdIsa m_isa;
  const int m_nWidth, m_nHeight;

  // One thread: a row at a time, made in Row.
  std::unique_ptr<Scratch> m_pScratch;
  // More: the whole picture, each row marked under m_mutex once it is in.
  std::unique_ptr<COLORREF[]> m_pPixels;
  std::vector<char> m_ready;
  std::atomic<int> m_nNextRow{0};
  std::atomic<bool> m_bQuit{false};
  std::mutex m_mutex;
  std::condition_variable m_rowDone;
  std::vector<std::thread> m_helpers;
};
