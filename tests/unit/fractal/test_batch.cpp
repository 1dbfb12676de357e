#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "colour/colour_scheme.h"
#include "display/frame.h"
#include "display/pixel_engine.h"
#include "display/plane_map.h"
#include "display/slide_show.h"
#include "fractal/batch.h"
#include "fractal/curve.h"
#include "slide_show_fixture.h"
#include "test_selection_fixture.h"

namespace {

std::vector<SimdIsa> AvailableIsas() {
  std::vector<SimdIsa> v;
  for (SimdIsa isa : {SimdIsa::kSse2, SimdIsa::kAvx2, SimdIsa::kAvx512})
    if (IsaAvailable(isa)) v.push_back(isa);
  return v;
}

std::string Describe(const IterationResult& r) {
  char text[96];
  std::snprintf(text, sizeof text, "kind %d count %d roots %d root %d modulus %a", r.nKind, r.nCount,
                r.nRoots, r.nRoot, r.dModulus);
  return text;
}

// Bit for bit, the modulus by its bytes (a NaN equals itself here).
bool Same(const IterationResult& a, const IterationResult& b) {
  return a.nKind == b.nKind && a.nCount == b.nCount && a.nRoots == b.nRoots && a.nRoot == b.nRoot &&
         std::memcmp(&a.dModulus, &b.dModulus, sizeof a.dModulus) == 0;
}

// Every available instruction set against Iterate itself at these points.
void ExpectLanesMatchScalar(const CCurve& curve, const std::vector<double>& xs,
                            const std::vector<double>& ys, const std::string& what) {
  std::vector<IterationResult> want(xs.size());
  for (std::size_t i = 0; i < xs.size(); ++i) want[i] = IterateRecorded(curve, xs[i], ys[i]);
  for (SimdIsa isa : AvailableIsas()) {
    std::vector<IterationResult> got(xs.size());
    IterateBatch(curve, xs.data(), ys.data(), xs.size(), got.data(), isa);
    int reported = 0;
    for (std::size_t i = 0; i < xs.size(); ++i) {
      if (!Same(got[i], want[i]) && reported++ < 3) {
        ADD_FAILURE() << what << " " << IsaName(isa) << " at (" << xs[i] << ", " << ys[i]
                      << "): " << Describe(got[i]) << ", scalar " << Describe(want[i]);
      }
    }
  }
}

// A grid over the rectangle (with the rightmost column one step short, as on
// screen) plus points far outside and just around the origin.
void GridPoints(const CCurve& c, int w, int h, std::vector<double>& xs, std::vector<double>& ys) {
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) {
      xs.push_back(((c.m_x1 - c.m_x0) / w) * i + c.m_x0);
      ys.push_back(((c.m_y1 - c.m_y0) / h) * j + c.m_y0);
    }
  }
  for (double v : {0.0, -0.0, 1e-300, -3.0, 3.0, 1e6, -1e200}) {
    xs.push_back(v);
    ys.push_back(-v / 2);
  }
}

class BatchExactness : public SelectionTest {};

TEST_F(BatchExactness, EveryCatalogueEntryOnEveryInstructionSet) {
  ASSERT_FALSE(AvailableIsas().empty());
  std::string names;
  for (SimdIsa isa : AvailableIsas()) names += std::string(" ") + IsaName(isa);
  std::printf("instruction sets compared:%s\n", names.c_str());
  m_deck.Fill();
  ASSERT_EQ(m_deck.Curves().size(), 101u);
  for (const auto& curve : m_deck.Curves()) {
    std::vector<double> xs, ys;
    GridPoints(*curve, 23, 17, xs, ys);
    ExpectLanesMatchScalar(*curve, xs, ys,
                           std::string(CurveTypeName(curve->m_nTypeBit)) + " " + std::to_string(curve->m_nRow));
  }
}

