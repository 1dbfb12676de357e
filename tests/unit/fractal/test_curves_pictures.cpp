#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "display/plane_map.h"
#include "fractal/curve.h"
#include "test_curves_recorder.h"

namespace {

// Captures the plane point a pixel maps to.
class CProbeCurve final : public CCurve {
 public:
  CProbeCurve() : CCurve(0, 0, 0, 0, 0, 0, 0, 0, 0, 0) {}
  COLORREF Iterate(double x, double y, CColourScheme*) const override {
    m_x = x;
    m_y = y;
    return 7;
  }
  mutable double m_x = 0, m_y = 0;
};

CPlaneMap MapOf(const CCurve& curve, double x0, double x1, double y0, double y1, int w, int h) {
  CPlaneMap map;
  map.m_nWidth = w;
  map.m_nHeight = h;
  map.m_x0 = x0;
  map.m_x1 = x1;
  map.m_y0 = y0;
  map.m_y1 = y1;
  map.m_pCurve = const_cast<CCurve*>(&curve);
  return map;
}

TEST(PlaneMap, ColumnsStopOneStepShortOfTheRightEdge) {
  CProbeCurve probe;
  const CPlaneMap map = MapOf(probe, -2, 2, 1, -1, 4, 2);
  const double expectedX[] = {-2, -1, 0, 1};
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(map.ColourAt(x, 0, nullptr), 7u);
    EXPECT_EQ(probe.m_x, expectedX[x]);
  }
  // y0 above y1: row 0 at y0 and downwards to smaller values.
  map.ColourAt(0, 0, nullptr);
  EXPECT_EQ(probe.m_y, 1.0);
  map.ColourAt(0, 1, nullptr);
  EXPECT_EQ(probe.m_y, 0.0);
}

TEST(PlaneMap, DividesTheSpanBeforeMultiplying) {
  // (0.3 / 7) * 5 and (0.3 * 5) / 7 differ in the last bit.
  CProbeCurve probe;
  const CPlaneMap map = MapOf(probe, 0, 0.3, 0, 0.3, 7, 7);
  map.ColourAt(5, 5, nullptr);
  EXPECT_EQ(probe.m_x, (0.3 / 7) * 5 + 0.0);
  EXPECT_NE(probe.m_x, (0.3 * 5) / 7);
  EXPECT_EQ(probe.m_y, probe.m_x);
}

TEST(PlaneMap, SameRectangleOnEverySize) {
  CProbeCurve probe;
  const CPlaneMap preview = MapOf(probe, -1.35, 2.65, -1.5, 1.5, 152, 112);
  const CPlaneMap screen = MapOf(probe, -1.35, 2.65, -1.5, 1.5, 1920, 1080);
  preview.ColourAt(76, 56, nullptr);
  const double px = probe.m_x, py = probe.m_y;
  screen.ColourAt(960, 540, nullptr);
  EXPECT_NEAR(probe.m_x, px, 1e-12);
  EXPECT_NEAR(probe.m_y, py, 1e-12);
}

// Whole 48 x 36 pictures hashed call by call (doubles by their bits). The
// expected values come from an independent rendering of the same formulas
// in IEEE doubles; they must agree on every platform, the 32-bit Windows
// build included.
struct Picture {
  const char* name;
  std::unique_ptr<CCurve> pCurve;
  std::uint64_t hash;
};

std::uint64_t HashPicture(const CCurve& curve) {
  const CPlaneMap map = MapOf(curve, curve.m_x0, curve.m_x1, curve.m_y0, curve.m_y1, 48, 36);
  CRecordingScheme s;
  for (int y = 0; y < 36; ++y) {
    for (int x = 0; x < 48; ++x) {
      const auto colour = static_cast<std::uint32_t>(map.ColourAt(x, y, &s));
      s.Mix('P');
      s.Mix(&colour, sizeof colour);
    }
  }
  return s.m_hash;
}

TEST(Pictures, BitExactOnEveryPlatform) {
  std::vector<Picture> pictures;
  pictures.push_back({"mandelbrot 13",
                      std::make_unique<CMandelbrotCurve>(0.74624, 0.74758, 0.10671, 0.10779, 900,
                                                         4.0, 0, 0),
                      0x6c2605c246eaf575ull});
  pictures.push_back({"mandelbrot 25",
                      std::make_unique<CMandelbrotCurve>(-0.355, -0.38, -0.1, -0.14, 150, 40.0,
                                                         0, 0),
                      0xb098ded1494ebe36ull});
  pictures.push_back({"julia 22",
                      std::make_unique<CJuliaCurve>(-0.737047657, 0.0136852395, -0.58083442,
                                                    -0.0176010486, 350, 7.0, 0.28125,
                                                    0.0078126952),
                      0x973a6c0a55c4e43bull});
  pictures.push_back({"dragon 8",
                      std::make_unique<CDragonCurve>(-0.2, 1.2, -0.65, 0.65, 256, 5.0, 1.646009,
                                                     0.967049),
                      0x6b6a25ac5e623efeull});
  pictures.push_back({"phoenix 4",
                      std::make_unique<CPhoenixCurve>(-1.3, 1.3, -1.1, 1.4, 200, 9.0, -0.550704,
                                                      -1.255014),
                      0xf85d9f3ce351be5aull});
  pictures.push_back({"newton -3",
                      std::make_unique<CNewtonCurve>(-3.5, 3.5, -2.5, 2.5, 100, 4.0, -3, 1),
                      0x5c5d1c7f8cd4db1full});
  for (const Picture& p : pictures) {
    EXPECT_EQ(HashPicture(*p.pCurve), p.hash) << p.name;
  }
}

}  // namespace
