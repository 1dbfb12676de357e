#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "app/random.h"
#include "colour/colour_scheme.h"
#include "display/slide_show.h"
#include "fractal/curve.h"
#include "slide_show_fixture.h"

class CNullSurface final : public ISurface {
 public:
  void SetPixel(int, int, COLORREF) override {}
  void FillBlack() override {}
};

class CNullSleeper final : public ISleeper {
 public:
  void Sleep(int) override {}
  std::int64_t NowMicroseconds() override { return 0; }
};

// A slide show over nothing, with the settings of an empty store.
class SlideShowTest : public ::testing::Test {
 protected:
  void SetUp() override { SRand(1); }

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

  CSettings m_settings = DefaultSettings();
  CShowControl m_control;
  CNullSurface m_surface;
  CNullSleeper m_sleeper;
  CSlideShow m_show{m_settings, m_control, m_surface, m_sleeper};
};
