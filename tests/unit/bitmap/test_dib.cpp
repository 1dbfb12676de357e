#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#ifdef __linux__
#include <csignal>
#include <sys/resource.h>
#endif

#include "bitmap/bmp_dib.h"
#include "bitmap/bmp_writer.h"
#include "bitmap/dib.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class TempDir {
 public:
  // ctest runs the tests as parallel processes: each needs a folder of its own.
  TempDir()
      : m_path(fs::temp_directory_path() /
               ("mirovane-dib-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) +
                "-" + std::to_string(std::random_device{}()))) {
    fs::remove_all(m_path);
    fs::create_directories(m_path);
  }
  ~TempDir() { fs::remove_all(m_path); }
  std::string File(const std::string& name) const { return (m_path / name).string(); }
  std::size_t Count() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_path), {}));
  }
  fs::path m_path;
};

// A palette of 256 colours no standard table holds.
class CTestPalette : public CDibPalette {
 public:
  int GetEntries(int nStart, int nCount, COLORREF* pColours) const override {
    for (int i = 0; i < nCount; ++i) pColours[i] = Colour(nStart + i);
    return nCount;
  }
  static COLORREF Colour(int i) { return MakeColour(i, 255 - i, (i * 7) & 255); }
};

struct Layout {
  int width, height, bits;
  std::size_t fileSize, pixelOffset;
};

TEST(Dib, FileSizesAndOffsetsFollowTheDepth) {
  TempDir dir;
  for (const Layout& l : {Layout{1024, 768, 16, 1572918, 54}, Layout{640, 480, 8, 308278, 1078},
                          Layout{640, 480, 24, 921654, 54}, Layout{33, 2, 4, 54 + 64 + 2 * 20, 118},
                          Layout{9, 3, 1, 54 + 8 + 3 * 4, 62}, Layout{5, 5, 32, 54 + 100, 54}}) {
    CDib dib;
    ASSERT_TRUE(dib.Create(l.width, l.height, l.bits));
    const std::string name = dir.File("picture.bmp");
    ASSERT_TRUE(WriteDibFile(name, dib.m_pHeader.get()));
    const std::vector<std::uint8_t> file = ReadFile(name);
    ASSERT_EQ(file.size(), l.fileSize) << l.width << "x" << l.height << " at " << l.bits;
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(GetLe32(&file[2]), l.fileSize);
    EXPECT_EQ(GetLe32(&file[10]), l.pixelOffset);
    EXPECT_EQ(GetLe32(&file[14 + kDibImageSizeAt]), l.fileSize - l.pixelOffset);
    EXPECT_EQ(static_cast<std::size_t>(dib.m_pBits - dib.m_pHeader->data()), l.pixelOffset - 14);
    EXPECT_EQ(dir.Count(), 1u) << "no temporary file is left beside the picture";
  }
}

TEST(Dib, NewTablesHoldTheStandardColoursWithAZeroFourthByte) {
  CDib dib;
  ASSERT_TRUE(dib.Create(4, 4, 8));
  const std::uint8_t* table = dib.m_pHeader->data() + kDibHeaderSize;
  for (int i = 0; i < 256; ++i) {
    const RgbColour& c = kStandardColours[i % 16];
    EXPECT_EQ(table[4 * i + 0], c.blue) << i;
    EXPECT_EQ(table[4 * i + 1], c.green) << i;
    EXPECT_EQ(table[4 * i + 2], c.red) << i;
    EXPECT_EQ(table[4 * i + 3], 0) << i;
  }
  ASSERT_TRUE(dib.Create(4, 4, 1));
  EXPECT_EQ(GetLe32(dib.m_pHeader->data() + kDibColoursUsedAt), 2u);
  EXPECT_EQ(DibPaletteBytes(dib.m_pHeader.get()), 8);
  ASSERT_TRUE(dib.Create(4, 4, 16));
  EXPECT_EQ(DibPaletteBytes(dib.m_pHeader.get()), 0);
}

TEST(Dib, CoreHeaderTablesCountThreeBytesAnEntry) {
  DibBlock block(64);
  PutLe32(block.data(), 12);
  PutLe16(block.data() + 10, 4);
  EXPECT_EQ(DibPaletteBytes(&block), 48);
}

