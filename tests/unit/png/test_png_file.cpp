#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "bitmap/bmp_writer.h"
#include "png_file.h"

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#include <stb_image.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every channel value in every channel, at an odd width so rows are padded in BMP.
std::vector<COLORREF> TestPicture(int w, int h) {
  std::vector<COLORREF> pixels(static_cast<std::size_t>(w) * h);
  for (std::size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = MakeColour(static_cast<unsigned>(i % 256), static_cast<unsigned>((i * 7 + 3) % 256),
                           static_cast<unsigned>((255 - i % 256 + i / 256) % 256));
  return pixels;
}

// Decoded as top-down RGB bytes; empty when the decoder refuses the file.
std::vector<std::uint8_t> Decode(const std::vector<std::uint8_t>& file, int& w, int& h) {
  int channels = 0;
  stbi_uc* rgb = stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &w, &h, &channels, 3);
  if (!rgb) return {};
  std::vector<std::uint8_t> out(rgb, rgb + static_cast<std::size_t>(w) * h * 3);
  stbi_image_free(rgb);
  return out;
}

class PngFileTest : public testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() /
            ("mirovane-png-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
             std::to_string(std::random_device{}()));
    fs::create_directories(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }
  std::size_t Count() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()));
  }
  fs::path m_dir;
};

}  // namespace

TEST_F(PngFileTest, PixelsEqualThoseOfTheBmp) {
  const int w = 37, h = 29;
  const auto pixels = TestPicture(w, h);
  const fs::path png = m_dir / "a.png", bmp = m_dir / "a.bmp";
  ASSERT_EQ(WritePng(png.string(), w, h, pixels), 1);
  ASSERT_EQ(WriteBmp24(bmp.string(), w, h, pixels), 1);
  EXPECT_EQ(Count(), 2u) << "no temporary file is left beside the pictures";

  const auto file = ReadFile(png);
  const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ASSERT_GT(file.size(), 33u);
  EXPECT_TRUE(std::equal(std::begin(signature), std::end(signature), file.begin()));
  EXPECT_EQ(file[24], 8) << "8 bits per channel";
  EXPECT_EQ(file[25], 2) << "RGB without alpha";

  int pw = 0, ph = 0, bw = 0, bh = 0;
  const auto fromPng = Decode(file, pw, ph);
  const auto fromBmp = Decode(ReadFile(bmp), bw, bh);
  ASSERT_EQ(pw, w);
  ASSERT_EQ(ph, h);
  ASSERT_EQ(fromBmp.size(), fromPng.size());
  EXPECT_EQ(fromPng, fromBmp);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    ASSERT_EQ(fromPng[3 * i], RedOf(pixels[i])) << "pixel " << i;
    ASSERT_EQ(fromPng[3 * i + 1], GreenOf(pixels[i])) << "pixel " << i;
    ASSERT_EQ(fromPng[3 * i + 2], BlueOf(pixels[i])) << "pixel " << i;
  }
}

TEST_F(PngFileTest, FailuresLeaveNothingBehind) {
  const auto pixels = TestPicture(4, 4);
  // A missing folder, a folder in the file's place, pixels that do not fit the size.
  EXPECT_EQ(WritePng((m_dir / "no" / "a.png").string(), 4, 4, pixels), 0);
  fs::create_directories(m_dir / "taken.png");
  EXPECT_EQ(WritePng((m_dir / "taken.png").string(), 4, 4, pixels), 0);
  EXPECT_EQ(WritePng((m_dir / "b.png").string(), 5, 4, pixels), 0);
  EXPECT_EQ(WritePng("", 4, 4, pixels), 0);
  EXPECT_EQ(Count(), 1u) << "only the folder made above";

  // An old picture is replaced whole, never left half-written.
  const fs::path old = m_dir / "old.png";
  ASSERT_EQ(WritePng(old.string(), 4, 4, pixels), 1);
  const auto before = ReadFile(old);
  EXPECT_EQ(WritePng(old.string(), 3, 3, pixels), 0);
  EXPECT_EQ(ReadFile(old), before);
}

TEST(PngSizeTest, SizesBeyondTheEncodersBuffersAreRefused) {
  EXPECT_TRUE(PngSizeFits(1, 1));
  EXPECT_TRUE(PngSizeFits(16384, 10922));
  EXPECT_FALSE(PngSizeFits(32767, 32767));
  EXPECT_FALSE(PngSizeFits(0, 10));
  EXPECT_FALSE(PngSizeFits(10, -1));
  EXPECT_TRUE(EncodePng(32767, 32767, {}).empty());
}
