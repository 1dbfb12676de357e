#pragma once

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <utility>

#include "app/random.h"
#include "app/saver_app.h"
#include "colour/colour_scheme.h"
#include "display/slide_show.h"
#include "fractal/curve.h"

class CNullSurface final : public ISurface {
 public:
  void SetPixel(int, int, COLORREF) override {}
  void FillBlack() override {}
};

class CNullSleeper final : public ISleeper {
 public:
  void Sleep(int) override {}
};

// A slide show over nothing, with the settings the engine reads restored
// after every test.
class SlideShowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_saved = {theApp.m_nCurveType, theApp.m_nMinIterations, theApp.m_nMaxIterations,
               theApp.m_nExcludeCurves, theApp.m_nColourScheme};
    theApp.m_nCurveType = 0x3F;
    theApp.m_nMinIterations = 0;
    theApp.m_nMaxIterations = 0;
    theApp.m_nExcludeCurves = 0;
    theApp.m_nColourScheme = 0xFFFF;
    CMetallicScheme::s_nVariant = 0;
    CAluminiumFoilsScheme::s_nVariant = 0;
    SRand(1);
  }
  void TearDown() override {
    theApp.m_nCurveType = m_saved[0];
    theApp.m_nMinIterations = m_saved[1];
    theApp.m_nMaxIterations = m_saved[2];
    theApp.m_nExcludeCurves = m_saved[3];
    theApp.m_nColourScheme = m_saved[4];
    CMetallicScheme::s_nVariant = 0;
    CAluminiumFoilsScheme::s_nVariant = 0;
  }

  // How many draws of the random source fn() takes from the given seed: the
  // next three values after fn() are located in the plain sequence.
  template <class F>
  static int DrawsTaken(unsigned seed, F&& fn) {
    SRand(seed);
    std::forward<F>(fn)();
    const int after[3] = {Rand(), Rand(), Rand()};
    SRand(seed);
    int window[3] = {Rand(), Rand(), Rand()};
    for (int n = 0; n < 100000; ++n) {
      if (window[0] == after[0] && window[1] == after[1] && window[2] == after[2]) return n;
      window[0] = window[1];
      window[1] = window[2];
      window[2] = Rand();
    }
    return -1;
  }

  CNullSurface m_surface;
  CNullSleeper m_sleeper;
  CSlideShow m_show{m_surface, m_sleeper};

 private:
  std::array<int, 5> m_saved{};
};
