// The BMP writer's inputs: sizes, depths, header fields and colour tables,
// including blocks whose header lies about their own bytes.
#include <cstdio>
#include <limits>

#include "bitmap/bmp_dib.h"
#include "bitmap/bmp_writer.h"
#include "bitmap/dib.h"
#include "fuzz_input.h"

namespace {

class CFuzzPalette : public CDibPalette {
 public:
  explicit CFuzzPalette(int nEntries) : m_nEntries(nEntries) {}
  int GetEntries(int nStart, int nCount, COLORREF* pColours) const override {
    int n = 0;
    for (; n < nCount && nStart + n < m_nEntries; ++n) pColours[n] = MakeColour(n, 255 - n, nStart);
    return n;
  }

 private:
  int m_nEntries;
};

// Blocks above this are only checked for being refused, not allocated.
constexpr std::int64_t kLargest = 4 << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = FuzzTempFile(".bmp");
  FuzzInput in(data, size);
  const int bits = in.Take<std::uint8_t>() % 40;
  const int width = in.Take<std::int32_t>();
  const int height = in.Take<std::int32_t>();
  const std::int64_t rowBytes = DibRowBytes(width, bits);
  std::int64_t bytes = 0;
  if (__builtin_mul_overflow(rowBytes, height < 0 ? 0 : height, &bytes) ||
      __builtin_add_overflow(bytes, kDibTableRoom, &bytes))
    bytes = std::numeric_limits<std::int64_t>::max();
  if (bytes <= kLargest) {
    if (auto block = AllocDibBlock(bits, width, height)) {
      // Header fields as a hostile file or a confused caller might set them.
      const std::uint8_t field = in.Take<std::uint8_t>();
      if (field & 1) PutLe32(block->data() + kDibColoursUsedAt, in.Take<std::uint32_t>());
      if (field & 2) PutLe16(block->data() + kDibBitCountAt, in.Take<std::uint16_t>());
      if (field & 4) PutLe32(block->data() + kDibHeightAt, in.Take<std::uint32_t>());
      if (field & 8) PutLe32(block->data() + kDibWidthAt, in.Take<std::uint32_t>());
      if (field & 16) block->resize(in.Take<std::uint16_t>() % (block->size() + 1));
      DibColourEntries(block.get());
      DibPaletteBytes(block.get());
      CFuzzPalette palette(in.Take<std::uint16_t>() % 300);
      SyncColourTable(block.get(), &palette, 1);
      SyncColourTable(block.get(), &palette, 0);
      WriteDibFile(path, block.get());
    }
  } else if (bytes > std::numeric_limits<std::int32_t>::max() && AllocDibBlock(bits, width, height)) {
    __builtin_trap();  // a block the file's 32-bit size field cannot describe
  }
  // The size check the renderer makes before any work: exactly the sizes
  // whose whole file stays below 2 GiB, and the largest height fits.
  if (bits == 24 && width > 0 && height > 0 &&
      Bmp24SizeFits(width, height) != (bytes <= std::numeric_limits<std::int32_t>::max()))
    __builtin_trap();
  if (width > 0 && Bmp24MaxHeight(width) > 0 && !Bmp24SizeFits(width, Bmp24MaxHeight(width))) __builtin_trap();
  // Whatever bytes are left, taken as a whole block.
  const DibBlock raw = in.Rest();
  WriteDibFile(path, &raw);
  DibColourEntries(&raw);
  // A 24-bit picture whose pixel count need not match its size.
  const int w = static_cast<int>(raw.size() % 17) - 1, h = static_cast<int>(raw.size() % 5);
  WriteBmp24(path, w, h, std::vector<COLORREF>(raw.size() / 3));
  std::remove(path.c_str());
  return 0;
}
