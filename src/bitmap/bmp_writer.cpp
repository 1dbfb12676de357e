#include "bitmap/bmp_writer.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "app/output_target.h"

namespace {

constexpr std::size_t kRowsWriteSize = 8 * kWriteChunk;

// Header, table and pixel bytes of a block fit for a file, or 0.
std::size_t DibFileBytes(const DibBlock& block) {
  if (block.size() < kDibHeaderSize) return 0;
  const std::uint8_t* h = block.data();
  const int bits = GetLe16(h + kDibBitCountAt);
  const auto width = static_cast<std::int32_t>(GetLe32(h + kDibWidthAt));
  const auto height = static_cast<std::int32_t>(GetLe32(h + kDibHeightAt));
  if (GetLe32(h) != kDibHeaderSize || GetLe32(h + kDibCompressionAt) != 0 || height == 0 ||
      DibColourEntries(&block) > 256)
    return 0;
  const std::int64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
  const std::int64_t rowBytes = DibRowBytes(width, bits);
  // A header may claim rows no block holds: compared before multiplying.
  if (rowBytes == 0 || rowBytes > static_cast<std::int64_t>(block.size()) / rows) return 0;
  const std::int64_t total = kDibHeaderSize + DibPaletteBytes(&block) + rowBytes * rows;
  if (total > static_cast<std::int64_t>(block.size())) return 0;
  return static_cast<std::size_t>(total);
}

// The file header before nDibBytes of header, table and pixels, the pixels
// nBitsAt bytes into the file.
void PutBmpFileHeader(std::uint8_t* pHeader, std::size_t nDibBytes, std::size_t nBitsAt) {
  pHeader[0] = 'B';
  pHeader[1] = 'M';
  PutLe32(pHeader + 2, static_cast<std::uint32_t>(kBmpFileHeaderSize + nDibBytes));
  PutLe32(pHeader + 6, 0);
  PutLe32(pHeader + 10, static_cast<std::uint32_t>(nBitsAt));
}

bool WriteAll(std::FILE* file, const DibBlock& block, std::size_t nBytes) {
  std::array<std::uint8_t, kBmpFileHeaderSize> header{};
  PutBmpFileHeader(header.data(), nBytes, kBmpFileHeaderSize + kDibHeaderSize + DibPaletteBytes(&block));
  return std::fwrite(header.data(), 1, header.size(), file) == header.size() &&
         WriteInChunks(file, block.data(), nBytes) == nBytes;
}

}  // namespace

std::size_t WriteInChunks(std::FILE* pFile, const std::uint8_t* pData, std::size_t nLength) {
  std::size_t left = nLength;
  for (; left > kWriteChunk; left -= kWriteChunk, pData += kWriteChunk)
    if (std::fwrite(pData, 1, kWriteChunk, pFile) < kWriteChunk) return 0;
  return std::fwrite(pData, 1, left, pFile) == left ? nLength : 0;
}

namespace {

template <class String, class Write>
OutputResult WriteDibFileBy(const String& strName, const DibBlock* pBlock, Write write, OutputMode mode) {
  if (!pBlock || strName.empty()) return OutputResult::Failed;
  const std::size_t nBytes = DibFileBytes(*pBlock);
  if (nBytes == 0) return OutputResult::Failed;
  return write(strName, [&](std::FILE* file) { return WriteAll(file, *pBlock, nBytes); }, mode);
}

OutputResult WriteBmp24RowsAs(const std::string& strName, int nWidth, int nHeight,
                              const std::function<const COLORREF*(int y)>& rowAt, OutputMode mode);

}  // namespace

int WriteDibFile(const std::string& strName, const DibBlock* pBlock) {
  return WriteDibFileBy(strName, pBlock, WriteOutputFile, OutputMode::Replace) == OutputResult::Written;
}

#ifdef _WIN32
int WriteDibFileW(const std::wstring& strName, const DibBlock* pBlock) {
  return WriteDibFileW(strName, pBlock, OutputMode::Replace) == OutputResult::Written;
}

OutputResult WriteDibFileW(const std::wstring& strName, const DibBlock* pBlock, OutputMode mode) {
  return WriteDibFileBy(strName, pBlock, WriteOutputFileW, mode);
}
#endif

