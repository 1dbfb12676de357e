#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <utility>
#include <vector>

#include "app/profile_ini.h"
#include "app/saver_app.h"
#include "x11/bitmap/screenshot_x11.h"

namespace fs = std::filesystem;

namespace {

class ScreenshotFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("mirovane-shot-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    app.SetProfile(std::make_unique<CIniProfile>(dir / "mirovane.ini"));
  }
  void TearDown() override { fs::remove_all(dir); }
  fs::path dir;
  CSaverApp app;
};

TEST_F(ScreenshotFileTest, WritesTheNextNumberAndStoresIt) {
  app.m_strFileLocation = dir.string();
  app.m_nSequenceNo = 6;
  const std::vector<COLORREF> picture(4 * 3, MakeColour(10, 20, 30));
  ASSERT_TRUE(SaveScreenshot(app, 4, 3, picture));
  EXPECT_EQ(app.m_nSequenceNo, 7);
  EXPECT_TRUE(fs::exists(dir / "Wexly Fractals 00007.bmp"));
  EXPECT_EQ(app.Profile().GetProfileInt("Settings", "SequenceNo", -1), 7);
}

TEST_F(ScreenshotFileTest, ANegativeStoredNumberWrapsToZero) {
  app.m_strFileLocation = dir.string();
  app.m_nSequenceNo = -2147483647 - 1;
  ASSERT_TRUE(SaveScreenshot(app, 1, 1, {0}));
  EXPECT_TRUE(fs::exists(dir / "Wexly Fractals 00000.bmp"));
  EXPECT_EQ(app.Profile().GetProfileInt("Settings", "SequenceNo", -1), 0);
}

TEST_F(ScreenshotFileTest, AFifoUnderTheNextNameIsLeftAlone) {
  app.m_strFileLocation = dir.string();
  const fs::path next = dir / "Wexly Fractals 00001.bmp";
  ASSERT_EQ(mkfifo(next.c_str(), 0600), 0);
  EXPECT_FALSE(SaveScreenshot(app, 1, 1, {0}));
  EXPECT_TRUE(fs::is_fifo(next));
  EXPECT_EQ(app.m_nSequenceNo, 1);
}

TEST_F(ScreenshotFileTest, AFailedWriteStillUsesUpTheNumber) {
  app.m_strFileLocation = (dir / "missing").string();
  app.m_nSequenceNo = 1;
  EXPECT_FALSE(SaveScreenshot(app, 1, 1, {0}));
  EXPECT_EQ(app.Profile().GetProfileInt("Settings", "SequenceNo", -1), 2);
}

}  // namespace