TEST(Dib, RefusesWhatTheFormatCannotHold) {
  CDib dib;
  ASSERT_TRUE(dib.Create(2, 2, 24));
  for (auto [w, h, bits] : {std::tuple{0, 5, 24}, std::tuple{5, -1, 24}, std::tuple{5, 5, 0},
                            std::tuple{5, 5, 12}, std::tuple{65536, 65536, 32},
                            std::tuple{INT32_MAX, INT32_MAX, 32}}) {
    EXPECT_FALSE(dib.Create(w, h, bits)) << w << "x" << h << " at " << bits;
    EXPECT_TRUE(dib.IsEmpty());
    EXPECT_EQ(dib.m_pBits, nullptr);
  }
  TempDir dir;
  EXPECT_FALSE(WriteDibFile(dir.File("none.bmp"), nullptr));
  ASSERT_TRUE(dib.Create(8, 8, 8));
  PutLe32(dib.m_pHeader->data() + kDibColoursUsedAt, 1000);  // table beyond the block
  EXPECT_FALSE(WriteDibFile(dir.File("table.bmp"), dib.m_pHeader.get()));
  ASSERT_TRUE(dib.Create(8, 8, 8));
  PutLe32(dib.m_pHeader->data() + kDibHeightAt, 9);  // rows beyond the block
  EXPECT_FALSE(WriteDibFile(dir.File("rows.bmp"), dib.m_pHeader.get()));
  // Sizes whose product overflows 64 bits must not wrap into "fits".
  PutLe32(dib.m_pHeader->data() + kDibWidthAt, 0x7FFFFFFF);
  PutLe32(dib.m_pHeader->data() + kDibHeightAt, 0x80000000);
  PutLe16(dib.m_pHeader->data() + kDibBitCountAt, 0xFFFF);
  PutLe32(dib.m_pHeader->data() + kDibColoursUsedAt, 0);
  EXPECT_FALSE(WriteDibFile(dir.File("huge.bmp"), dib.m_pHeader.get()));
  EXPECT_EQ(dir.Count(), 0u);
}

TEST(Bmp24, RowsAreBottomUpBlueGreenRedAndPaddedWithZeros) {
  TempDir dir;
  const std::string name = dir.File("three.bmp");
  const std::vector<COLORREF> pixels{MakeColour(1, 2, 3),    MakeColour(4, 5, 6),
                                     MakeColour(7, 8, 9),    MakeColour(10, 11, 12),
                                     MakeColour(13, 14, 15), MakeColour(16, 17, 18)};
  ASSERT_TRUE(WriteBmp24(name, 3, 2, pixels));
  const std::vector<std::uint8_t> file = ReadFile(name);
  const std::vector<std::uint8_t> rows(file.begin() + 54, file.end());
  EXPECT_EQ(rows, (std::vector<std::uint8_t>{12, 11, 10, 15, 14, 13, 18, 17, 16, 0, 0, 0,
                                             3, 2, 1, 6, 5, 4, 9, 8, 7, 0, 0, 0}));
  EXPECT_FALSE(WriteBmp24(dir.File("short.bmp"), 3, 3, pixels));
  EXPECT_EQ(dir.Count(), 1u);
}

// Written row by row, the file is byte for byte that of a whole block, and
// rows are asked for in the file's order; giving up leaves no file. Rows
// wide enough that the writes gather a few at a time, the last write short.
TEST(Bmp24, RowByRowEqualsTheWholeBlockAndGivingUpLeavesNoFile) {
  TempDir dir;
  const int w = 30001, h = 5;
  std::vector<COLORREF> pixels;
  for (int i = 0; i < w * h; ++i) pixels.push_back(MakeColour(i, 100 + i, 200 + i));
  CDib dib;
  ASSERT_TRUE(dib.Create(w, h, 24));
  const auto rowBytes = static_cast<std::size_t>(DibRowBytes(w, 24));
  for (int y = 0; y < h; ++y) PutBmp24Row(&pixels[y * w], w, dib.m_pBits + (h - 1 - y) * rowBytes);
  ASSERT_TRUE(WriteDibFile(dir.File("block.bmp"), dib.m_pHeader.get()));
  std::vector<int> asked;
  ASSERT_TRUE(WriteBmp24Rows(dir.File("rows.bmp"), w, h, [&](int y) {
    asked.push_back(y);
    return &pixels[y * w];
  }));
  EXPECT_EQ(ReadFile(dir.File("rows.bmp")), ReadFile(dir.File("block.bmp")));
  EXPECT_EQ(asked, (std::vector<int>{4, 3, 2, 1, 0}));

  EXPECT_FALSE(WriteBmp24Rows(dir.File("gave-up.bmp"), w, h,
                              [&](int y) { return y == 0 ? nullptr : &pixels[y * w]; }));
  EXPECT_EQ(dir.Count(), 2u);
}

