#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "app/random.h"
#include "colour/scheme_choice.h"
#include "fractal/curve.h"
#include "fractal/curve_deck.h"
#include "slide_show_fixture.h"

// What a show chooses its pictures with, under the settings of an empty store.
class SelectionTest : public ::testing::Test {
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
  CCurveDeck m_deck{m_settings, m_control.m_bRunning};
  CSchemeChoice m_schemes;
};
