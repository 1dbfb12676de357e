#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "colour/colour.h"

// A packed device-independent bitmap: the 40-byte header, the colour table
// and the pixel rows (bottom row first) in one zero-filled block, laid out
// little-endian exactly as in a BMP file after its 14-byte file header.
using DibBlock = std::vector<std::uint8_t>;

constexpr int kDibHeaderSize = 40;
// Room for the header and a 256-entry table whatever the depth.
constexpr int kDibTableRoom = kDibHeaderSize + 256 * 4;

// Header field offsets.
constexpr int kDibWidthAt = 4;
constexpr int kDibHeightAt = 8;
constexpr int kDibPlanesAt = 12;
constexpr int kDibBitCountAt = 14;
constexpr int kDibCompressionAt = 16;
constexpr int kDibImageSizeAt = 20;
constexpr int kDibColoursUsedAt = 32;

struct RgbColour {
  std::uint8_t red, green, blue;
};

// What a new table holds, repeated to fill 16 or 256 entries.
constexpr std::array<RgbColour, 16> kStandardColours{{
    {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0},
    {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
    {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};
// A one-bit picture gets a table of its own: the file format counts two
// entries for it even when the header says none.
constexpr std::array<RgbColour, 2> kMonochromeColours{{{0, 0, 0}, {255, 255, 255}}};

std::uint16_t GetLe16(const std::uint8_t* p);
std::uint32_t GetLe32(const std::uint8_t* p);
void PutLe16(std::uint8_t* p, std::uint16_t v);
void PutLe32(std::uint8_t* p, std::uint32_t v);

// Bytes per pixel row, padded to a multiple of four; 0 when out of range.
std::int64_t DibRowBytes(std::int64_t nWidth, int nBitCount);

// Pixel bytes of a picture (rows padded), or 0 for an unsupported depth, a
// size that is not positive or one too large for the format.
std::int64_t DibImageBytes(int nBitCount, int nWidth, int nHeight);
// The 40-byte header of a new block, for a picture of a size DibImageBytes takes.
void PutDibHeader(std::uint8_t* pHeader, int nBitCount, int nWidth, int nHeight);

// A new block with the header filled in and the standard colour table, or
// null for an unsupported depth (1, 4, 8, 16, 24, 32 are supported), a size
// that is not positive, one too large for the format, or no memory.
std::unique_ptr<DibBlock> AllocDibBlock(int nBitCount, int nWidth, int nHeight);

// Entries of the colour table: the header's count, or 2^bits when that is 0
// and the depth is at most 8 bits.
int DibColourEntries(const DibBlock* pBlock);
// The table's size in bytes (3 per entry under a 12-byte core header).
std::uint16_t DibPaletteBytes(const DibBlock* pBlock);

// The logical palette a picture's colours live in while its table holds
// indices. The Windows build wraps a GDI palette in it.
class CDibPalette {
 public:
  virtual ~CDibPalette() = default;
  // Copies up to nCount entries from nStart; returns how many it copied.
  virtual int GetEntries(int nStart, int nCount, COLORREF* pColours) const = 0;
};

// With bToIndices set, writes the table in index form (16-bit numbers 0, 1,
// ... referring to the palette); otherwise writes the palette's colours back
// into it in RGB form, entries the palette lacks as black. Returns 0 only
// when there is no block.
int SyncColourTable(DibBlock* pBlock, const CDibPalette* pPalette, int bToIndices);

// An in-memory picture in one packed block. The Windows capture fills
// m_pBits (and the table) with GetDIBits on the block, and attaches the
// palette made from that table.
class CDib {
 public:
  CDib() = default;
  virtual ~CDib();
  CDib(const CDib&) = delete;
  CDib& operator=(const CDib&) = delete;

  // Drops any previous block and palette; non-zero on success, else the
  // object is left empty.
  int Create(int nWidth, int nHeight, int nBitCount);
  bool IsEmpty() const { return !m_pHeader; }

  std::uint8_t* m_pBits = nullptr;  // first (bottom) pixel row, inside the block
  int m_nWidth = 0;
  int m_nHeight = 0;
  int m_nBitCount = 0;
  std::unique_ptr<DibBlock> m_pHeader;
  std::unique_ptr<CDibPalette> m_pPalette;
};
