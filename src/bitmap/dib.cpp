#include "bitmap/dib.h"

#include <cstdint>
#include <limits>
#include <new>

namespace {

constexpr int kCoreHeaderSize = 12;
constexpr int kCoreBitCountAt = 10;

bool SupportedDepth(int nBitCount) {
  switch (nBitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::uint16_t GetLe16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t GetLe32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
void PutLe16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
void PutLe32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::int64_t DibRowBytes(std::int64_t nWidth, int nBitCount) {
  if (nWidth <= 0 || nBitCount <= 0 || nWidth > std::numeric_limits<std::int32_t>::max()) return 0;
  return (nWidth * nBitCount + 31) / 32 * 4;
}

std::int64_t DibImageBytes(int nBitCount, int nWidth, int nHeight) {
  if (!SupportedDepth(nBitCount) || nWidth <= 0 || nHeight <= 0) return 0;
  const std::int64_t rowBytes = DibRowBytes(nWidth, nBitCount);
  // The file's size field is 32-bit, and a 32-bit process could not hold more;
  // checked before multiplying, which could overflow even 64 bits.
  if (rowBytes > (std::numeric_limits<std::int32_t>::max() - kDibTableRoom) / nHeight) return 0;
  const std::int64_t imageSize = rowBytes * nHeight;
  const std::int64_t blockSize = imageSize + kDibTableRoom;
  if (blockSize > std::numeric_limits<std::int32_t>::max() ||
      static_cast<std::uint64_t>(blockSize) > std::numeric_limits<std::size_t>::max() / 2)
    return 0;
  return imageSize;
}

void PutDibHeader(std::uint8_t* pHeader, int nBitCount, int nWidth, int nHeight) {
  const std::uint8_t* const end = pHeader + kDibHeaderSize;
  for (std::uint8_t* p = pHeader; p != end; ++p) *p = 0;
  PutLe32(pHeader, kDibHeaderSize);
  PutLe32(pHeader + kDibWidthAt, static_cast<std::uint32_t>(nWidth));
  PutLe32(pHeader + kDibHeightAt, static_cast<std::uint32_t>(nHeight));
  PutLe16(pHeader + kDibPlanesAt, 1);
  PutLe16(pHeader + kDibBitCountAt, static_cast<std::uint16_t>(nBitCount));
  PutLe32(pHeader + kDibImageSizeAt, static_cast<std::uint32_t>(DibImageBytes(nBitCount, nWidth, nHeight)));
  PutLe32(pHeader + kDibColoursUsedAt, static_cast<std::uint32_t>(nBitCount <= 8 ? 1 << nBitCount : 0));
}

std::unique_ptr<DibBlock> AllocDibBlock(int nBitCount, int nWidth, int nHeight) {
  const std::int64_t imageSize = DibImageBytes(nBitCount, nWidth, nHeight);
  if (imageSize == 0) return nullptr;
  const std::int64_t blockSize = imageSize + kDibTableRoom;

  std::unique_ptr<DibBlock> block(new (std::nothrow) DibBlock);
  if (!block) return nullptr;
  try {
    block->resize(static_cast<std::size_t>(blockSize));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  const int entries = nBitCount <= 8 ? 1 << nBitCount : 0;
  PutDibHeader(block->data(), nBitCount, nWidth, nHeight);
  std::uint8_t* table = block->data() + kDibHeaderSize;
  for (int i = 0; i < entries; ++i) {
    const RgbColour& c = nBitCount == 1 ? kMonochromeColours[i]
                                        : kStandardColours[i % kStandardColours.size()];
    table[4 * i] = c.blue;
    table[4 * i + 1] = c.green;
    table[4 * i + 2] = c.red;
  }
  return block;
}

int DibColourEntries(const DibBlock* pBlock) {
  if (!pBlock || pBlock->size() < kDibHeaderSize) return 0;
  const std::uint8_t* h = pBlock->data();
  if (GetLe32(h) == kCoreHeaderSize) {
    const int bits = GetLe16(h + kCoreBitCountAt);
    return bits <= 8 ? 1 << bits : 0;
  }
  const std::uint32_t used = GetLe32(h + kDibColoursUsedAt);
  const int bits = GetLe16(h + kDibBitCountAt);
  if (used != 0) return used > 256 ? 257 : static_cast<int>(used);  // 257: too many for any table
  return bits <= 8 ? 1 << bits : 0;
}

std::uint16_t DibPaletteBytes(const DibBlock* pBlock) {
  if (!pBlock || pBlock->size() < kDibHeaderSize) return 0;
  const int perEntry = GetLe32(pBlock->data()) == kCoreHeaderSize ? 3 : 4;
  return static_cast<std::uint16_t>(DibColourEntries(pBlock) * perEntry);
}

int SyncColourTable(DibBlock* pBlock, const CDibPalette* pPalette, int bToIndices) {
  if (!pBlock) return 0;
  const int entries = DibColourEntries(pBlock);
  if (entries == 0 || entries > 256) return 1;
  std::uint8_t* table = pBlock->data() + kDibHeaderSize;
  if (bToIndices) {
    for (int i = 0; i < entries; ++i) PutLe16(table + 2 * i, static_cast<std::uint16_t>(i));
    return 1;
  }
  std::array<COLORREF, 256> colours{};
  const int got = pPalette ? pPalette->GetEntries(0, entries, colours.data()) : 0;
  for (int i = 0; i < entries; ++i) {
    const COLORREF c = i < got ? colours[i] : 0;
    table[4 * i] = static_cast<std::uint8_t>(BlueOf(c));
    table[4 * i + 1] = static_cast<std::uint8_t>(GreenOf(c));
    table[4 * i + 2] = static_cast<std::uint8_t>(RedOf(c));
    table[4 * i + 3] = 0;
  }
  return 1;
}

CDib::~CDib() = default;

int CDib::Create(int nWidth, int nHeight, int nBitCount) {
  m_pPalette.reset();
  m_pHeader = AllocDibBlock(nBitCount, nWidth, nHeight);
  if (!m_pHeader) {
    m_pBits = nullptr;
    m_nWidth = m_nHeight = m_nBitCount = 0;
    return 0;
  }
  m_pBits = m_pHeader->data() + kDibHeaderSize + DibPaletteBytes(m_pHeader.get());
  m_nWidth = nWidth;
  m_nHeight = nHeight;
  m_nBitCount = nBitCount;
  return 1;
}
