#pragma once

#include <gtest/gtest.h>

#include "app/saver_app.h"

// The application object is global: every slide-show test starts from the
// settings of an empty store and a running saver.
class FrameCycleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    theApp.m_bRunning.store(1);
    theApp.m_bPaused.store(0);
    theApp.m_bThreadDone.store(0);
    theApp.m_nCompletionDelay = 1000;
    theApp.m_bExtraMemory = 0;
    theApp.m_nBlankingMethod = 2;
    theApp.m_nColourScheme = 0xFFFF;
    theApp.m_nCurveType = 0x3F;
    theApp.m_nMinIterations = 0;
    theApp.m_nMaxIterations = 0;
    theApp.m_nExcludeCurves = 0;
  }
  void TearDown() override {
    theApp.SetPaused(false);
    theApp.m_bRunning.store(1);
  }
};