void PutBmp24Row(const COLORREF* pColours, int nWidth, std::uint8_t* pRow) {
  for (int x = 0; x < nWidth; ++x) {
    pRow[3 * x] = static_cast<std::uint8_t>(BlueOf(pColours[x]));
    pRow[3 * x + 1] = static_cast<std::uint8_t>(GreenOf(pColours[x]));
    pRow[3 * x + 2] = static_cast<std::uint8_t>(RedOf(pColours[x]));
  }
}

bool Bmp24SizeFits(int nWidth, int nHeight) {
  return nHeight > 0 && nHeight <= Bmp24MaxHeight(nWidth);
}

int Bmp24MaxHeight(int nWidth) {
  if (nWidth <= 0) return 0;
  // The whole file, headers and the room a colour table may take included,
  // as the DIB code bounds its blocks.
  const std::int64_t rows = (std::int64_t{0x7FFFFFFF} - kDibTableRoom) / DibRowBytes(nWidth, 24);
  return static_cast<int>(std::min<std::int64_t>(rows, 0x7FFFFFFF));
}

int WriteBmp24(const std::string& strName, int nWidth, int nHeight,
               const std::vector<COLORREF>& pixels) {
  return WriteBmp24(strName, nWidth, nHeight, pixels, OutputMode::Replace) == OutputResult::Written;
}

OutputResult WriteBmp24(const std::string& strName, int nWidth, int nHeight,
                        const std::vector<COLORREF>& pixels, OutputMode mode) {
  if (nWidth <= 0 || nHeight <= 0 ||
      pixels.size() != static_cast<std::size_t>(nWidth) * static_cast<std::size_t>(nHeight))
    return OutputResult::Failed;
  return WriteBmp24RowsAs(strName, nWidth, nHeight, [&](int y) {
    return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(nWidth);
  }, mode);
}

int WriteBmp24Rows(const std::string& strName, int nWidth, int nHeight,
                   const std::function<const COLORREF*(int y)>& rowAt) {
  return WriteBmp24RowsAs(strName, nWidth, nHeight, rowAt, OutputMode::Replace) == OutputResult::Written;
}

namespace {

OutputResult WriteBmp24RowsAs(const std::string& strName, int nWidth, int nHeight,
                              const std::function<const COLORREF*(int y)>& rowAt, OutputMode mode) {
  if (!Bmp24SizeFits(nWidth, nHeight)) return OutputResult::Failed;
  const std::int64_t imageSize = DibImageBytes(24, nWidth, nHeight);
  if (imageSize == 0) return OutputResult::Failed;
  std::array<std::uint8_t, kBmpFileHeaderSize + kDibHeaderSize> header{};
  PutBmpFileHeader(header.data(), kDibHeaderSize + static_cast<std::size_t>(imageSize), header.size());
  PutDibHeader(&header[kBmpFileHeaderSize], 24, nWidth, nHeight);
  // Rows gathered into large writes: a call into the system costs far more
  // than a row. Zero-filled once, so that every row's padding is.
  const auto rowBytes = static_cast<std::size_t>(DibRowBytes(nWidth, 24));
  const std::size_t rowsPerWrite =
      std::min<std::size_t>(static_cast<std::size_t>(nHeight), std::max<std::size_t>(1, kRowsWriteSize / rowBytes));
  std::vector<std::uint8_t> rows(rowsPerWrite * rowBytes);
  const auto write = [&](std::FILE* file) {
    if (std::fwrite(header.data(), 1, header.size(), file) != header.size()) return false;
    std::size_t filled = 0;
    for (int y = nHeight - 1; y >= 0; --y) {
      const COLORREF* colours = rowAt(y);
      if (!colours) return false;
      PutBmp24Row(colours, nWidth, &rows[filled]);
      filled += rowBytes;
      if (filled == rows.size() || y == 0) {
        if (WriteInChunks(file, rows.data(), filled) != filled) return false;
        filled = 0;
      }
    }
    return true;
  };
  return WriteOutputFile(strName, write, mode);
}

}  // namespace
