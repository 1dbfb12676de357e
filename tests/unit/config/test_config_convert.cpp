#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/saver_app.h"
#include "app/settings_table.h"
#include "config/config_convert.h"

namespace {

// What LoadSettings gives for an empty store.
void SetLoadedDefaults(CSaverApp& app) {
  app.m_nCurveType = 63;
  app.m_nColourScheme = 0xFFFF;
  app.m_nBlankingMethod = 2;
  app.m_nCompletionDelay = 1000;
}

CConfigPagesData RoundTrip(const CSaverApp& in, CSaverApp& out) {
  CConfigPagesData pages;
  SettingsToPages(in, pages);
  PagesToSettings(pages, out);
  return pages;
}

TEST(ConfigConvert, CurveMaskShowsFiveTicksAndDropsBitFive) {
  CSaverApp app;
  SetLoadedDefaults(app);
  CSaverApp out;
  const CConfigPagesData pages = RoundTrip(app, out);
  EXPECT_EQ(31, pages.fractalTypes.m_nCurveTypes);
  EXPECT_EQ(31, out.m_nCurveType);
}

TEST(ConfigConvert, EachMaskBitLandsOnItsOwnBox) {
  CSaverApp app;
  SetLoadedDefaults(app);
  app.m_nCurveType = 0x04;
  app.m_nColourScheme = 0x0004 | 0x0800 | 0x8000;  // Bold 1, Red / Purple, Metallic
  app.m_nBlankingMethod = 0x08;
  CConfigPagesData pages;
  SettingsToPages(app, pages);
  EXPECT_EQ(0x04, pages.fractalTypes.m_nCurveTypes);
  EXPECT_EQ(0x8804, pages.colourSchemes.m_nColourSchemes);
  EXPECT_EQ(1, pages.blankingMethods.m_bNoFade);
  EXPECT_EQ(0, pages.blankingMethods.m_bFastFade + pages.blankingMethods.m_bWexlyFade);

  CSaverApp out;
  PagesToSettings(pages, out);
  EXPECT_EQ(0x04, out.m_nCurveType);
  EXPECT_EQ(0x8804, out.m_nColourScheme);
  EXPECT_EQ(0x08, out.m_nBlankingMethod);
}

TEST(ConfigConvert, BlankingBitZeroAndHighBitsAreDropped) {
  CSaverApp app;
  SetLoadedDefaults(app);
  app.m_nBlankingMethod = 3;
  app.m_nColourScheme = 0x3FFFF;
  CSaverApp out;
  const CConfigPagesData pages = RoundTrip(app, out);
  EXPECT_EQ(1, pages.blankingMethods.m_bFastFade);
  EXPECT_EQ(0, pages.blankingMethods.m_bWexlyFade);
  EXPECT_EQ(0, pages.blankingMethods.m_bNoFade);
  EXPECT_EQ(2, out.m_nBlankingMethod);
  EXPECT_EQ(0xFFFF, pages.colourSchemes.m_nColourSchemes);
  EXPECT_EQ(0xFFFF, out.m_nColourScheme);
}

TEST(ConfigConvert, UntickedPagesWriteZeroMasks) {
  CSaverApp out;
  SetLoadedDefaults(out);
  CConfigPagesData pages;  // every box unticked
  PagesToSettings(pages, out);
  EXPECT_EQ(0, out.m_nCurveType);
  EXPECT_EQ(0, out.m_nColourScheme);
  EXPECT_EQ(0, out.m_nBlankingMethod);
}

TEST(ConfigConvert, DelayTravelsAsWholeSeconds) {
  CSaverApp app;
  SetLoadedDefaults(app);
  app.m_nCompletionDelay = 5999;  // truncates, as the store holds seconds
  CConfigPagesData pages;
  SettingsToPages(app, pages);
  EXPECT_EQ(5u, pages.iterationOptions.m_nCompletionDelay);

  // A delay set outside the dialog survives a sheet that never opened its page.
  app.m_nCompletionDelay = 600000;
  CSaverApp out;
  pages = RoundTrip(app, out);
  EXPECT_EQ(600u, pages.iterationOptions.m_nCompletionDelay);
  EXPECT_EQ(600000, out.m_nCompletionDelay);
}

TEST(ConfigConvert, HandEditedValuesRoundTripWithoutOverflow) {
  CSaverApp app;
  SetLoadedDefaults(app);
  app.m_nCompletionDelay = 0x7FFFFFFF;  // the store's largest delay, clamped on reading
  app.m_nMinIterations = -5;
  CSaverApp out;
  const CConfigPagesData pages = RoundTrip(app, out);
  EXPECT_EQ(2147483u, pages.iterationOptions.m_nCompletionDelay);
  EXPECT_EQ(2147483000, out.m_nCompletionDelay);
  EXPECT_EQ(-5, out.m_nMinIterations);
}

TEST(ConfigConvert, PlainValuesAndStringsCopyBothWays) {
  CSaverApp app;
  SetLoadedDefaults(app);
  app.m_bExtraMemory = 1;
  app.m_nMinIterations = 500;
  app.m_nMaxIterations = 100;
  app.m_nExcludeCurves = 1;
  app.m_bPausingActive = 1;
  app.m_bNextActive = 1;
  app.m_strPausingKey = "P";
  app.m_strPrintingKey = "S";
  app.m_strNextKey = "N";
  app.m_strFileLocation = "C:\\Bilder\\Fraktale \xC3\xA4";
  app.m_nSequenceNo = 42;

  CSaverApp out;
  out.m_nSequenceNo = 7;
  const CConfigPagesData pages = RoundTrip(app, out);
  EXPECT_EQ(500u, pages.iterationOptions.m_nMinIterations);
  EXPECT_EQ(100u, pages.iterationOptions.m_nMaxIterations);
  EXPECT_EQ("N", pages.hotkeys.m_strNextKey);

  EXPECT_EQ(1, out.m_bExtraMemory);
  EXPECT_EQ(500, out.m_nMinIterations);
  EXPECT_EQ(100, out.m_nMaxIterations);
  EXPECT_EQ(1, out.m_nExcludeCurves);
  EXPECT_EQ(1, out.m_bPausingActive);
  EXPECT_EQ(0, out.m_bPrintingActive);
  EXPECT_EQ(1, out.m_bNextActive);
  EXPECT_EQ("P", out.m_strPausingKey);
  EXPECT_EQ("S", out.m_strPrintingKey);
  EXPECT_EQ("N", out.m_strNextKey);
  EXPECT_EQ(app.m_strFileLocation, out.m_strFileLocation);
  EXPECT_EQ(7, out.m_nSequenceNo) << "the sheet never touches the screenshot number";
}

// The pages edit exactly what the sheet saves: a setting added to the table
// without a page member, or a page member naming no setting, shows here.
TEST(ConfigConvert, PagesEditEverySavedSettingOfTheTable) {
  std::set<std::string> edited;
  auto note = [&](const auto& fields) {
    for (const auto& f : fields) {
      bool bFound = false;
      for (const CSettingDef& s : kSettings)
        if ((f.pSetting && s.pInt == f.pSetting) || (f.pStringSetting && s.pString == f.pStringSetting)) {
          edited.insert(s.pszName);
          bFound = true;
        }
      EXPECT_TRUE(bFound);
    }
  };
  note(kFractalTypesFields);
  note(kColourSchemesFields);
  note(kBlankingMethodsFields);
  note(kIterationOptionsFields);
  note(kHotkeysFields);
  std::set<std::string> saved;
  for (const CSettingDef& s : kSettings)
    if (s.nSaveRank > 0) saved.insert(s.pszName);
  EXPECT_EQ(edited, saved);
}

}  // namespace
