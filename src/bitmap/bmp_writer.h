#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/output_target.h"
#include "bitmap/dib.h"
#include "colour/colour.h"

constexpr std::size_t kWriteChunk = 32768;
constexpr int kBmpFileHeaderSize = 14;

// Writes in chunks of 32768 bytes; returns nLength when everything was
// written, 0 as soon as a write falls short.
std::size_t WriteInChunks(std::FILE* pFile, const std::uint8_t* pData, std::size_t nLength);

// Writes the block as a BMP file. The file appears under its name only when
// complete: it is written under a temporary name beside it and renamed, so a
// missing folder, a full disk or a write error returns 0 and leaves no file.
// A symbolic link keeps pointing at the file, which is replaced; a folder,
// device, FIFO or socket under the name gives 0 and is left alone.
// Also 0 for no block, or one whose header does not describe its own bytes.
int WriteDibFile(const std::string& strName, const DibBlock* pBlock);
#ifdef _WIN32
// The same with a wide-character name.
int WriteDibFileW(const std::wstring& strName, const DibBlock* pBlock);
// The same, never replacing a file under the name with KeepExisting.
OutputResult WriteDibFileW(const std::wstring& strName, const DibBlock* pBlock, OutputMode mode);
#endif

// One row of colours as a 24-bit BMP row holds it: blue, green, red.
void PutBmp24Row(const COLORREF* pColours, int nWidth, std::uint8_t* pRow);

// A 24-bit BMP of a top-down, row-major picture of width x height colours.
// 0 when the sizes do not match the pixels or the file cannot be written.
int WriteBmp24(const std::string& strName, int nWidth, int nHeight,
               const std::vector<COLORREF>& pixels);
OutputResult WriteBmp24(const std::string& strName, int nWidth, int nHeight,
                        const std::vector<COLORREF>& pixels, OutputMode mode);

// Whether a 24-bit BMP file of this size stays within the 2 GiB its 32-bit
// size fields (signed, for most readers) can describe.
bool Bmp24SizeFits(int nWidth, int nHeight);
// The most rows of nWidth a BMP file can hold (0 for a bad width).
int Bmp24MaxHeight(int nWidth);

// The same file from rows asked for one at a time in the file's order,
// bottom row first: rowAt(y) gives row y's nWidth colours, or null to give
// up (0, and no file), and is not asked again for that row.
int WriteBmp24Rows(const std::string& strName, int nWidth, int nHeight,
                   const std::function<const COLORREF*(int y)>& rowAt);
