#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "app/saver_app.h"
#include "x11/app/saver_options_x11.h"

namespace {

struct Parsed {
  bool ok;
  SaverOptions options;
  std::string error;
};

Parsed Parse(std::initializer_list<const char*> args) {
  std::vector<const char*> argv{"mirovane"};
  argv.insert(argv.end(), args.begin(), args.end());
  Parsed p{};
  p.ok = ParseSaverOptions(static_cast<int>(argv.size()), argv.data(), p.options, p.error);
  return p;
}

TEST(SaverOptionsTest, WindowModes) {
  EXPECT_EQ(Parse({}).options.mode, WindowMode::Own);
  EXPECT_EQ(Parse({"-root"}).options.mode, WindowMode::Root);
  EXPECT_EQ(Parse({"--root"}).options.mode, WindowMode::Root);

  Parsed p = Parse({"-window-id", "0x2a00007"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.mode, WindowMode::WindowId);
  EXPECT_EQ(p.options.nWindowId, 0x2a00007u);
  // -root after -window-id does not take the window away.
  EXPECT_EQ(Parse({"-window-id", "77", "-root"}).options.mode, WindowMode::WindowId);
  EXPECT_EQ(Parse({"-window-id", "77", "-root"}).options.nWindowId, 77u);
}

TEST(SaverOptionsTest, HostWindowFromEnvironment) {
  SaverOptions o;
  std::string error;
  o.mode = WindowMode::Root;  // XScreenSaver passes -root and sets the variable
  ASSERT_TRUE(TakeHostWindow("0x400012", o, error));
  EXPECT_EQ(o.mode, WindowMode::WindowId);
  EXPECT_EQ(o.nWindowId, 0x400012u);

  SaverOptions explicitId = Parse({"-window-id", "5"}).options;
  ASSERT_TRUE(TakeHostWindow("0x400012", explicitId, error));
  EXPECT_EQ(explicitId.nWindowId, 5u);

  SaverOptions unset;
  ASSERT_TRUE(TakeHostWindow(nullptr, unset, error));
  ASSERT_TRUE(TakeHostWindow("", unset, error));
  EXPECT_EQ(unset.mode, WindowMode::Own);

  for (const char* bad : {"window", "0", "0x", "-3", "0x1ffffffff"}) {
    SaverOptions o2;
    EXPECT_FALSE(TakeHostWindow(bad, o2, error)) << bad;
    EXPECT_NE(error.find("XSCREENSAVER_WINDOW"), std::string::npos);
  }
}

TEST(SaverOptionsTest, RepeatedMasksCombineAsTheDialogsCheckBoxesSendThem) {
  Parsed p = Parse({"-curve-types", "1", "-curve-types", "4", "-colour-schemes", "0x8000", "-colour-schemes",
                    "2", "-blanking", "8", "--blanking", "4"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.Setting(&CSettings::m_nCurveType), 5);
  EXPECT_EQ(p.options.Setting(&CSettings::m_nColourScheme), 0x8002);
  EXPECT_EQ(p.options.Setting(&CSettings::m_nBlankingMethod), 12);
  EXPECT_FALSE(Parse({}).options.Setting(&CSettings::m_nCurveType).has_value());
}

TEST(SaverOptionsTest, ValuesAndFlags) {
  Parsed p = Parse({"-delay", "300", "-min-iterations", "0", "-max-iterations", "999999", "-extra-memory",
                    "-exclude", "-seed", "4294967295", "-verbose"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.Setting(&CSettings::m_nCompletionDelay), 300);
  EXPECT_EQ(p.options.Setting(&CSettings::m_nMinIterations), 0);
  EXPECT_EQ(p.options.Setting(&CSettings::m_nMaxIterations), 999999);
  EXPECT_EQ(p.options.Setting(&CSettings::m_bExtraMemory), 1);
  EXPECT_EQ(p.options.Setting(&CSettings::m_nExcludeCurves), 1);
  EXPECT_EQ(p.options.nSeed, 4294967295u);
  EXPECT_TRUE(p.options.bVerbose);

  // The last of two opposite flags wins.
  Parsed q = Parse({"-extra-memory", "-no-extra-memory", "-exclude", "-reduce"});
  EXPECT_EQ(q.options.Setting(&CSettings::m_bExtraMemory), 0);
  EXPECT_EQ(q.options.Setting(&CSettings::m_nExcludeCurves), 0);
  EXPECT_TRUE(Parse({"-help"}).options.bHelp);
  EXPECT_TRUE(Parse({"--version"}).options.bVersion);
}

TEST(SaverOptionsTest, BadValuesAreRefusedWithOneLine) {
  const std::vector<std::vector<const char*>> bad = {
      {"-curve-types", "0"},          // no type at all
      {"-curve-types", "32"},         // the bit that means nothing on its own
      {"-curve-types", "64"},         // outside the mask
      {"-colour-schemes", "0"},       {"-colour-schemes", "0x10000"},
      {"-blanking", "1"},             {"-blanking", "16"},
      {"-delay", "301"},              {"-delay", "-1"},
      {"-delay", "1.5"},              {"-delay", ""},
      {"-min-iterations", "1000000"}, {"-max-iterations", "ten"},
      {"-seed", "4294967296"},        {"-window-id", "0"},
      {"-window-id", "0xZZ"},         {"-delay"},
      {"-frobnicate"},                {"stray"},
  };
  for (const auto& args : bad) {
    std::vector<const char*> argv{"mirovane"};
    argv.insert(argv.end(), args.begin(), args.end());
    SaverOptions o;
    std::string error;
    EXPECT_FALSE(ParseSaverOptions(static_cast<int>(argv.size()), argv.data(), o, error)) << args[0];
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
  }
}

TEST(SaverOptionsTest, OptionsOverrideOnlyWhatTheyName) {
  CSaverApp app;
  app.m_nCurveType = 0x3F;
  app.m_nColourScheme = 0xFFFF;
  app.m_nBlankingMethod = 2;
  app.m_nCompletionDelay = 1000;
  app.m_nMaxIterations = 40;
  ApplySaverOptions(Parse({"-curve-types", "2", "-delay", "7", "-extra-memory"}).options, app);
  EXPECT_EQ(app.m_nCurveType, 2);
  EXPECT_EQ(app.m_nCompletionDelay, 7000);
  EXPECT_EQ(app.m_bExtraMemory, 1);
  EXPECT_EQ(app.m_nColourScheme, 0xFFFF);
  EXPECT_EQ(app.m_nBlankingMethod, 2);
  EXPECT_EQ(app.m_nMaxIterations, 40);

  ApplySaverOptions(Parse({"-colour-schemes", "3", "-blanking", "4", "-min-iterations", "9", "-max-iterations",
                           "90", "-exclude", "-no-extra-memory"})
                        .options,
                    app);
  EXPECT_EQ(app.m_nColourScheme, 3);
  EXPECT_EQ(app.m_nBlankingMethod, 4);
  EXPECT_EQ(app.m_nMinIterations, 9);
  EXPECT_EQ(app.m_nMaxIterations, 90);
  EXPECT_EQ(app.m_nExcludeCurves, 1);
  EXPECT_EQ(app.m_bExtraMemory, 0);
}

TEST(SaverOptionsTest, EachOptionOfTheTableSetsOnlyItsMember) {
  for (const CSettingDef& setting : kSettings) {
    if (setting.option == EOptionKind::None) continue;
    const std::string option = std::string("-") + setting.pszOption;
    const std::string value =
        std::to_string(setting.option == EOptionKind::Mask ? setting.nKnownBits & -setting.nKnownBits
                                                           : setting.nHigh);
    Parsed p = setting.option == EOptionKind::Flag ? Parse({option.c_str()})
                                                   : Parse({option.c_str(), value.c_str()});
    ASSERT_TRUE(p.ok) << option << ": " << p.error;
    CSaverApp app, before;
    ApplySaverOptions(p.options, app);
    for (const CSettingDef& other : kSettings) {
      if (!other.pInt) continue;
      if (&other == &setting)
        EXPECT_EQ(app.*other.pInt, AdjustRead(other, setting.option == EOptionKind::Flag ? 1 : std::stoi(value)))
            << option;
      else
        EXPECT_EQ(app.*other.pInt, before.*other.pInt) << option << " changed " << other.pszName;
    }
    EXPECT_NE(SaverUsage().find("\n  " + option + " "), std::string::npos) << option;
  }
}

TEST(SaverOptionsTest, UsageAndPrintoutFollowTheDialogsOrder) {
  const std::string usage = SaverUsage();
  EXPECT_NE(usage.find("  -window-id ID         draw in the window ID\n"
                       "  -curve-types MASK     fractal types: 1 Mandelbrot, 2 Julia, 4 Dragon, 8 Phoenix, 16 Newton\n"
                       "  -colour-schemes MASK  colour schemes, 1 to 32768, in the order of the settings dialog\n"
                       "  -blanking MASK        blanking methods: 2 Fast Fade, 4 Wexly Fade, 8 No Fade\n"
                       "  -delay SECONDS        how long a finished picture stays, 0 to 300\n"
                       "  -extra-memory         full-resolution plotting; -no-extra-memory: 2 x 2 blocks\n"
                       "  -min-iterations N     lower iteration limit of the curves shown (0: none)\n"
                       "  -max-iterations N     upper iteration limit of the curves shown (0: none)\n"
                       "  -exclude              leave out curves above the limit; -reduce: lower them to it\n"
                       "  -drawing-time SECONDS draw each picture over at least this long, 0 (as fast as it computes) to 600\n"
                       "  -seed N "),
            std::string::npos)
      << usage;
  CSaverApp app;
  app.m_nCurveType = 63;
  app.m_nColourScheme = 3;
  app.m_nBlankingMethod = 2;
  app.m_nCompletionDelay = 1500;
  app.m_bExtraMemory = 1;
  app.m_nMinIterations = 4;
  app.m_nMaxIterations = 5;
  app.m_nExcludeCurves = 1;
  app.m_nDrawingTime = 6;
  EXPECT_EQ(SettingsLine(app),
            "curve-types 63 colour-schemes 3 blanking 2 delay-ms 1500 extra-memory 1 min-iterations 4 "
            "max-iterations 5 exclude 1 drawing-time 6");
}

}  // namespace