TEST(BatchEdges, ThresholdIsStrictAndFirstIterateMayEscape) {
  const double just = std::nextafter(2.0, 3.0);
  // Squared moduli exactly at 4 do not escape; a hair above, at count 0.
  const std::vector<double> xs = {2.0, 0.0, just, 0.0, -2.0, 2.0, 1.0, 0.5};
  const std::vector<double> ys = {0.0, 2.0, 0.0, just, 0.0, 1e3, 1.0, std::sqrt(3.75)};
  CJuliaCurve julia(-2, 2, -2, 2, 40, 4.0, 0.0, 0.0);
  ExpectLanesMatchScalar(julia, xs, ys, "julia");
  EXPECT_EQ(IterateRecorded(julia, just, 0.0).nKind, IterationResult::kCount);
  EXPECT_EQ(IterateRecorded(julia, just, 0.0).nCount, 0);
  EXPECT_EQ(IterateRecorded(julia, 2.0, 0.0).nCount, 1);
  CDragonCurve dragon(-2, 2, -2, 2, 40, 4.0, 1.646009, 0.967049);
  ExpectLanesMatchScalar(dragon, xs, ys, "dragon");
  // Phoenix looks at Y alone: a huge X with Y squared at the threshold stays.
  CPhoenixCurve phoenix(-2, 2, -2, 2, 40, 4.0, -0.550704, -1.255014);
  ExpectLanesMatchScalar(phoenix, {1e3, 1e3, 0.0}, {2.0, just, -2.0}, "phoenix");
  CMandelbrotCurve mandelbrot(-2, 2, -2, 2, 40, 4.0, 0.0, 0.0);
  ExpectLanesMatchScalar(mandelbrot, xs, ys, "mandelbrot");
}

TEST(BatchEdges, NewtonClampsAndConvergesAtOnce) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  // D is 0 at x = -a/2, y = 0; NaN for a NaN point or inf - inf; the far
  // point moves up in both coordinates and converges in its first step.
  const std::vector<double> xs = {1.5, 1.5 + 1e-9, nan, inf, -inf, 1e9, 42.0, 0.0, 3.0};
  const std::vector<double> ys = {0.0, 1e-9, 0.0, inf, 1.0, 1e9, 42.0, 0.0, -1.0};
  CNewtonCurve newton(-3.5, 3.5, -2.5, 2.5, 100, 4.0, -3, 1);
  ExpectLanesMatchScalar(newton, xs, ys, "newton");
  const IterationResult far = IterateRecorded(newton, 1e9, 1e9);
  EXPECT_EQ(far.nKind, IterationResult::kRoot);
  EXPECT_EQ(far.nCount, 0);
  CNewtonCurve zeroA(-1, 1, -1, 1, 50, 4.0, 0.0, 0.25);
  ExpectLanesMatchScalar(zeroA, xs, ys, "newton a=0");
}

TEST(BatchEdges, LimitsBelowOneAndOfOne) {
  const std::vector<double> xs = {0.5, -0.5, 3.0};
  const std::vector<double> ys = {0.25, 0.0, 3.0};
  for (int n : {-5, 0, 1, 2}) {
    ExpectLanesMatchScalar(CMandelbrotCurve(-2, 2, -2, 2, n, 4.0, 0, 0), xs, ys, "mandelbrot");
    ExpectLanesMatchScalar(CPhoenixCurve(-2, 2, -2, 2, n, 4.0, 0.5, -0.5), xs, ys, "phoenix");
    ExpectLanesMatchScalar(CNewtonCurve(-2, 2, -2, 2, n, 4.0, -3, 1), xs, ys, "newton");
  }
}

// Point counts around each lane count, so that lanes stream, run dry and
// park; an empty batch writes nothing.
TEST(BatchEdges, AnyNumberOfPoints) {
  CJuliaCurve julia(-1.2, 1.2, -1.5, 1.5, 300, 6.0, 0.293568, 0.018938);
  for (std::size_t n : {0u, 1u, 3u, 5u, 9u, 17u, 33u}) {
    std::vector<double> xs, ys;
    for (std::size_t i = 0; i < n; ++i) {
      xs.push_back(-1.2 + 0.07 * static_cast<double>(i));
      ys.push_back(0.3 - 0.05 * static_cast<double>(i));
    }
    ExpectLanesMatchScalar(julia, xs, ys, "julia n=" + std::to_string(n));
  }
}

