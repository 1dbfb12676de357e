#pragma once

#include <string>

// The plain members of the six configuration pages. The page classes inherit
// them, so the conversions to and from the settings need no window at all.
// Flags are 0 or 1; the unsigned members are what the edit boxes hold.

struct CFractalTypesData {
  int m_bDragon = 0;
  int m_bJulia = 0;
  int m_bMandelbrot = 0;
  int m_bPhoenix = 0;
  int m_bNewton = 0;
};

struct CColourSchemesData {
  int m_bBlueGreen = 0;
  int m_bBold1 = 0;
  int m_bBold2 = 0;
  int m_bBold3 = 0;
  int m_bBold4 = 0;
  int m_bBold5 = 0;
  int m_bBold6 = 0;
  int m_bFirestorm = 0;
  int m_bGreenYellow = 0;
  int m_bMono = 0;
  int m_bRainbow = 0;
  int m_bRedPurple = 0;
  int m_bStormyNight = 0;
  int m_bValentine = 0;
  int m_bAluminiumFoils = 0;
  int m_bMetallic = 0;
};

struct CBlankingMethodsData {
  int m_bWexlyFade = 0;
  int m_bNoFade = 0;
  int m_bFastFade = 0;
};

struct CIterationOptionsData {
  unsigned m_nCompletionDelay = 0;  // seconds
  int m_bExtraMemory = 0;
  unsigned m_nMaxIterations = 0;
  unsigned m_nMinIterations = 0;
  int m_nExcludeCurves = 0;  // 1 Exclude, 0 Reduce
};

struct CHotkeysData {
  std::string m_strPausingKey;
  std::string m_strPrintingKey;
  int m_bPausingActive = 0;
  int m_bPrintingActive = 0;
  std::string m_strFileLocation;
  int m_bNextActive = 0;
  std::string m_strNextKey;
};

// The pages' members together, as the sheet hands them over.
struct CConfigPagesData {
  CFractalTypesData fractalTypes;
  CColourSchemesData colourSchemes;
  CBlankingMethodsData blankingMethods;
  CIterationOptionsData iterationOptions;
  CHotkeysData hotkeys;
};
