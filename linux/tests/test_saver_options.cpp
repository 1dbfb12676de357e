#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "app/saver_app.h"
#include "saver_options.h"

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
  EXPECT_EQ(p.options.nCurveType, 5);
  EXPECT_EQ(p.options.nColourScheme, 0x8002);
  EXPECT_EQ(p.options.nBlankingMethod, 12);
  EXPECT_FALSE(Parse({}).options.nCurveType.has_value());
}

TEST(SaverOptionsTest, ValuesAndFlags) {
  Parsed p = Parse({"-delay", "300", "-min-iterations", "0", "-max-iterations", "999999", "-extra-memory",
                    "-exclude", "-seed", "4294967295", "-verbose"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.nDelaySeconds, 300);
  EXPECT_EQ(p.options.nMinIterations, 0);
  EXPECT_EQ(p.options.nMaxIterations, 999999);
  EXPECT_EQ(p.options.bExtraMemory, 1);
  EXPECT_EQ(p.options.nExcludeCurves, 1);
  EXPECT_EQ(p.options.nSeed, 4294967295u);
  EXPECT_TRUE(p.options.bVerbose);

  // The last of two opposite flags wins.
  Parsed q = Parse({"-extra-memory", "-no-extra-memory", "-exclude", "-reduce"});
  EXPECT_EQ(q.options.bExtraMemory, 0);
  EXPECT_EQ(q.options.nExcludeCurves, 0);
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

}  // namespace
