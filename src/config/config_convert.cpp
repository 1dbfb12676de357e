#include "config/config_convert.h"

#include "app/saver_app.h"

namespace {

template <class Page>
struct MaskBit {
  int nBit;
  int Page::*pFlag;
};

constexpr MaskBit<CFractalTypesData> kCurveBits[] = {
    {0x01, &CFractalTypesData::m_bMandelbrot}, {0x02, &CFractalTypesData::m_bJulia},
    {0x04, &CFractalTypesData::m_bDragon},     {0x08, &CFractalTypesData::m_bPhoenix},
    {0x10, &CFractalTypesData::m_bNewton},
};

constexpr MaskBit<CColourSchemesData> kSchemeBits[] = {
    {0x0001, &CColourSchemesData::m_bRainbow},        {0x0002, &CColourSchemesData::m_bMono},
    {0x0004, &CColourSchemesData::m_bBold1},          {0x0008, &CColourSchemesData::m_bBold2},
    {0x0010, &CColourSchemesData::m_bBold3},          {0x0020, &CColourSchemesData::m_bBold4},
    {0x0040, &CColourSchemesData::m_bBold5},          {0x0080, &CColourSchemesData::m_bBold6},
    {0x0100, &CColourSchemesData::m_bFirestorm},      {0x0200, &CColourSchemesData::m_bValentine},
    {0x0400, &CColourSchemesData::m_bStormyNight},    {0x0800, &CColourSchemesData::m_bRedPurple},
    {0x1000, &CColourSchemesData::m_bGreenYellow},    {0x2000, &CColourSchemesData::m_bBlueGreen},
    {0x4000, &CColourSchemesData::m_bAluminiumFoils}, {0x8000, &CColourSchemesData::m_bMetallic},
};

constexpr MaskBit<CBlankingMethodsData> kBlankingBits[] = {
    {0x02, &CBlankingMethodsData::m_bFastFade},
    {0x04, &CBlankingMethodsData::m_bWexlyFade},
    {0x08, &CBlankingMethodsData::m_bNoFade},
};

template <class Page, std::size_t N>
void MaskToFlags(int nMask, const MaskBit<Page> (&bits)[N], Page& page) {
  for (const auto& bit : bits) page.*bit.pFlag = (nMask & bit.nBit) ? 1 : 0;
}

template <class Page, std::size_t N>
int FlagsToMask(const Page& page, const MaskBit<Page> (&bits)[N]) {
  int nMask = 0;
  for (const auto& bit : bits)
    if (page.*bit.pFlag) nMask |= bit.nBit;
  return nMask;
}

// The edit boxes hold unsigned numbers; a hand-edited negative setting shows
// as its two's-complement value, which the range check then refuses.
unsigned ToUnsigned(int n) { return static_cast<unsigned>(n); }

}  // namespace

void SettingsToPages(const CSaverApp& app, CFractalTypesData& fractalTypes,
                     CColourSchemesData& colourSchemes, CBlankingMethodsData& blankingMethods,
                     CIterationOptionsData& iterationOptions, CHotkeysData& hotkeys) {
  MaskToFlags(app.m_nCurveType, kCurveBits, fractalTypes);
  MaskToFlags(app.m_nColourScheme, kSchemeBits, colourSchemes);
  MaskToFlags(app.m_nBlankingMethod, kBlankingBits, blankingMethods);

  hotkeys.m_strPausingKey = app.m_strPausingKey;
  hotkeys.m_strPrintingKey = app.m_strPrintingKey;
  hotkeys.m_strNextKey = app.m_strNextKey;
  hotkeys.m_bPausingActive = app.m_bPausingActive;
  hotkeys.m_bPrintingActive = app.m_bPrintingActive;
  hotkeys.m_bNextActive = app.m_bNextActive;
  hotkeys.m_strFileLocation = app.m_strFileLocation;

  iterationOptions.m_nCompletionDelay = ToUnsigned(app.m_nCompletionDelay / 1000);
  iterationOptions.m_bExtraMemory = app.m_bExtraMemory;
  iterationOptions.m_nMaxIterations = ToUnsigned(app.m_nMaxIterations);
  iterationOptions.m_nMinIterations = ToUnsigned(app.m_nMinIterations);
  iterationOptions.m_nExcludeCurves = app.m_nExcludeCurves;
}

void PagesToSettings(const CFractalTypesData& fractalTypes,
                     const CColourSchemesData& colourSchemes,
                     const CBlankingMethodsData& blankingMethods,
                     const CIterationOptionsData& iterationOptions, const CHotkeysData& hotkeys,
                     CSaverApp& app) {
  app.m_nCurveType = FlagsToMask(fractalTypes, kCurveBits);
  app.m_nColourScheme = FlagsToMask(colourSchemes, kSchemeBits);
  app.m_nBlankingMethod = FlagsToMask(blankingMethods, kBlankingBits);

  // A delay the page never validated (page not opened) may exceed what fits
  // in milliseconds; keep the member's range rather than wrap.
  long long nMs = static_cast<long long>(static_cast<int>(iterationOptions.m_nCompletionDelay)) * 1000;
  if (nMs > 0x7FFFFFFF) nMs = 0x7FFFFFFF;
  if (nMs < -0x7FFFFFFFLL) nMs = -0x7FFFFFFFLL;
  app.m_nCompletionDelay = static_cast<int>(nMs);
  app.m_bExtraMemory = iterationOptions.m_bExtraMemory;
  app.m_nMaxIterations = static_cast<int>(iterationOptions.m_nMaxIterations);
  app.m_nMinIterations = static_cast<int>(iterationOptions.m_nMinIterations);
  app.m_nExcludeCurves = iterationOptions.m_nExcludeCurves;

  app.m_bPausingActive = hotkeys.m_bPausingActive;
  app.m_bPrintingActive = hotkeys.m_bPrintingActive;
  app.m_bNextActive = hotkeys.m_bNextActive;
  app.m_strPausingKey = hotkeys.m_strPausingKey;
  app.m_strPrintingKey = hotkeys.m_strPrintingKey;
  app.m_strNextKey = hotkeys.m_strNextKey;
  app.m_strFileLocation = hotkeys.m_strFileLocation;
}
