#pragma once

#include "config/page_data.h"

class CSaverApp;

// Settings to page members: each mask bit becomes a flag, the delay turns
// from milliseconds into whole seconds (truncating).
void SettingsToPages(const CSaverApp& app, CFractalTypesData& fractalTypes,
                     CColourSchemesData& colourSchemes, CBlankingMethodsData& blankingMethods,
                     CIterationOptionsData& iterationOptions, CHotkeysData& hotkeys);

// Page members back to settings after OK. The masks are rebuilt from zero, so
// bits no page shows (curve bit 5, blanking bit 0, anything above) are dropped.
void PagesToSettings(const CFractalTypesData& fractalTypes,
                     const CColourSchemesData& colourSchemes,
                     const CBlankingMethodsData& blankingMethods,
                     const CIterationOptionsData& iterationOptions, const CHotkeysData& hotkeys,
                     CSaverApp& app);

inline void SettingsToPages(const CSaverApp& app, CConfigPagesData& pages) {
  SettingsToPages(app, pages.fractalTypes, pages.colourSchemes, pages.blankingMethods,
                  pages.iterationOptions, pages.hotkeys);
}
inline void PagesToSettings(const CConfigPagesData& pages, CSaverApp& app) {
  PagesToSettings(pages.fractalTypes, pages.colourSchemes, pages.blankingMethods,
                  pages.iterationOptions, pages.hotkeys, app);
}
