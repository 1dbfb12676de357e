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
  // Row y's plane.m_nWidth colours, waiting for them, valid until the next
  // call. Rows must be asked for once each, in the order given; any other
  // row gives null.
  const COLORREF* Row(int y);

 private:
  struct Scratch {
    explicit Scratch(int nWidth);
    std::vector<double> re, im;
    std::vector<IterationResult> results;
    std::vector<COLORREF> row;
  };
  int RowAt(int k) const { return m_order == Order::kBottomUp ? m_nHeight - 1 - k : k; }
  COLORREF* Slot(int k) { return &m_pRing[static_cast<std::size_t>(k % m_nSlots) * m_nWidth]; }
  void PaintRow(CColourScheme* pScheme, int y, Scratch& s, COLORREF* out) const;
  void HelperLoop(CColourScheme* pScheme);
  bool Ready(int from, int end) const;

  const CPlaneMap& m_plane;
  CColourScheme* const m_pFirstScheme;
  const EngineKind m_kind;
  const Order m_order;
  const SimdIsa m_isa;
  const int m_nWidth, m_nHeight;
  int m_nAsked = 0;  // rows handed to the caller, in the order's terms

  // One thread: a row at a time, made in Row.
  std::unique_ptr<Scratch> m_pScratch;
  // More: finished rows wait in a ring of slots, reused so that the memory
  // is touched once; a thread runs at most a ring's length ahead of the
  // caller. Under m_mutex: which row each slot holds, how far the caller is.
  int m_nSlots = 0;
  std::unique_ptr<COLORREF[]> m_pRing;  // left unfilled: the threads touch it first
  std::vector<int> m_slotHolds;
  int m_nReleased = 0;
  // Rows the caller waits for: several at once, so that it sleeps and wakes
  // once for a run of rows rather than for each.
  int m_nWaitFrom = 0, m_nWaitEnd = 0;
  bool m_bQuit = false;
  std::atomic<int> m_nNextRow{0};
  std::mutex m_mutex;
  std::condition_variable m_rowDone, m_slotFree;
  std::vector<std::thread> m_helpers;
};