TEST(BmpWriter, MissingFolderCreatesNothingAndExistingFilesAreReplaced) {
  TempDir dir;
  const std::vector<COLORREF> pixel{MakeColour(9, 9, 9)};
  const fs::path missing = dir.m_path / "missing";
  EXPECT_FALSE(WriteBmp24((missing / "a.bmp").string(), 1, 1, pixel));
  EXPECT_FALSE(fs::exists(missing));
  EXPECT_EQ(dir.Count(), 0u);

  const std::string name = dir.File("a.bmp");
  ASSERT_TRUE(WriteBmp24(name, 1, 1, pixel));
  ASSERT_TRUE(WriteBmp24(name, 2, 1, {0, 0}));
  EXPECT_EQ(ReadFile(name).size(), 54u + 8);
  EXPECT_EQ(dir.Count(), 1u);
}

#ifdef __linux__
TEST(BmpWriter, WriteErrorsFailAndLeaveNoFile) {
  if (std::FILE* full = std::fopen("/dev/full", "wb")) {
    std::vector<std::uint8_t> data(100000);
    EXPECT_EQ(WriteInChunks(full, data.data(), data.size()), 0u);
    std::fclose(full);
  }
  // A file size limit stands in for a full disk.
  TempDir dir;
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 100000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const int bWritten = WriteBmp24(dir.File("big.bmp"), 400, 400, std::vector<COLORREF>(160000));
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(bWritten);
  EXPECT_EQ(dir.Count(), 0u);
}
#endif

TEST(BmpDib, PaletteColoursReachTheFileAndTheTableStaysInIndexForm) {
  CBmpDib dib;
  ASSERT_TRUE(dib.Create(16, 16, 8));
  for (int i = 0; i < 256; ++i) dib.m_pBits[i] = static_cast<std::uint8_t>(i);
  dib.m_pPalette = std::make_unique<CTestPalette>();
  ASSERT_TRUE(SyncColourTable(dib.m_pHeader.get(), nullptr, 1));
  // Only the first two bytes an entry mean anything in index form.
  auto meaningful = [&dib] {
    DibBlock block = *dib.m_pHeader;
    block.erase(block.begin() + kDibHeaderSize + 512, block.begin() + kDibHeaderSize + 1024);
    return block;
  };
  const DibBlock indexForm = meaningful();

  TempDir dir;
  ASSERT_TRUE(dib.Save(dir.File("one.bmp")));
  ASSERT_TRUE(dib.Save(dir.File("two.bmp")));
  EXPECT_EQ(dib.m_strFileName, dir.File("two.bmp"));
  EXPECT_EQ(meaningful(), indexForm);
  const std::vector<std::uint8_t> file = ReadFile(dir.File("one.bmp"));
  EXPECT_EQ(file, ReadFile(dir.File("two.bmp")));
  ASSERT_EQ(file.size(), 54u + 1024 + 256);
  for (int i = 0; i < 256; ++i) {
    const COLORREF c = CTestPalette::Colour(i);
    const std::uint8_t* entry = &file[54 + 4 * i];
    EXPECT_EQ(MakeColour(entry[2], entry[1], entry[0]), c) << i;
    EXPECT_EQ(entry[3], 0) << i;
  }
  EXPECT_FALSE(CBmpDib().Save(dir.File("empty.bmp")));
}

// Pictures for tests/e2e/bmp_identify.sh to read back with ImageMagick: it
// sets MIROVANE_BMP_SAMPLES to the folder to write them into.
TEST(BmpSamples, ReferencePictures) {
  const char* folder = std::getenv("MIROVANE_BMP_SAMPLES");
  TempDir scratch;
  const fs::path out = folder ? fs::path(folder) : scratch.m_path;

  std::vector<COLORREF> gradient(640 * 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) gradient[y * 640 + x] = MakeColour(x, y, x + y);
  EXPECT_TRUE(WriteBmp24((out / "rgb24-640x480.bmp").string(), 640, 480, gradient));
  EXPECT_TRUE(WriteBmp24((out / "rgb24-3x2.bmp").string(), 3, 2,
                         {MakeColour(255, 0, 0), MakeColour(0, 255, 0), MakeColour(0, 0, 255),
                          MakeColour(255, 255, 255), 0, MakeColour(10, 20, 30)}));

  CDib dib;  // index (x + y) mod 16 of the standard colours, top row first
  ASSERT_TRUE(dib.Create(640, 480, 8));
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) dib.m_pBits[(479 - y) * 640 + x] = (x + y) % 16;
  EXPECT_TRUE(WriteDibFile((out / "pal8-640x480.bmp").string(), dib.m_pHeader.get()));

  ASSERT_TRUE(dib.Create(1024, 768, 16));  // top half red, bottom half blue
  for (int y = 0; y < 768; ++y)
    for (int x = 0; x < 1024; ++x)
      PutLe16(dib.m_pBits + (767 - y) * 2048 + 2 * x, y < 384 ? 0x7C00 : 0x001F);
  EXPECT_TRUE(WriteDibFile((out / "rgb16-1024x768.bmp").string(), dib.m_pHeader.get()));
}

}  // namespace
