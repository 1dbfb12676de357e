#pragma once

#include "config/page_data.h"

// Settings to page members by each page's fields: each mask bit becomes a
// flag or a bit of the page's mask, every other member shows the setting as stored (the delay in whole
// seconds, truncating).
void SettingsToPages(const CSettings& settings, CFractalTypesData& fractalTypes,
                     CColourSchemesData& colourSchemes, CBlankingMethodsData& blankingMethods,
                     CIterationOptionsData& iterationOptions, CHotkeysData& hotkeys);

// Page members back to settings after OK. The masks are rebuilt from zero, so
// bits no page shows (curve bit 5, blanking bit 0, anything above) are dropped.
void PagesToSettings(const CFractalTypesData& fractalTypes,
                     const CColourSchemesData& colourSchemes,
                     const CBlankingMethodsData& blankingMethods,
                     const CIterationOptionsData& iterationOptions, const CHotkeysData& hotkeys,
                     CSettings& settings);

inline void SettingsToPages(const CSettings& settings, CConfigPagesData& pages) {
  SettingsToPages(settings, pages.fractalTypes, pages.colourSchemes, pages.blankingMethods,
                  pages.iterationOptions, pages.hotkeys);
}
inline void PagesToSettings(const CConfigPagesData& pages, CSettings& settings) {
  PagesToSettings(pages.fractalTypes, pages.colourSchemes, pages.blankingMethods,
                  pages.iterationOptions, pages.hotkeys, settings);
}
