#pragma once

#include <string>

#include "app/settings_table.h"

// The plain members of the six configuration pages. The page classes inherit
// them, so the conversions to and from the settings need no window at all.
// Flags are 0 or 1; the unsigned members are what the edit boxes hold. Each
// page's fields say which setting each member edits.

// One page member and the setting it edits, in stored units (app/settings_table.h).
template <class Page>
struct CPageField {
  int CSettings::*pSetting = nullptr;
  std::string CSettings::*pStringSetting = nullptr;
  unsigned Page::*pBox = nullptr;  // an edit box, holding the stored value unsigned
  int Page::*pFlag = nullptr;      // a check box or radio pair
  std::string Page::*pText = nullptr;
  int nBit = 0;  // non-zero: pFlag ticks this bit of the mask pSetting
};

template <class Page>
constexpr CPageField<Page> MaskBit(int CSettings::*pMask, int nBit, int Page::*pFlag) {
  return {.pSetting = pMask, .pFlag = pFlag, .nBit = nBit};
}
template <class Page>
constexpr CPageField<Page> Flag(int CSettings::*pSetting, int Page::*pFlag) {
  return {.pSetting = pSetting, .pFlag = pFlag};
}
template <class Page>
constexpr CPageField<Page> Box(int CSettings::*pSetting, unsigned Page::*pBox) {
  return {.pSetting = pSetting, .pBox = pBox};
}
template <class Page>
constexpr CPageField<Page> Text(std::string CSettings::*pSetting, std::string Page::*pText) {
  return {.pStringSetting = pSetting, .pText = pText};
}

struct CFractalTypesData {
  int m_bDragon = 0;
  int m_bJulia = 0;
  int m_bMandelbrot = 0;
  int m_bPhoenix = 0;
  int m_bNewton = 0;
};

inline constexpr CPageField<CFractalTypesData> kFractalTypesFields[] = {
    MaskBit(&CSettings::m_nCurveType, 0x01, &CFractalTypesData::m_bMandelbrot),
    MaskBit(&CSettings::m_nCurveType, 0x02, &CFractalTypesData::m_bJulia),
    MaskBit(&CSettings::m_nCurveType, 0x04, &CFractalTypesData::m_bDragon),
    MaskBit(&CSettings::m_nCurveType, 0x08, &CFractalTypesData::m_bPhoenix),
    MaskBit(&CSettings::m_nCurveType, 0x10, &CFractalTypesData::m_bNewton),
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

inline constexpr CPageField<CColourSchemesData> kColourSchemesFields[] = {
    MaskBit(&CSettings::m_nColourScheme, 0x0001, &CColourSchemesData::m_bRainbow),
    MaskBit(&CSettings::m_nColourScheme, 0x0002, &CColourSchemesData::m_bMono),
    MaskBit(&CSettings::m_nColourScheme, 0x0004, &CColourSchemesData::m_bBold1),
    MaskBit(&CSettings::m_nColourScheme, 0x0008, &CColourSchemesData::m_bBold2),
    MaskBit(&CSettings::m_nColourScheme, 0x0010, &CColourSchemesData::m_bBold3),
    MaskBit(&CSettings::m_nColourScheme, 0x0020, &CColourSchemesData::m_bBold4),
    MaskBit(&CSettings::m_nColourScheme, 0x0040, &CColourSchemesData::m_bBold5),
    MaskBit(&CSettings::m_nColourScheme, 0x0080, &CColourSchemesData::m_bBold6),
    MaskBit(&CSettings::m_nColourScheme, 0x0100, &CColourSchemesData::m_bFirestorm),
    MaskBit(&CSettings::m_nColourScheme, 0x0200, &CColourSchemesData::m_bValentine),
    MaskBit(&CSettings::m_nColourScheme, 0x0400, &CColourSchemesData::m_bStormyNight),
    MaskBit(&CSettings::m_nColourScheme, 0x0800, &CColourSchemesData::m_bRedPurple),
    MaskBit(&CSettings::m_nColourScheme, 0x1000, &CColourSchemesData::m_bGreenYellow),
    MaskBit(&CSettings::m_nColourScheme, 0x2000, &CColourSchemesData::m_bBlueGreen),
    MaskBit(&CSettings::m_nColourScheme, 0x4000, &CColourSchemesData::m_bAluminiumFoils),
    MaskBit(&CSettings::m_nColourScheme, 0x8000, &CColourSchemesData::m_bMetallic),
};

struct CBlankingMethodsData {
  int m_bWexlyFade = 0;
  int m_bNoFade = 0;
  int m_bFastFade = 0;
  unsigned m_nDrawingTime = 0;  // seconds
};

inline constexpr CPageField<CBlankingMethodsData> kBlankingMethodsFields[] = {
    MaskBit(&CSettings::m_nBlankingMethod, 0x02, &CBlankingMethodsData::m_bFastFade),
    MaskBit(&CSettings::m_nBlankingMethod, 0x04, &CBlankingMethodsData::m_bWexlyFade),
    MaskBit(&CSettings::m_nBlankingMethod, 0x08, &CBlankingMethodsData::m_bNoFade),
    Box(&CSettings::m_nDrawingTime, &CBlankingMethodsData::m_nDrawingTime),
};

struct CIterationOptionsData {
  unsigned m_nCompletionDelay = 0;  // seconds
  int m_bExtraMemory = 0;
  unsigned m_nMaxIterations = 0;
  unsigned m_nMinIterations = 0;
  int m_nExcludeCurves = 0;  // 1 Exclude, 0 Reduce
};

inline constexpr CPageField<CIterationOptionsData> kIterationOptionsFields[] = {
    Box(&CSettings::m_nCompletionDelay, &CIterationOptionsData::m_nCompletionDelay),
    Flag(&CSettings::m_bExtraMemory, &CIterationOptionsData::m_bExtraMemory),
    Box(&CSettings::m_nMaxIterations, &CIterationOptionsData::m_nMaxIterations),
    Box(&CSettings::m_nMinIterations, &CIterationOptionsData::m_nMinIterations),
    Flag(&CSettings::m_nExcludeCurves, &CIterationOptionsData::m_nExcludeCurves),
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

inline constexpr CPageField<CHotkeysData> kHotkeysFields[] = {
    Text(&CSettings::m_strPausingKey, &CHotkeysData::m_strPausingKey),
    Text(&CSettings::m_strPrintingKey, &CHotkeysData::m_strPrintingKey),
    Flag(&CSettings::m_bPausingActive, &CHotkeysData::m_bPausingActive),
    Flag(&CSettings::m_bPrintingActive, &CHotkeysData::m_bPrintingActive),
    Text(&CSettings::m_strFileLocation, &CHotkeysData::m_strFileLocation),
    Flag(&CSettings::m_bNextActive, &CHotkeysData::m_bNextActive),
    Text(&CSettings::m_strNextKey, &CHotkeysData::m_strNextKey),
};

// The pages' members together, as the sheet hands them over.
struct CConfigPagesData {
  CFractalTypesData fractalTypes;
  CColourSchemesData colourSchemes;
  CBlankingMethodsData blankingMethods;
  CIterationOptionsData iterationOptions;
  CHotkeysData hotkeys;
};
