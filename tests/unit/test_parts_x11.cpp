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
#include "x11/display/image_surface_x11.h"
#include "x11/display/key_codes_x11.h"
#include "x11/display/pixel_format_x11.h"
#include "x11/bitmap/screenshot_x11.h"

namespace fs = std::filesystem;

namespace {

TEST(KeyCodesTest, KeysymsBecomeWindowsVirtualKeys) {
  EXPECT_EQ(VirtualKeyOf('a'), 0x41u);
  EXPECT_EQ(VirtualKeyOf('Z'), 0x5Au);
  EXPECT_EQ(VirtualKeyOf('7'), 0x37u);
  EXPECT_EQ(VirtualKeyOf(0xffbe), 0x70u);  // F1
  EXPECT_EQ(VirtualKeyOf(0xffc7), kVkF10);
  EXPECT_EQ(VirtualKeyOf(0xffb3), 0x63u);  // keypad 3
  EXPECT_EQ(VirtualKeyOf(0xff0d), 0x0Du);  // Return
  EXPECT_EQ(VirtualKeyOf(0xff8d), 0x0Du);  // keypad Enter
  EXPECT_EQ(VirtualKeyOf(0x0020), 0x20u);
  EXPECT_EQ(VirtualKeyOf(0xffe9), kVkMenu);
  EXPECT_EQ(VirtualKeyOf(0x1008ff11), 0u);  // a media key has none
}

TEST(PixelFormatTest, ChannelsFollowTheVisualsMasks) {
  const COLORREF colour = MakeColour(0x12, 0x34, 0x56);
  CPixelFormat rgb(0xFF0000, 0x00FF00, 0x0000FF);
  EXPECT_EQ(rgb.ToPixel(colour), 0x123456u);
  EXPECT_EQ(rgb.ToColour(0x123456u), colour);
  CPixelFormat bgr(0x0000FF, 0x00FF00, 0xFF0000);
  EXPECT_EQ(bgr.ToPixel(colour), 0x563412u);
  EXPECT_EQ(bgr.ToColour(0x563412u), colour);
  // 10 bits a channel: the colour goes into the top 8 bits of each.
  CPixelFormat deep(0x3FF00000, 0x000FFC00, 0x000003FF);
  EXPECT_EQ(deep.ToPixel(MakeColour(0xFF, 0x80, 0x01)), (0xFFu << 22) | (0x80u << 12) | (0x01u << 2));
  EXPECT_EQ(deep.ToColour(deep.ToPixel(colour)), colour);
  // 5-6-5: the low bits are lost, the high bits survive.
  CPixelFormat short565(0xF800, 0x07E0, 0x001F);
  EXPECT_EQ(short565.ToPixel(MakeColour(0xFF, 0xFF, 0xFF)), 0xFFFFu);
  EXPECT_EQ(short565.ToColour(short565.ToPixel(MakeColour(0x87, 0x43, 0x21))), MakeColour(0x80, 0x40, 0x20));
}

std::vector<std::pair<int, int>> Runs(CImageSurface& surface) {
  std::vector<std::pair<int, int>> runs;
  surface.SendChangedRows([&](int first, int count) { runs.emplace_back(first, count); });
  return runs;
}

TEST(ImageSurfaceTest, SendsOnlyChangedRowsInRunsOnce) {
  CImageSurface surface(8, 10, CPixelFormat());
  EXPECT_TRUE(Runs(surface).empty());
  surface.SetPixel(1, 2, MakeColour(1, 2, 3));
  surface.SetPixel(7, 3, MakeColour(1, 2, 3));
  surface.SetPixel(0, 6, MakeColour(1, 2, 3));
  surface.SetPixel(8, 9, MakeColour(1, 2, 3));   // outside: ignored
  surface.SetPixel(0, -1, MakeColour(1, 2, 3));  // outside: ignored
  EXPECT_EQ(Runs(surface), (std::vector<std::pair<int, int>>{{2, 2}, {6, 1}}));
  EXPECT_TRUE(Runs(surface).empty());  // sent rows are forgotten
  EXPECT_EQ(surface.Memory()[2 * 8 + 1], 0x010203u);
  surface.FillBlack();
  EXPECT_EQ(Runs(surface), (std::vector<std::pair<int, int>>{{0, 10}}));
  EXPECT_EQ(surface.Memory()[2 * 8 + 1], 0u);
}

TEST(ImageSurfaceTest, SnapshotGivesColoursInTheVisualsOrder) {
  CImageSurface surface(3, 2, CPixelFormat(0x0000FF, 0x00FF00, 0xFF0000));
  surface.SetPixel(2, 1, MakeColour(0xAA, 0xBB, 0xCC));
  EXPECT_EQ(surface.Memory()[5], 0xCCBBAAu);
  const std::vector<COLORREF> picture = surface.Snapshot();
  ASSERT_EQ(picture.size(), 6u);
  EXPECT_EQ(picture[5], MakeColour(0xAA, 0xBB, 0xCC));
  EXPECT_EQ(picture[0], 0u);
}

TEST(ImageSurfaceTest, ForeignMemoryIsClearedAndReleasedOnce) {
  int released = 0;
  auto* memory = new std::uint32_t[4]{9, 9, 9, 9};
  {
    CImageSurface surface(2, 2, CPixelFormat(), memory, [&](std::uint32_t* p) {
      ++released;
      delete[] p;
    });
    EXPECT_EQ(memory[3], 0u);
  }
  EXPECT_EQ(released, 1);
}

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
