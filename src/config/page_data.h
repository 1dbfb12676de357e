#pragma once

#include <string>

#include "app/settings_table.h"
#include "colour/scheme_list.h"
#include "fractal/formulas.h"

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
  int Page::*pMask = nullptr;  // the bits nBit of the mask pSetting, a box each
  int nBit = 0;  // non-zero: pFlag ticks this bit, or pMask holds these bits, of pSetting
};

template <class Page>
constexpr CPageField<Page> MaskBit(int CSettings::*pMask, int nBit, int Page::*pFlag) {
  return {.pSetting = pMask, .pFlag = pFlag, .nBit = nBit};
}
template <class Page>
constexpr CPageField<Page> MaskBits(int CSettings::*pMask, int nBits, int Page::*pPageMask) {
  return {.pSetting = pMask, .pMask = pPageMask, .nBit = nBits};
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

// One check box per formula and per scheme: the page walks the rows
// (fractal/formulas.h, colour/scheme_list.h), each box ticking its bit.
struct CFractalTypesData {
  int m_nCurveTypes = 0;
};

inline constexpr CPageField<CFractalTypesData> kFractalTypesFields[] = {
    MaskBits(&CSettings::m_nCurveType, kAllFormulaBits, &CFractalTypesData::m_nCurveTypes),
};

struct CColourSchemesData {
  int m_nColourSchemes = 0;
};

inline constexpr CPageField<CColourSchemesData> kColourSchemesFields[] = {
    MaskBits(&CSettings::m_nColourScheme, kAllSchemes, &CColourSchemesData::m_nColourSchemes),
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