// Clearing the flag ends a batch that would otherwise never finish, and every
// point then reads as the black of an interrupted Iterate.
TEST_F(FrameCycleTest, ClosingStopsALongBatch) {
  CMandelbrotCurve endless(-1, 1, -1, 1, 2000000000, 4.0, 0, 0);
  endless.m_pRunning = &m_control.m_bRunning;
  std::vector<double> xs(40, 0.0), ys(40, 0.0);
  for (SimdIsa isa : AvailableIsas()) {
    m_control.m_bRunning.store(1);
    std::vector<IterationResult> out(xs.size(), IterationResult{IterationResult::kCount, 1, 0, 0, 0});
    std::thread closer([this] {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      m_control.StopRunning();
    });
    IterateBatch(endless, xs.data(), ys.data(), xs.size(), out.data(), isa);
    closer.join();
    for (const IterationResult& r : out) EXPECT_EQ(r.nKind, IterationResult::kBlack) << IsaName(isa);
  }
}

// A whole small picture of every catalogue entry through the pixel engine:
// the reference (one ColourAt per pixel) against vector lanes and two
// threads, with a scheme whose colours hang on its own state.
TEST_F(BatchExactness, PixelEngineGivesTheReferencePictures) {
  m_deck.Fill();
  const int w = 37, h = 23;
  std::vector<int> xs, ys;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      xs.push_back(x);
      ys.push_back(y);
    }
  }
  std::vector<std::unique_ptr<CPixelEngine>> engines;
  engines.push_back(std::make_unique<CPixelEngine>(EngineKind::kVector, 1));
  engines.push_back(std::make_unique<CPixelEngine>(EngineKind::kVector, 2));
  engines.push_back(std::make_unique<CPixelEngine>(EngineKind::kScalar, 2));
  engines.push_back(std::make_unique<CPixelEngine>(EngineKind::kVector, 2, SimdIsa::kSse2));
  for (const auto& curve : m_deck.Curves()) {
    CPlaneMap plane;
    plane.m_nWidth = w;
    plane.m_nHeight = h;
    plane.m_x0 = curve->m_x0;
    plane.m_y0 = curve->m_y0;
    plane.m_x1 = curve->m_x1;
    plane.m_y1 = curve->m_y1;
    plane.m_pCurve = curve.get();
    // Each scheme object moves its variant on when it goes.
    CSchemeVariants variants{.nAluminiumFoils = 3};
    CAluminiumFoilsScheme reference(variants);
    std::vector<COLORREF> want(xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i) want[i] = plane.ColourAt(xs[i], ys[i], &reference);
    for (const auto& engine : engines) {
      variants.nAluminiumFoils = 3;
      CAluminiumFoilsScheme scheme(variants);
      std::vector<COLORREF> got(xs.size());
      engine->Colours(plane, &scheme, xs.data(), ys.data(), xs.size(), got.data());
      EXPECT_EQ(got, want) << CurveTypeName(curve->m_nTypeBit) << " " << curve->m_nRow << " with "
                           << engine->Threads() << " threads, lanes " << engine->Lanes();
    }
  }
}

// Seeded slide shows: the reference frame cycle against batches that run
// ahead (small as in the saver, large with two threads as in the renderer).
TEST_F(FrameCycleTest, BatchedFrameCycleReplaysTheReference) {
  m_settings.m_nCompletionDelay = 0;
  m_settings.m_nBlankingMethod = 14;
  for (int extra : {0, 1}) {
    m_settings.m_bExtraMemory = extra;
    std::vector<std::vector<COLORREF>> pictures[3];
    for (int run = 0; run < 3; ++run) {
      m_control.m_bRunning.store(1);
      CFrame surface(33, 21);
      CCountingSleeper sleeper;
      CSlideShow show(m_settings, m_control, surface, sleeper);
      show.SetSize(33, 21);
      if (run == 0) show.SetEngine(nullptr);
      if (run == 2) show.SetEngine(std::make_unique<CPixelEngine>(EngineKind::kVector, 2), 100);
      show.m_onPictureDone = [&, run] {
        pictures[run].push_back(surface.Snapshot());
        if (pictures[run].size() >= 6) m_control.StopRunning();
      };
      show.DrawThreadProc(4242);
    }
    EXPECT_EQ(pictures[1], pictures[0]) << "saver batches, extra memory " << extra;
    EXPECT_EQ(pictures[2], pictures[0]) << "two threads, extra memory " << extra;
  }
}

}  // namespace
