#include "windows/config/config_sheet_win.h"

#include "app/saver_app.h"
#include "config/config_convert.h"
#include "windows/config/config_pages_win.h"
#include "windows/framework/property_sheet_win.h"

int RunConfigSheet() {
  CSaverApp& app = *AfxGetApp();
  // The registry may have changed since start-up; show what is there now.
  app.LoadSettings();

  CPropertySheet sheet("Wexly Fractals v2.0", nullptr, 0);
  sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;

  CPageFractalTypes fractalTypes;
  CPageColourSchemes colourSchemes;
  CPageBlankingMethods blankingMethods;
  CPageHotkeys hotkeys;
  CPageIterationOptions iterationOptions;
  CPageAbout about;
  SettingsToPages(app, fractalTypes, colourSchemes, blankingMethods, iterationOptions, hotkeys);

  sheet.AddPage(&fractalTypes);
  sheet.AddPage(&colourSchemes);
  sheet.AddPage(&blankingMethods);
  sheet.AddPage(&iterationOptions);
  sheet.AddPage(&hotkeys);
  sheet.AddPage(&about);

  if (sheet.DoModal() != IDOK) return IDCANCEL;
  PagesToSettings(fractalTypes, colourSchemes, blankingMethods, iterationOptions, hotkeys, app);
  app.SaveSettings();
  return IDOK;
}
