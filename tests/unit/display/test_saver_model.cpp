#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "app/saver_app.h"
#include "display/frame.h"
#include "display/saver_model.h"
#include "display/slide_show.h"

namespace {

TEST(SaverInputTest, FirstPointerReportOnlyPlacesThePointerAndButtonsEnd) {
  CSaverPoint last;
  EXPECT_EQ(PointerAction(last, 400, 300), ESaverAction::Continue);
  EXPECT_EQ(PointerAction(last, 400, 300), ESaverAction::Continue);  // same place again
  EXPECT_EQ(PointerAction(last, 401, 300), ESaverAction::End);   // one pixel is enough
  CSaverPoint other;
  EXPECT_EQ(PointerAction(other, 0, 0), ESaverAction::Continue);
  EXPECT_EQ(PointerAction(other, 0, 1), ESaverAction::End);
  EXPECT_EQ(ButtonAction(), ESaverAction::End);
}

TEST(SaverInputTest, ActiveKeysActAndEverythingElseEnds) {
  CSaverApp app;
  app.m_strPrintingKey = "P";
  app.m_strPausingKey = "S";
  app.m_strNextKey = "N";
  app.m_bPrintingActive = app.m_bPausingActive = app.m_bNextActive = 1;
  EXPECT_EQ(KeyAction('P', false, app), ESaverAction::Screenshot);
  EXPECT_EQ(KeyAction('S', false, app), ESaverAction::Pause);
  EXPECT_EQ(KeyAction('N', false, app), ESaverAction::Next);
  EXPECT_EQ(KeyAction('X', false, app), ESaverAction::End);
  EXPECT_EQ(KeyAction(0, false, app), ESaverAction::End);  // a key without a virtual key
  EXPECT_EQ(KeyAction(0x100 + 'N', false, app), ESaverAction::Next);  // the low byte counts
  // Alt with a hot key, Alt alone and F10 are system keys.
  EXPECT_EQ(KeyAction('N', true, app), ESaverAction::End);
  EXPECT_EQ(KeyAction(kVkMenu, false, app), ESaverAction::End);
  EXPECT_EQ(KeyAction(kVkF10, false, app), ESaverAction::End);

  app.m_bNextActive = 0;
  EXPECT_EQ(KeyAction('N', false, app), ESaverAction::End);
  app.m_bPrintingActive = 0;
  EXPECT_EQ(KeyAction('P', false, app), ESaverAction::End);
  app.m_bPausingActive = 0;
  EXPECT_EQ(KeyAction('S', false, app), ESaverAction::End);
}

TEST(SaverInputTest, SharedKeyGoesToTheFirstInOrderAndOddStringsNeverMatch) {
  CSaverApp app;
  app.m_strPrintingKey = app.m_strPausingKey = app.m_strNextKey = "N";
  app.m_bPausingActive = app.m_bNextActive = 1;
  EXPECT_EQ(KeyAction('N', false, app), ESaverAction::Pause);
  app.m_bPrintingActive = 1;
  EXPECT_EQ(KeyAction('N', false, app), ESaverAction::Screenshot);

  CSaverApp odd;
  odd.m_bNextActive = 1;
  odd.m_strNextKey = "NN";
  EXPECT_EQ(KeyAction('N', false, odd), ESaverAction::End);
  odd.m_strNextKey = "n";  // stored lower case: virtual keys of letters are capitals
  EXPECT_EQ(KeyAction('N', false, odd), ESaverAction::End);
  odd.m_strNextKey.clear();
  EXPECT_EQ(KeyAction('N', false, odd), ESaverAction::End);
}

namespace {

// Draws the show's first picture (of no pixels) on this thread, which leaves
// no Next pending.
void DrawFirstPicture(CSlideShow& show, CShowControl& control) {
  show.m_onPictureDone = [&] { control.StopRunning(); };
  show.DrawThreadProc(1);
  show.m_onPictureDone = nullptr;
  control.m_bRunning.store(1);
  ASSERT_FALSE(show.NextPending());
}

}  // namespace

TEST(SaverInputTest, PauseTogglesAndNextEndsThePictureAtOnce) {
  CSaverApp app;
  app.m_strPausingKey = "S";
  app.m_strNextKey = "N";
  app.m_bPausingActive = app.m_bNextActive = 1;
  CFrame surface(4, 4);
  CCountingSleeper sleeper;
  CSlideShow show(app, app, surface, sleeper);
  DrawFirstPicture(show, app);
  EXPECT_EQ(ActOnKey('S', false, app, app, &show), ESaverAction::Pause);
  EXPECT_EQ(app.m_bPaused.load(), 1);
  EXPECT_EQ(ActOnKey('S', false, app, app, &show), ESaverAction::Pause);
  EXPECT_EQ(app.m_bPaused.load(), 0);
  EXPECT_FALSE(show.NextPending());

  EXPECT_EQ(ActOnKey('N', false, app, app, &show), ESaverAction::Next);
  EXPECT_TRUE(show.NextPending());
  EXPECT_EQ(ActOnKey('N', false, app, app, nullptr), ESaverAction::Next);  // between shows
  EXPECT_EQ(ActOnKey('N', true, app, app, &show), ESaverAction::End);
  EXPECT_EQ(app.m_bPaused.load(), 0);
}

TEST(SaverInputTest, WithAShowPerMonitorNextReachesEachAndPauseTogglesOnce) {
  CSaverApp app;
  app.m_strPausingKey = "S";
  app.m_strNextKey = "N";
  app.m_bPausingActive = app.m_bNextActive = 1;
  CFrame surface1(4, 4), surface2(6, 2);
  CCountingSleeper sleeper;
  CSlideShow first(app, app, surface1, sleeper), second(app, app, surface2, sleeper);
  CSlideShow* shows[] = {&first, &second};
  for (CSlideShow* p : shows) DrawFirstPicture(*p, app);

  EXPECT_EQ(ActOnKey('S', false, app, app, shows), ESaverAction::Pause);
  EXPECT_EQ(app.m_bPaused.load(), 1);  // once for all, not once per show
  EXPECT_EQ(ActOnKey('S', false, app, app, shows), ESaverAction::Pause);
  EXPECT_EQ(app.m_bPaused.load(), 0);
  EXPECT_EQ(ActOnKey('X', false, app, app, shows), ESaverAction::End);
  for (CSlideShow* p : shows) EXPECT_FALSE(p->NextPending());

  EXPECT_EQ(ActOnKey('N', false, app, app, shows), ESaverAction::Next);
  for (CSlideShow* p : shows) EXPECT_TRUE(p->NextPending());
}

TEST(ScreenshotNameTest, NumbersWrapAndNamesKeepTheFolderAsStored) {
  EXPECT_EQ(NextSequenceNo(0), 1);
  EXPECT_EQ(NextSequenceNo(9999), 10000);
  EXPECT_EQ(NextSequenceNo(10000), 0);
  EXPECT_EQ(NextSequenceNo(INT_MAX), 0);
  EXPECT_EQ(NextSequenceNo(-1), 0);
  EXPECT_EQ(NextSequenceNo(INT_MIN), 0);

  EXPECT_EQ(ScreenshotName("D:\\Shots", 1, '\\'), "D:\\Shots\\Wexly Fractals 00001.bmp");
  EXPECT_EQ(ScreenshotName("C:\\", 42, '\\'), "C:\\\\Wexly Fractals 00042.bmp");
  EXPECT_EQ(ScreenshotName("", 1, '\\'), "\\Wexly Fractals 00001.bmp");
  EXPECT_EQ(ScreenshotName("/home/u/shots", 42, '/'), "/home/u/shots/Wexly Fractals 00042.bmp");
  EXPECT_EQ(ScreenshotName("d", 10000, '/'), "d/Wexly Fractals 10000.bmp");
  EXPECT_EQ(ScreenshotName("d", 0), std::string("d") + kScreenshotSeparator + "Wexly Fractals 00000.bmp");
  EXPECT_EQ(kMaxScreenshotFolder + ScreenshotName("", 10000).size() + 1, 256u);  // the old name buffer
}

struct CountingProfile : IProfile {
  int GetProfileInt(const char*, const char*, int n) override { return n; }
  std::string GetProfileString(const char*, const char*, const std::string& s) override { return s; }
  bool WriteProfileInt(const char*, const char* entry, int n) override {
    written += std::string(entry) + "=" + std::to_string(n) + ";";
    return bStores;
  }
  bool WriteProfileString(const char*, const char*, const std::string&) override { return bStores; }
  std::string written;
  bool bStores = true;
};

TEST(ScreenshotNameTest, TheNumberIsStoredFirstAndUsedUpEvenWhenTheFileIsNotWritten) {
  CSaverApp app;
  auto profile = std::make_unique<CountingProfile>();
  CountingProfile& store = *profile;
  app.SetProfile(std::move(profile));
  app.m_strFileLocation = "d";
  app.m_nSequenceNo = 9999;
  std::string name;
  const auto save = [&app] { return app.SaveSequenceNo(); };
  EXPECT_TRUE(TakeScreenshot(app, [&](const std::string& n, OutputMode mode) {
    name = n;
    EXPECT_EQ(mode, OutputMode::Replace);
    EXPECT_EQ(store.written, "SequenceNo=10000;") << "stored before the file is written";
    return OutputResult::Written;
  }, save));
  EXPECT_EQ(name, ScreenshotName("d", 10000));
  EXPECT_FALSE(TakeScreenshot(app, [&](const std::string& n, OutputMode) { name = n; return OutputResult::Failed; }, save));
  EXPECT_EQ(name, ScreenshotName("d", 0));
  EXPECT_EQ(store.written, "SequenceNo=10000;SequenceNo=0;");
}

// A number that cannot be kept would come round again in the next session:
// then no earlier screenshot is replaced, the next free number is taken.
TEST(ScreenshotNameTest, AnUnstoredNumberNeverReplacesAFile) {
  CSaverApp app;
  auto profile = std::make_unique<CountingProfile>();
  profile->bStores = false;
  app.SetProfile(std::move(profile));
  app.m_strFileLocation = "d";
  app.m_nSequenceNo = 41;
  std::vector<std::string> tried;
  EXPECT_TRUE(TakeScreenshot(app, [&](const std::string& n, OutputMode mode) {
    EXPECT_EQ(mode, OutputMode::KeepExisting);
    tried.push_back(n);
    return tried.size() < 3 ? OutputResult::Exists : OutputResult::Written;
  }, [&app] { return app.SaveSequenceNo(); }));
  EXPECT_EQ(tried, (std::vector<std::string>{ScreenshotName("d", 42), ScreenshotName("d", 43), ScreenshotName("d", 44)}));
  EXPECT_EQ(app.m_nSequenceNo, 44);

  // A folder holding every number gives up after one round.
  int tries = 0;
  EXPECT_FALSE(TakeScreenshot(app, [&](const std::string&, OutputMode) { ++tries; return OutputResult::Exists; },
                              [&app] { return app.SaveSequenceNo(); }));
  EXPECT_EQ(tries, kLastSequenceNo + 1);
}

}  // namespace
