#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <utility>
#include <vector>

#include "display/back_end.h"
#include "display/frame.h"
#include "display/pixel_format.h"

namespace {

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

std::vector<std::pair<int, int>> Runs(CFrame& surface) {
  std::vector<std::pair<int, int>> runs;
  surface.TakeChangedRows([&](int first, int count) { runs.emplace_back(first, count); });
  return runs;
}

TEST(FrameTest, SendsOnlyChangedRowsInRunsOnce) {
  CFrame surface(8, 10, CPixelFormat());
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

TEST(FrameTest, SnapshotGivesColoursInTheVisualsOrder) {
  CFrame surface(3, 2, CPixelFormat(0x0000FF, 0x00FF00, 0xFF0000));
  surface.SetPixel(2, 1, MakeColour(0xAA, 0xBB, 0xCC));
  EXPECT_EQ(surface.Memory()[5], 0xCCBBAAu);
  const std::vector<COLORREF> picture = surface.Snapshot();
  ASSERT_EQ(picture.size(), 6u);
  EXPECT_EQ(picture[5], MakeColour(0xAA, 0xBB, 0xCC));
  EXPECT_EQ(picture[0], 0u);
}

TEST(FrameTest, ForeignMemoryIsClearedAndReleasedOnce) {
  int released = 0;
  auto* memory = new std::uint32_t[4]{9, 9, 9, 9};
  {
    CFrame surface(2, 2, CPixelFormat(), memory, [&](std::uint32_t* p) {
      ++released;
      delete[] p;
    });
    EXPECT_EQ(memory[3], 0u);
  }
  EXPECT_EQ(released, 1);
}


// What a presenter on another thread would have put on the screen: the
// rows it was handed, copied from the frame's memory as they stood then.
struct CScreenCopy : IFramePresenter {
  explicit CScreenCopy(const CFrame& f) : frame(f), screen(static_cast<std::size_t>(f.Width()) * f.Height(), 0) {}
  void PresentRows(int y, int nRows) override { PresentRect(0, y, frame.Width(), nRows); }
  void PresentRect(int x, int y, int w, int h) override {
    for (int row = y; row < y + h; ++row)
      for (int col = x; col < x + w; ++col) screen[static_cast<std::size_t>(row) * frame.Width() + col] =
          frame.Format().ToPixel(frame.At(col, row));
  }
  const CFrame& frame;
  std::vector<std::uint32_t> screen;
};

// Presents run while the pixels are drawn; once drawing stops, one more
// present must leave the screen equal to the frame: no pixel may be lost
// between a row's mark being taken and its pixels being copied.
TEST(FrameTest, PresentingWhileDrawingLosesNoPixel) {
  for (int round = 0; round < 20; ++round) {
    CFrame frame(17, 9);
    CScreenCopy screen(frame);
    std::atomic<bool> drawing{true};
    std::thread drawer([&] {
      for (unsigned i = 0; i < 20000; ++i)
        frame.SetPixel(static_cast<int>(i * 7 % 17), static_cast<int>(i * 5 % 9), MakeColour(i, i >> 8, round));
      drawing.store(false);
    });
    while (drawing.load()) PresentChanges(frame, screen);
    drawer.join();
    PresentChanges(frame, screen);
    const std::vector<std::uint32_t> memory(frame.Memory(), frame.Memory() + 17 * 9);
    ASSERT_EQ(screen.screen, memory) << "round " << round;
    EXPECT_FALSE(PresentChanges(frame, screen));  // nothing changed since
  }
}

TEST(FrameTest, ReadsBackWhatWasDrawnInEveryLayout) {
  CFrame frame(4, 3, CPixelFormat(0x0000FF, 0x00FF00, 0xFF0000));
  frame.SetPixel(3, 2, MakeColour(1, 2, 3));
  frame.SetPixel(4, 2, MakeColour(9, 9, 9));  // outside: counted, not drawn
  EXPECT_EQ(frame.At(3, 2), MakeColour(1, 2, 3));
  std::vector<COLORREF> row(4);
  frame.ReadRow(2, row.data());
  EXPECT_EQ(row, (std::vector<COLORREF>{0, 0, 0, MakeColour(1, 2, 3)}));
  EXPECT_EQ(frame.PixelsSet(), 2u);
  EXPECT_TRUE(frame.AnyChanged());
  frame.TakeChangedRows([](int, int) {});
  EXPECT_FALSE(frame.AnyChanged());
  frame.MarkAllChanged();
  int rows = 0;
  frame.TakeChangedRows([&](int, int n) { rows += n; });
  EXPECT_EQ(rows, 3);
}

}  // namespace
