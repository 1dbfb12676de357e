#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <limits>
#include <memory>
#include <thread>

#include "app/saver_app.h"
#include "fractal/curve.h"
#include "test_curves_recorder.h"

namespace {

using Op = CRecordingScheme::Op;

template <class T>
T Make(int n, double dBailout, double a = 0, double b = 0) {
  return T(-2, 2, -1.5, 1.5, n, dBailout, a, b);
}

TEST(Curves, NoIterationsGiveInsideZeroOrRootZero) {
  for (int n : {0, -1, INT_MIN}) {
    CRecordingScheme s[4];
    Make<CMandelbrotCurve>(n, 4).Iterate(3, 3, &s[0]);
    Make<CJuliaCurve>(n, 4).Iterate(3, 3, &s[1]);
    Make<CDragonCurve>(n, 4).Iterate(3, 3, &s[2]);
    Make<CPhoenixCurve>(n, 4).Iterate(3, 3, &s[3]);
    for (const CRecordingScheme& r : s) {
      EXPECT_EQ(r.m_op, Op::Inside);
      EXPECT_EQ(r.m_dModulus, 0.0);
    }
    CRecordingScheme right, left, zero;
    const CNewtonCurve newton = Make<CNewtonCurve>(n, 4, 1, 1);
    newton.Iterate(0.5, 9, &right);
    newton.Iterate(-0.5, 9, &left);
    newton.Iterate(0.0, 9, &zero);
    EXPECT_EQ(right.m_op, Op::Root);
    EXPECT_EQ(right.m_nCount, 0);
    EXPECT_EQ(right.m_nRoots, 2);
    EXPECT_EQ(right.m_nRoot, 1);
    EXPECT_EQ(left.m_nRoot, 2);
    EXPECT_EQ(zero.m_nRoot, 2);
  }
}

TEST(Curves, StartingPointOutsideEscapesWithCountZero) {
  CRecordingScheme julia, dragon, phoenix, mandelbrot;
  Make<CJuliaCurve>(50, 4).Iterate(3, 0, &julia);
  EXPECT_EQ(julia.m_op, Op::Count);
  EXPECT_EQ(julia.m_nCount, 0);

  EXPECT_EQ(Make<CDragonCurve>(50, 4, 2, 0).Iterate(3, 0, &dragon), 0u);
  EXPECT_EQ(dragon.m_nCalls, 0);

  Make<CPhoenixCurve>(50, 4).Iterate(0, 3, &phoenix);
  EXPECT_EQ(phoenix.m_op, Op::Count);
  EXPECT_EQ(phoenix.m_nCount, 0);

  // The Mandelbrot start is 0, so the far point only fails at iterate 1.
  Make<CMandelbrotCurve>(50, 4).Iterate(100, 100, &mandelbrot);
  EXPECT_EQ(mandelbrot.m_op, Op::Count);
  EXPECT_EQ(mandelbrot.m_nCount, 1);
}

TEST(Curves, ModulusEqualToThresholdDoesNotEscape) {
  CRecordingScheme julia, phoenix;
  Make<CJuliaCurve>(1, 4).Iterate(2, 0, &julia);
  EXPECT_EQ(julia.m_op, Op::Inside);
  EXPECT_EQ(julia.m_dModulus, 4.0);
  Make<CPhoenixCurve>(1, 4).Iterate(0, 2, &phoenix);
  EXPECT_EQ(phoenix.m_op, Op::Inside);
  EXPECT_EQ(phoenix.m_dModulus, 4.0);
}

TEST(Curves, MandelbrotSubtractsThePoint) {
  // z' = z^2 - p: p = 2 cycles on 2 with modulus exactly 4 (never escaping),
  CRecordingScheme two;
  Make<CMandelbrotCurve>(50, 4).Iterate(2, 0, &two);
  EXPECT_EQ(two.m_op, Op::Inside);
  EXPECT_EQ(two.m_dModulus, 4.0);
  // p = -1 runs 0, 1, 2, 5 and fails at iterate 3,
  CRecordingScheme minusOne;
  Make<CMandelbrotCurve>(50, 4).Iterate(-1, 0, &minusOne);
  EXPECT_EQ(minusOne.m_op, Op::Count);
  EXPECT_EQ(minusOne.m_nCount, 3);
  // and p = 1 alternates 0, -1: the inside value is the last tested iterate's.
  CRecordingScheme even, odd;
  Make<CMandelbrotCurve>(2, 4).Iterate(1, 0, &even);
  Make<CMandelbrotCurve>(3, 4).Iterate(1, 0, &odd);
  EXPECT_EQ(even.m_dModulus, 1.0);
  EXPECT_EQ(odd.m_dModulus, 0.0);
}

TEST(Curves, JuliaAndDragonSteps) {
  CRecordingScheme julia;  // c = 0: 1.5, 2.25, 5.06...
  Make<CJuliaCurve>(50, 4).Iterate(1.5, 0, &julia);
  EXPECT_EQ(julia.m_nCount, 1);
  CRecordingScheme shifted;  // c = -1 from 0: 0, -1, 0, ... stays inside
  Make<CJuliaCurve>(2, 4, -1, 0).Iterate(0, 0, &shifted);
  EXPECT_EQ(shifted.m_op, Op::Inside);
  EXPECT_EQ(shifted.m_dModulus, 1.0);

  // lambda = 2 has the fixed point 1/2: U = y^2 - x^2 + x = 1/4.
  CRecordingScheme dragon;
  Make<CDragonCurve>(20, 4, 2, 0).Iterate(0.5, 0, &dragon);
  EXPECT_EQ(dragon.m_op, Op::Inside);
  EXPECT_EQ(dragon.m_dModulus, 0.25);
}

TEST(Curves, PhoenixUsesThePreviousIterateAndTestsYAlone) {
  // a = 0, b = 1 from Y = 1: Y runs 1, 1, 2, 5 only through b * Yprev.
  CRecordingScheme three, four;
  Make<CPhoenixCurve>(3, 4, 0, 1).Iterate(0, 1, &three);
  EXPECT_EQ(three.m_op, Op::Inside);
  EXPECT_EQ(three.m_dModulus, 4.0);
  Make<CPhoenixCurve>(4, 4, 0, 1).Iterate(0, 1, &four);
  EXPECT_EQ(four.m_op, Op::Count);
  EXPECT_EQ(four.m_nCount, 3);

  // A huge X does not escape while Y^2 stays within the threshold.
  CRecordingScheme wide;
  Make<CPhoenixCurve>(1, 4).Iterate(100, 1, &wide);
  EXPECT_EQ(wide.m_op, Op::Inside);
  EXPECT_EQ(wide.m_dModulus, 1.0);
}

TEST(Curves, EveryEscapingDragonPointIsBlack) {
  const CDragonCurve dragon = Make<CDragonCurve>(64, 4, 1.415414, 0.856803);
  CRecordingScheme s;
  int nBlack = 0;
  for (int i = 0; i < 400; ++i) {
    const int before = s.m_nCalls;
    const COLORREF c = dragon.Iterate(-0.4 + i * 0.0045, 0.8 - i * 0.004, &s);
    if (s.m_nCalls == before) {
      EXPECT_EQ(c, 0u);
      ++nBlack;
    }
  }
  EXPECT_GT(nBlack, 0);
}

TEST(Curves, NewtonConvergenceIsASignedTest) {
  // Far up and right: both new coordinates stay above 42, converged at once.
  CRecordingScheme atOnce;
  Make<CNewtonCurve>(100, 4).Iterate(100, 100, &atOnce);
  EXPECT_EQ(atOnce.m_nCount, 0);
  EXPECT_EQ(atOnce.m_nRoot, 1);
  // From 0.5 on the real axis: -0.5, then -0.5 again (no move counts too).
  CRecordingScheme still;
  Make<CNewtonCurve>(100, 4).Iterate(0.5, 0, &still);
  EXPECT_EQ(still.m_nCount, 1);
  EXPECT_EQ(still.m_nRoot, 2);
  // From 0.6: -0.3167, then up to -0.0272; a test on absolute differences
  // would go on.
  CRecordingScheme upward;
  Make<CNewtonCurve>(100, 4).Iterate(0.6, 0, &upward);
  EXPECT_EQ(upward.m_nCount, 1);
  // Moving steadily down by about 0.5 a step never converges: count N.
  CRecordingScheme never;
  Make<CNewtonCurve>(10, 4).Iterate(1000, 0, &never);
  EXPECT_EQ(never.m_nCount, 10);
  EXPECT_EQ(never.m_nRoot, 1);
}

TEST(Curves, NewtonUsesItsOwnNumeratorAndTheNewX) {
  // a = -2, b = 1 at 0.5: this numerator gives x' = 0 (root 2); the textbook
  // one would give 0.75 (root 1).
  CRecordingScheme numerator;
  Make<CNewtonCurve>(1, 4, -2, 1).Iterate(0.5, 0, &numerator);
  EXPECT_EQ(numerator.m_nCount, 1);
  EXPECT_EQ(numerator.m_nRoot, 2);
  // a = -1, b = 1 at (0.5, 0.5) converges after 1 step; with the old x in
  // the y numerator it would take 5.
  CRecordingScheme newX;
  Make<CNewtonCurve>(100, 4, -1, 1).Iterate(0.5, 0.5, &newX);
  EXPECT_EQ(newX.m_nCount, 1);
  EXPECT_EQ(newX.m_nRoot, 1);
}

// Each curve tests the flag its show hands it.
class KeepRunningFlag : public ::testing::Test {
 protected:
  std::atomic<int> m_bRunning{1};
};

TEST_F(KeepRunningFlag, ClearedFlagReturnsBlackWithoutAScheme) {
  m_bRunning.store(0);
  std::unique_ptr<CCurve> curves[] = {
      std::make_unique<CMandelbrotCurve>(Make<CMandelbrotCurve>(100, 4)),
      std::make_unique<CJuliaCurve>(Make<CJuliaCurve>(100, 4)),
      std::make_unique<CDragonCurve>(Make<CDragonCurve>(100, 4)),
      std::make_unique<CPhoenixCurve>(Make<CPhoenixCurve>(100, 4)),
      std::make_unique<CNewtonCurve>(Make<CNewtonCurve>(100, 4)),
  };
  for (const auto& pCurve : curves) {
    pCurve->m_pRunning = &m_bRunning;
    CRecordingScheme s;
    EXPECT_EQ(pCurve->Iterate(0.1, 0.1, &s), 0u);
    EXPECT_EQ(s.m_nCalls, 0);
  }
}

TEST_F(KeepRunningFlag, ClearingItStopsAnEndlessPixel) {
  // Points that never escape, with the largest possible limit: only the flag
  // read in every iteration can end these calls.
  struct Endless {
    std::unique_ptr<CCurve> pCurve;
    double x, y;
  } cases[] = {
      {std::make_unique<CMandelbrotCurve>(Make<CMandelbrotCurve>(INT_MAX, 4)), 0, 0},
      // NaN never passes the convergence test.
      {std::make_unique<CNewtonCurve>(Make<CNewtonCurve>(INT_MAX, 4)),
       std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const Endless& c : cases) {
    m_bRunning.store(1);
    c.pCurve->m_pRunning = &m_bRunning;
    std::thread closer([this] {
      std::this_thread::sleep_for(std::chrono::milliseconds(30));
      m_bRunning.store(0);
    });
    CRecordingScheme s;
    EXPECT_EQ(c.pCurve->Iterate(c.x, c.y, &s), 0u);
    EXPECT_EQ(s.m_nCalls, 0);
    closer.join();
  }
}

TEST(Curves, TypeNamesAndMetadata) {
  EXPECT_STREQ(CurveTypeName(kMandelbrotType), "mandelbrot");
  EXPECT_STREQ(CurveTypeName(kJuliaType), "julia");
  EXPECT_STREQ(CurveTypeName(kDragonType), "dragon");
  EXPECT_STREQ(CurveTypeName(kPhoenixType), "phoenix");
  EXPECT_STREQ(CurveTypeName(kNewtonType), "newton");
  EXPECT_STREQ(CurveTypeName(3), "unknown");
  // Constructor order x0, x1, y0, y1; fields in the order x0, y0, x1, y1.
  const CPhoenixCurve c(1, 2, 3, 4, 5, 6, 7, 8, 9);
  EXPECT_EQ(c.m_x0, 1);
  EXPECT_EQ(c.m_x1, 2);
  EXPECT_EQ(c.m_y0, 3);
  EXPECT_EQ(c.m_y1, 4);
  EXPECT_EQ(c.m_nIterations, 5);
  EXPECT_EQ(c.m_dBailout, 6);
  EXPECT_EQ(c.m_dParamA, 7);
  EXPECT_EQ(c.m_dParamB, 8);
  EXPECT_EQ(c.m_nTypeBit, kPhoenixType);
  EXPECT_EQ(c.m_nRow, 9);
}

}  // namespace

// x87 extended precision rounds these one lower; the pictures rely on
// plain double arithmetic.
TEST(FloatingPoint, IsPlainIeeeDouble) {
  volatile double a = 9.6, b = 8.4, five = 5;
  EXPECT_EQ(static_cast<int>(20 + a * five), 68);
  EXPECT_EQ(static_cast<int>(148 - b * five), 106);
}
