#pragma once

#include <string>

// The user's settings as plain values (app/settings_table.h says how each is
// stored). Written before any drawing thread exists; drawing only reads them.
struct CSettings {
  int m_nCompletionDelay = 0;
  int m_bExtraMemory = 0;
  int m_nBlankingMethod = 0;
  int m_nColourScheme = 0;
  int m_nCurveType = 0;
  int m_nMinIterations = 0;
  int m_nMaxIterations = 0;
  int m_nExcludeCurves = 0;
  int m_bPausingActive = 0;
  int m_bPrintingActive = 0;
  int m_bNextActive = 0;
  std::string m_strPausingKey;
  std::string m_strPrintingKey;
  std::string m_strNextKey;
  int m_nSequenceNo = 0;
  std::string m_strFileLocation;
};
