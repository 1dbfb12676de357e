#include "config/config_convert.h"

#include "app/settings_table.h"

namespace {

const CSettingDef& DefOf(int CSettings::*pSetting) {
  for (const CSettingDef& s : kSettings)
    if (s.pInt == pSetting) return s;
  // Every page field names a setting of the table (checked by the tests).
  static const CSettingDef kNone{.pszName = ""};
  return kNone;
}

// The edit boxes hold unsigned numbers; a hand-edited negative setting shows
// as its two's-complement value, which the range check then refuses.
template <class Page, std::size_t N>
void ToPage(const CSettings& settings, const CPageField<Page> (&fields)[N], Page& page) {
  for (const CPageField<Page>& f : fields) {
    if (f.pText) {
      page.*f.pText = settings.*f.pStringSetting;
    } else if (f.pMask) {
      page.*f.pMask = settings.*f.pSetting & f.nBit;
    } else if (f.nBit) {
      page.*f.pFlag = (settings.*f.pSetting & f.nBit) ? 1 : 0;
    } else {
      const int nStored = AdjustWrite(DefOf(f.pSetting), settings.*f.pSetting);
      if (f.pBox)
        page.*f.pBox = static_cast<unsigned>(nStored);
      else
        page.*f.pFlag = nStored;
    }
  }
}

// Masks are rebuilt from zero, so bits no page shows are dropped. A value the
// page never validated (page not opened) is read as the store would read it,
// so a delay too long for milliseconds saturates rather than wraps.
template <class Page, std::size_t N>
void FromPage(const Page& page, const CPageField<Page> (&fields)[N], CSettings& settings) {
  for (const CPageField<Page>& f : fields)
    if (f.nBit) settings.*f.pSetting = 0;
  for (const CPageField<Page>& f : fields) {
    if (f.pText) {
      settings.*f.pStringSetting = page.*f.pText;
    } else if (f.pMask) {
      settings.*f.pSetting |= page.*f.pMask & f.nBit;
    } else if (f.nBit) {
      if (page.*f.pFlag) settings.*f.pSetting |= f.nBit;
    } else {
      const int nStored = f.pBox ? static_cast<int>(page.*f.pBox) : page.*f.pFlag;
      settings.*f.pSetting = AdjustRead(DefOf(f.pSetting), nStored);
    }
  }
}

}  // namespace

void SettingsToPages(const CSettings& settings, CFractalTypesData& fractalTypes,
                     CColourSchemesData& colourSchemes, CBlankingMethodsData& blankingMethods,
                     CIterationOptionsData& iterationOptions, CHotkeysData& hotkeys) {
  ToPage(settings, kFractalTypesFields, fractalTypes);
  ToPage(settings, kColourSchemesFields, colourSchemes);
  ToPage(settings, kBlankingMethodsFields, blankingMethods);
  ToPage(settings, kIterationOptionsFields, iterationOptions);
  ToPage(settings, kHotkeysFields, hotkeys);
}

void PagesToSettings(const CFractalTypesData& fractalTypes,
                     const CColourSchemesData& colourSchemes,
                     const CBlankingMethodsData& blankingMethods,
                     const CIterationOptionsData& iterationOptions, const CHotkeysData& hotkeys,
                     CSettings& settings) {
  FromPage(fractalTypes, kFractalTypesFields, settings);
  FromPage(colourSchemes, kColourSchemesFields, settings);
  FromPage(blankingMethods, kBlankingMethodsFields, settings);
  FromPage(iterationOptions, kIterationOptionsFields, settings);
  FromPage(hotkeys, kHotkeysFields, settings);
}
