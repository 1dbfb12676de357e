#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "colour/colour_scheme.h"
#include "display/picture_painter.h"
#include "display/plane_map.h"
#include "fractal/curve.h"
#include "test_selection_fixture.h"

namespace {

CPlaneMap PlaneOf(CCurve& curve, int w, int h) {
  CPlaneMap plane;
  plane.m_nWidth = w;
  plane.m_nHeight = h;
  plane.m_x0 = curve.m_x0;
  plane.m_y0 = curve.m_y0;
  plane.m_x1 = curve.m_x1;
  plane.m_y1 = curve.m_y1;
  plane.m_pCurve = &curve;
  return plane;
}

// Answers from its arguments alone and notes the threads asking. Each
// thread's first call waits until the expected number of threads have
// called, so that every thread surely gets rows.
class CThreadNotingScheme final : public CColourScheme {
 public:
  struct Gate {
    std::size_t nExpected;
    std::mutex mutex;
    std::condition_variable all;
    std::set<std::thread::id> threads;
  };
  explicit CThreadNotingScheme(Gate& gate) : m_gate(gate) {}
  COLORREF InsideColour(double dModulus) override { return Note(static_cast<COLORREF>(dModulus * 1000)); }
  COLORREF CountColour(int nCount) override { return Note(static_cast<COLORREF>(nCount)); }
  COLORREF RootColour(int nCount, int nRoots, int nRoot) override {
    return Note(static_cast<COLORREF>(nCount * 16 + nRoots * 4 + nRoot));
  }
  std::set<std::thread::id> m_threads;  // read once the painter is gone

 private:
  COLORREF Note(COLORREF c) {
    std::unique_lock<std::mutex> lock(m_gate.mutex);
    m_threads.insert(std::this_thread::get_id());
    if (m_gate.threads.insert(std::this_thread::get_id()).second) {
      m_gate.all.notify_all();
      m_gate.all.wait_for(lock, std::chrono::seconds(30), [&] { return m_gate.threads.size() >= m_gate.nExpected; });
    }
    return c;
  }
  Gate& m_gate;
};

class PicturePainterTest : public SelectionTest {
 protected:
  void SetUp() override {
    SelectionTest::SetUp();
    m_deck.Fill();
  }
};

// Every row equals ColourAt's with one object, whatever the threads, order
// and engine. Metallic under a variant other than the first, which every
// thread's object must see.
void ExpectReferenceRows(CCurve& curve, int w, int h) {
  const CPlaneMap plane = PlaneOf(curve, w, h);
  CSchemeVariants variants;
  variants.nMetallic = 4;
  std::vector<COLORREF> want;
  {
    CMetallicScheme reference(variants);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) want.push_back(plane.ColourAt(x, y, &reference));
  }
  for (int threads : {1, 2, 5}) {
    for (auto order : {CPicturePainter::Order::kTopDown, CPicturePainter::Order::kBottomUp}) {
      for (auto kind : {EngineKind::kScalar, EngineKind::kVector}) {
        variants.nMetallic = 4;
        std::vector<std::unique_ptr<CMetallicScheme>> owned(threads);
        std::vector<CColourScheme*> schemes;
        for (auto& p : owned) schemes.push_back((p = std::make_unique<CMetallicScheme>(variants)).get());
        std::vector<COLORREF> got(want.size());
        {
          CPicturePainter painter(plane, schemes, kind, order);
          for (int k = 0; k < h; ++k) {
            const int y = order == CPicturePainter::Order::kBottomUp ? h - 1 - k : k;
            const COLORREF* row = painter.Row(y);
            ASSERT_NE(row, nullptr);
            std::copy(row, row + w, got.begin() + y * w);
          }
        }
        EXPECT_EQ(got, want) << CurveTypeName(curve.m_nTypeBit) << " " << curve.m_nRow << " at " << w << "x" << h
                             << ", " << threads << " threads, " << (kind == EngineKind::kScalar ? "scalar" : "vector")
                             << (order == CPicturePainter::Order::kBottomUp ? ", bottom up" : ", top down");
      }
    }
  }
}

}  // namespace

// Every entry with fewer rows than threads and a width no lane count divides.
TEST_F(PicturePainterTest, EveryEntryGivesTheReferenceRows) {
  for (const auto& curve : m_deck.Curves()) ExpectReferenceRows(*curve, 19, 3);
}

// Many more rows than the threads keep ready at once, and a row as narrow
// as a pixel.
TEST_F(PicturePainterTest, RowsThatWrapTheRingOfFinishedRows) {
  ExpectReferenceRows(*m_deck.Curves().front(), 5, 300);
  ExpectReferenceRows(*m_deck.Curves().back(), 1, 200);
}

// A scheme object keeps per-call scratch: none may be asked by two threads,
// and with several threads the collecting one colours nothing.
TEST_F(PicturePainterTest, EachSchemeObjectServesOneThread) {
  const CPlaneMap plane = PlaneOf(*m_deck.Curves().front(), 64, 40);
  for (int threads : {1, 3}) {
    CThreadNotingScheme::Gate gate{static_cast<std::size_t>(threads), {}, {}, {}};
    std::vector<std::unique_ptr<CThreadNotingScheme>> owned(threads);
    std::vector<CColourScheme*> schemes;
    for (auto& p : owned) schemes.push_back((p = std::make_unique<CThreadNotingScheme>(gate)).get());
    {
      CPicturePainter painter(plane, schemes, EngineKind::kVector, CPicturePainter::Order::kTopDown);
      ASSERT_EQ(painter.Threads(), threads);
      for (int y = 0; y < plane.m_nHeight; ++y) ASSERT_NE(painter.Row(y), nullptr);
    }
    std::set<std::thread::id> seen;
    for (const auto& p : owned) {
      EXPECT_EQ(p->m_threads.size(), 1u) << threads << " threads";
      seen.insert(p->m_threads.begin(), p->m_threads.end());
    }
    EXPECT_EQ(seen.count(std::this_thread::get_id()), threads == 1 ? 1u : 0u) << threads << " threads";
  }
}
